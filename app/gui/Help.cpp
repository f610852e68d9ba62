#include "Help.h"

#include "ui/MessageBoxes.h"

#include <QCryptographicHash>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Outside any namespace, as the resource's loader is declared where this is called.
static void LoadHelpResources() {
    Q_INIT_RESOURCE(help); // the pages live in a static library: make sure they are linked in
}

namespace {

const QString StartPageName = QStringLiteral("index.html");
// Names the version and the pages written last; any other content asks for a refresh.
const char* const StampName = ".stamp";

struct Page {
    QByteArray name; // as the file system takes it
    QByteArray bytes;
};

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

std::vector<Page> HelpResources() {
    LoadHelpResources();
    const QString folder = QStringLiteral(":/help/");
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

QString SystemMessage(const QString& path, int error) {
    return path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
}

bool IsPrivateFolder(const QByteArray& path) {
    struct stat info {};
    return lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == geteuid() && (info.st_mode & 077) == 0;
}

// Opens the help folder, creating it when missing. Only a real folder of this user will do,
// and it is made owner-only.
std::optional<QString> OpenHelpFolder(const QString& folder, std::optional<Descriptor>& opened) {
    QDir().mkpath(QFileInfo(folder).path()); // a failure shows in the steps below
    const QByteArray path = QFile::encodeName(folder);
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return SystemMessage(folder, errno);
    opened.emplace(open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    const int fd = opened->get();
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0)
        return SystemMessage(folder, errno);
    if (info.st_uid != geteuid())
        return SystemMessage(folder, EPERM);
    if ((info.st_mode & 07777) != 0700 && fchmod(fd, 0700) != 0)
        return SystemMessage(folder, errno);
    return std::nullopt;
}

QByteArray ReadStamp(int folder) {
    const Descriptor fd(openat(folder, StampName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
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

int WriteAll(int fd, const QByteArray& bytes) {
    const char* from = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t wrote = write(fd, from, static_cast<std::size_t>(left));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            return errno;
        from += wrote;
        left -= wrote;
    }
    return 0;
}

// Writes a new file under a temporary name and renames it over name: whatever stood there
// before, a planted link included, is replaced rather than written through.
std::optional<QString> ReplaceFileIn(int folder, const QString& folderPath, const QByteArray& name,
                                     const QByteArray& bytes) {
    const QString shownPath = folderPath + QLatin1Char('/') + QFile::decodeName(name);
    const QByteArray temporary = '.' + name + '.' + QByteArray::number(getpid());
    unlinkat(folder, temporary.constData(), 0); // left by an interrupted refresh
    int error = 0;
    {
        const Descriptor fd(openat(folder, temporary.constData(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (fd.get() < 0)
            return SystemMessage(shownPath, errno);
        error = WriteAll(fd.get(), bytes);
    }
    if (error == 0 && renameat(folder, temporary.constData(), folder, name.constData()) != 0)
        error = errno;
    if (error != 0) {
        unlinkat(folder, temporary.constData(), 0);
        return SystemMessage(shownPath, error);
    }
    return std::nullopt;
}

} // namespace

QString HelpFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/') && IsPrivateFolder(runtime))
        return QFile::decodeName(runtime) + QStringLiteral("/umbrascope-help");
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/help");
}

HelpPages WriteHelpPages(const QString& folder, const QString& version) {
    const std::vector<Page> pages = HelpResources();
    const QByteArray stamp = StampOf(pages, version);
    std::optional<Descriptor> opened;
    if (auto error = OpenHelpFolder(folder, opened))
        return {QString(), *error};
    const int fd = opened->get();
    if (!PagesAreCurrent(fd, pages, stamp)) {
        for (const Page& page : pages)
            if (auto error = ReplaceFileIn(fd, folder, page.name, page.bytes))
                return {QString(), *error};
        // Written last, so an interrupted refresh is finished at the next request.
        if (auto error = ReplaceFileIn(fd, folder, StampName, stamp))
            return {QString(), *error};
    }
    return {folder + QLatin1Char('/') + StartPageName, QString()};
}

void ShowHelp(QWidget* owner) {
    const HelpPages help = WriteHelpPages(HelpFolder(), QStringLiteral(UMBRASCOPE_VERSION));
    if (!help.error.isEmpty()) {
        ShowMessageBox(owner, help.error);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(help.startPage)))
        ShowMessageBox(owner, QStringLiteral("Не удалось открыть справку: рабочий стол не нашёл "
                                             "программы для просмотра страниц.\nСправка "
                                             "записана в файл %1")
                                  .arg(help.startPage));
}
