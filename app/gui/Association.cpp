#include "Association.h"

#include "base/FileUtils.h"
#include "model/ProjectFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <filesystem>
#include <system_error>

// Outside any namespace, as the resource's loader is declared where this is called.
static void LoadDesktopResources() {
    Q_INIT_RESOURCE(desktop);
}

namespace umbrascope {

namespace {

const QString MimeType = QStringLiteral("application/x-umbrascope-project");
// The installed entry and the user's have one name, so the user's stands in for the other.
const QString DesktopEntryName = QStringLiteral("umbrascope.desktop");

// A line end in a value would end it and begin a key of the writer's choosing (another Exec=);
// the desktop entry format has no escape for most control characters, so none is written.
bool HoldsControlCharacter(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

// One argument of an Exec line: quoted, with the characters the desktop entry format reserves
// escaped for the quoting and then for the string value itself.
QString ExecArgument(const QString& path) {
    QString quoted;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u'%', QStringLiteral("%%"));
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    return u'"' + quoted + u'"';
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the file afresh; returns whether its text changed. Throws IoError naming the
// file.
bool WriteFile(const QString& folder, const QString& name, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    const QString path = folder + u'/' + name;
    const bool changed = ReadAll(path) != bytes;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(folder.toStdString()), error);
    if (error)
        throw IoError(folder.toStdString() + ": " + error.message());
    try {
        WriteFileReplacing(path.toStdString(), bytes.toStdString());
    } catch (const IoError& error) {
        throw IoError(path.toStdString() + ": " + error.what());
    }
    return changed;
}

void StartQuietly(const QString& program, const QString& folder) {
    // A desktop without these tools still finds the files at its next scan.
    QProcess::startDetached(program, {folder});
}

} // namespace

QString ProjectMimePackage() {
    // The package that is installed, carried inside the program (desktop/desktop.qrc).
    LoadDesktopResources();
    return QString::fromUtf8(ReadAll(QStringLiteral(":/desktop/umbrascope.xml")));
}

QString ProgramDesktopEntry(const QString& programPath) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Umbrascope\n"
                          "Comment=Проект Umbrascope\n"
                          "Exec=%1 %f\n"
                          "Icon=media-playback-start\n"
                          "MimeType=%2;\n"
                          "Terminal=false\n"
                          "Categories=AudioVideo;\n")
        .arg(ExecArgument(programPath), MimeType);
}

bool InstalledWithDesktopEntry(const QString& programPath) {
    const QString bin = QFileInfo(programPath).absolutePath();
    const QString binFolder = QStringLiteral("/" UMBRASCOPE_INSTALL_BINDIR);
    if (!bin.endsWith(binFolder))
        return false;
    const QString data = QDir::cleanPath(bin.chopped(binFolder.size()) +
                                         QStringLiteral("/" UMBRASCOPE_INSTALL_DATADIR));
    if (!QFileInfo::exists(data + QStringLiteral("/applications/") + DesktopEntryName))
        return false;
    const QStringList searched =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    return std::any_of(searched.begin(), searched.end(),
                       [&](const QString& folder) { return QDir::cleanPath(folder) == data; });
}

std::optional<QString> RegisterProjectAssociation(const QString& programPath) {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir().mkpath(config + QStringLiteral("/Halvard/Umbrascope")); // nothing depends on it
    if (InstalledWithDesktopEntry(programPath))
        return std::nullopt;
    if (HoldsControlCharacter(programPath))
        return QCoreApplication::translate(
            "umbrascope::Association",
            "Не удалось связать файлы .usp с программой: в пути к программе есть управляющий "
            "символ, которого не может быть в файле рабочего стола");
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return QCoreApplication::translate(
            "umbrascope::Association",
            "Не удалось связать файлы .usp с программой: папка данных пользователя не найдена");
    try {
        const QString mime = data + QStringLiteral("/mime");
        if (WriteFile(mime + QStringLiteral("/packages"), QStringLiteral("umbrascope-project.xml"),
                      ProjectMimePackage()))
            StartQuietly(QStringLiteral("update-mime-database"), mime);
        const QString applications = data + QStringLiteral("/applications");
        if (WriteFile(applications, DesktopEntryName, ProgramDesktopEntry(programPath)))
            StartQuietly(QStringLiteral("update-desktop-database"), applications);
    } catch (const IoError& error) {
        return QCoreApplication::translate("umbrascope::Association",
                                           "Не удалось связать файлы .usp с программой: %1")
            .arg(QString::fromUtf8(error.what()));
    }
    return std::nullopt;
}

} // namespace umbrascope
