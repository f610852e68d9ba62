#include "Help.h"

#include "base/FileDescriptor.h"
#include "base/SystemFileCalls.h"
#include "base/TemporaryFile.h"
#include "base/WritePlace.h"
#include "ui/Language.h"
#include "ui/MessageBoxes.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Outside any namespace, as the resource's loader is declared where this is called.
static void LoadHelpResources() {
    Q_INIT_RESOURCE(help); // the pages live in a static library: make sure they are linked in
}

namespace umbrascope {

namespace {

const QString StartPageName = QStringLiteral("index.html");
// Names the version and the pages written last; any other content asks for a refresh.
const char* const StampName = ".stamp";

struct Page {
    QByteArray name; // as the file system takes it
    QByteArray bytes;
};

std::vector<Page> HelpResources(const QString& folder) {
    LoadHelpResources();
    std::vector<Page> pages;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        QFile file(folder + name);
        if (file.open(QIODevice::ReadOnly))
            pages.push_back({QFile::encodeName(name), file.readAll()});
    }
    return pages;
}

QByteArray StampOf(const std::vector<Page>& pages, const QString& version) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const Page& page : pages) {
        hash.addData(page.name);
        hash.addData(QByteArrayView("\0", 1));
        hash.addData(page.bytes);
    }
    return version.toUtf8() + ' ' + hash.result().toHex() + '\n';
}

bool IsPrivateFolder(const QByteArray& path) {
    struct stat info {};
    return lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == geteuid() && (info.st_mode & 077) == 0;
}

QByteArray ReadStamp(int folder) {
    const FileDescriptor fd(
        openat(folder, StampName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    char text[256];
    const ssize_t read = fd.get() < 0 ? -1 : ::read(fd.get(), text, sizeof text);
    return read > 0 ? QByteArray(text, read) : QByteArray();
}

bool PagesAreCurrent(int folder, const std::vector<Page>& pages, const QByteArray& stamp) {
    for (const Page& page : pages) {
        struct stat info {};
        if (fstatat(folder, page.name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || info.st_size != page.bytes.size())
            return false;
    }
    return ReadStamp(folder) == stamp;
}

// Writes a new file and renames it over name: whatever stood there before, a planted link
// included, is replaced rather than written through. Throws IoError.
void ReplaceFileIn(const FolderHandle& folder, const QByteArray& name, const QByteArray& bytes) {
    TemporaryFile file(folder, name.toStdString());
    WriteFullyAt(file.get(), bytes.constData(), static_cast<std::size_t>(bytes.size()), 0);
    file.ReplaceInto(name.toStdString());
}

} // namespace

QString HelpFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/') && IsPrivateFolder(runtime))
        return QFile::decodeName(runtime) + QStringLiteral("/umbrascope-help");
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/help");
}

QString HelpResourceFolder(Language language) {
    return language == Language::English ? QStringLiteral(":/help/en/") : QStringLiteral(":/help/");
}

HelpPages WriteHelpPages(const QString& folder, const QString& version,
                         const QString& resourceFolder) {
    const std::vector<Page> pages = HelpResources(resourceFolder);
    const QByteArray stamp = StampOf(pages, version);
    try {
        const FolderHandle opened = OpenPrivateFolder(QFile::encodeName(folder).toStdString());
        if (!PagesAreCurrent(opened.get(), pages, stamp)) {
            for (const Page& page : pages)
                ReplaceFileIn(opened, page.name, page.bytes);
            // Written last, so an interrupted refresh is finished at the next request.
            ReplaceFileIn(opened, StampName, stamp);
        }
    } catch (const UnsafeFolderError& unsafe) {
        return {QString(),
                QCoreApplication::translate("umbrascope::Help",
                                            "Справка не записана: папку %1 может изменить другой "
                                            "пользователь, и страницы справки в ней могли бы "
                                            "подменить")
                    .arg(QFile::decodeName(unsafe.Folder().c_str()))};
    } catch (const IoError& error) {
        return {QString(), QString::fromLocal8Bit(error.what())};
    }
    return {folder + QLatin1Char('/') + StartPageName, QString()};
}

void ShowHelp(QWidget* owner, Language language) {
    // One folder for either language: the stamp differs, so the other set is written over it.
    const HelpPages help = WriteHelpPages(HelpFolder(), QStringLiteral(UMBRASCOPE_VERSION),
                                          HelpResourceFolder(language));
    if (!help.error.isEmpty()) {
        ShowMessageBox(owner, help.error);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(help.startPage)))
        ShowMessageBox(owner, QCoreApplication::translate(
                                  "umbrascope::Help",
                                  "Не удалось открыть справку: рабочий стол не нашёл программы "
                                  "для просмотра страниц.\nСправка записана в файл %1")
                                  .arg(help.startPage));
}

} // namespace umbrascope
