#include "Preferences.h"

#include "UiText.h"
#include "audio/export/SoundFileFormats.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <vector>

namespace umbrascope {

namespace {

const QString RecentProjectsKey = QStringLiteral("RecentProjects");
const QString LanguageKey = QStringLiteral("Language");
const QString PresentationScreenKey = QStringLiteral("PresentationScreen");
const QString PhotosensitivityKey = QStringLiteral("Warnings/Photosensitivity");
const QString VideoSizeKey = QStringLiteral("VideoExport/Size");
const QString VideoRateKey = QStringLiteral("VideoExport/Rate");
const QString SoundFormatKey = QStringLiteral("SoundExport/Format");
const QString SoundBitsKey = QStringLiteral("SoundExport/Bits");

// A text longer than this was not written by the program: a damaged file fills no menu and no
// memory with it. (Paths are kept whole up to it: the menu shortens them, its tips show them.)
constexpr qsizetype LongestPath = 1 << 20;
constexpr qsizetype LongestScreenName = 256;
constexpr qsizetype LongestExtension = 16;
// The bounds the command line's video export takes.
constexpr int LargestFrameSide = 8192;
constexpr int HighestFrameRate = 240;

QString FolderKey(FileKind kind) {
    static const char* const names[] = {"Project",     "Audio",       "Phrases",
                                        "SoundExport", "VideoExport", "BuiltSession"};
    return QStringLiteral("Folders/") + QLatin1String(names[static_cast<int>(kind)]);
}

QString LanguageValue(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ru");
}

bool IsText(const QVariant& value) {
    return value.typeId() == QMetaType::QString;
}

// The whole number value holds, whether kept as a number or (as an INI file gives it back) as
// text.
std::optional<int> WholeNumber(const QVariant& value) {
    bool isNumber = false;
    const int number = value.typeId() == QMetaType::Int ? value.toInt(&isNumber)
                       : IsText(value)                  ? value.toString().toInt(&isNumber)
                                                        : 0;
    return isNumber ? std::optional<int>(number) : std::nullopt;
}

bool UsablePath(const QString& path) {
    return !path.isEmpty() && path.size() <= LongestPath && QDir::isAbsolutePath(path);
}

} // namespace

Preferences::Preferences() = default;

Preferences::Preferences(QString file) : file_(std::move(file)) {}

std::unique_ptr<QSettings> Preferences::Open() const {
    if (file_.isEmpty())
        return std::make_unique<QSettings>(QStringLiteral("Umbrascope"),
                                           QStringLiteral("Umbrascope"));
    return std::make_unique<QSettings>(file_, QSettings::IniFormat);
}

std::optional<QString> Preferences::Text(const QString& key, qsizetype maxLength) const {
    const QVariant value = Open()->value(key);
    if (!IsText(value) || value.toString().size() > maxLength)
        return std::nullopt;
    return value.toString();
}

void Preferences::Write(const QString& key, const QVariant& value) {
    Open()->setValue(key, value); // written to the file as the settings object goes
}

QStringList Preferences::RecentProjects() const {
    const QVariant value = Open()->value(RecentProjectsKey);
    // A list of one is kept as a plain text.
    const QStringList kept = IsText(value) ? QStringList{value.toString()}
                             : value.typeId() == QMetaType::QStringList ? value.toStringList()
                                                                        : QStringList();
    QStringList projects;
    for (const QString& path : kept) {
        if (projects.size() == MaxRecentProjects)
            break;
        if (UsablePath(path) && !projects.contains(path))
            projects << path;
    }
    return projects;
}

void Preferences::RememberRecentProject(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList projects = RecentProjects();
    projects.removeAll(absolute);
    projects.prepend(absolute);
    Write(RecentProjectsKey, projects.mid(0, MaxRecentProjects));
}

std::optional<Language> Preferences::ChosenLanguage() const {
    const auto value = Text(LanguageKey, 2);
    if (value == LanguageValue(Language::English))
        return Language::English;
    if (value == LanguageValue(Language::Russian))
        return Language::Russian;
    return std::nullopt;
}

void Preferences::ChooseLanguage(Language language) {
    Write(LanguageKey, LanguageValue(language));
}

QString Preferences::PresentationScreen() const {
    return Text(PresentationScreenKey, LongestScreenName).value_or(QString());
}

void Preferences::ChoosePresentationScreen(const QString& name) {
    Write(PresentationScreenKey, name);
}

QString Preferences::LastFolder(FileKind kind) const {
    const QString folder = Text(FolderKey(kind), LongestPath).value_or(QString());
    return UsablePath(folder) ? folder : QString();
}

void Preferences::RememberFolder(FileKind kind, const QString& folder) {
    Write(FolderKey(kind), folder);
}

bool Preferences::PhotosensitivityWarningWanted() const {
    // Only a clear "no" keeps the warning away: a damaged value shows it.
    const QVariant value = Open()->value(PhotosensitivityKey);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    return !(IsText(value) && value.toString() == QStringLiteral("false"));
}

void Preferences::SetPhotosensitivityWarningWanted(bool wanted) {
    Write(PhotosensitivityKey, wanted);
}

std::optional<QSize> Preferences::VideoFrameSize() const {
    const QVariant value = Open()->value(VideoSizeKey);
    if (value.typeId() != QMetaType::QSize)
        return std::nullopt;
    const QSize size = value.toSize();
    if (size.width() < 1 || size.height() < 1 || size.width() > LargestFrameSide ||
        size.height() > LargestFrameSide)
        return std::nullopt;
    return size;
}

std::optional<int> Preferences::VideoFrameRate() const {
    const auto rate = WholeNumber(Open()->value(VideoRateKey));
    if (!rate || *rate < 1 || *rate > HighestFrameRate)
        return std::nullopt;
    return rate;
}

void Preferences::RememberVideoChoices(QSize frameSize, int framesPerSecond) {
    const auto settings = Open();
    settings->setValue(VideoSizeKey, frameSize);
    settings->setValue(VideoRateKey, framesPerSecond);
}

const SoundFileFormat* Preferences::SoundExportFormat() const {
    const auto extension = Text(SoundFormatKey, LongestExtension);
    for (const SoundFileFormat& format : SoundFileFormats())
        if (extension == FromUtf8(format.extension))
            return &format;
    return nullptr;
}

std::optional<int> Preferences::SoundExportBits() const {
    const auto bits = WholeNumber(Open()->value(SoundBitsKey));
    const std::vector<int> written = SoundFileBits();
    if (!bits || std::find(written.begin(), written.end(), *bits) == written.end())
        return std::nullopt;
    return bits;
}

void Preferences::RememberSoundExportChoices(const SoundFileFormat& format, int bits) {
    const auto settings = Open();
    settings->setValue(SoundFormatKey, FromUtf8(format.extension));
    settings->setValue(SoundBitsKey, bits);
}

} // namespace umbrascope
