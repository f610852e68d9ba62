#include "WritePlace.h"

#include "SystemFileCalls.h"

#include <cerrno>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <vector>

namespace umbrascope {

namespace {

namespace fs = std::filesystem;

constexpr int MostLinks = 40; // as the kernel allows before ELOOP

struct stat StatOf(int fd, const fs::path& shown) {
    struct stat info {};
    if (fstat(fd, &info) != 0)
        ThrowSystemError(shown, errno);
    return info;
}

// What the kernel checks with protected_symlinks on before it follows a link.
bool MayFollow(int folder, const fs::path& shown, const struct stat& link) {
    const struct stat info = StatOf(folder, shown);
    const bool shared = (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
    return !shared || link.st_uid == geteuid() || link.st_uid == info.st_uid;
}

std::string ReadLinkAt(int folder, const std::string& name, const fs::path& shown) {
    std::vector<char> text(256);
    for (;;) {
        const ssize_t length = readlinkat(folder, name.c_str(), text.data(), text.size());
        if (length < 0)
            ThrowSystemError(shown, errno);
        if (static_cast<std::size_t>(length) < text.size())
            return std::string(text.data(), static_cast<std::size_t>(length));
        text.resize(text.size() * 2);
    }
}

// What a name leads to when that is not a file that can be written, in words; empty for a file,
// a folder (refused with the system's own message) and a link.
std::string NonFileKind(const struct stat& info) {
    if (S_ISFIFO(info.st_mode))
        return "a pipe";
    if (S_ISSOCK(info.st_mode))
        return "a socket";
    if (S_ISCHR(info.st_mode)) {
        const unsigned kind = major(info.st_rdev);
        // The kernel's numbers for terminals: virtual consoles, /dev/tty and the pseudo ones.
        return kind == 4 || kind == 5 || (kind >= 136 && kind <= 143) ? "a terminal" : "a device";
    }
    if (S_ISBLK(info.st_mode))
        return "a device";
    return {};
}

// A standard stream named as a file (/dev/stdout, /proc/self/fd/1) leads through links that
// name no file at all; walking on would blame a folder of /proc.
void RefuseNonFile(int folder, const std::string& name, const struct stat& info) {
    struct stat reached = info;
    if (S_ISLNK(info.st_mode) && fstatat(folder, name.c_str(), &reached, 0) != 0)
        return;
    if (const std::string kind = NonFileKind(reached); !kind.empty())
        throw IoError("this name leads to " + kind + ", not a file: the output must be a file");
}

FileDescriptor OpenAt(int folder, const char* name, int flags) {
    return FileDescriptor(openat(folder, name, flags | O_CLOEXEC));
}

std::deque<std::string> NamesOf(const fs::path& path) {
    std::deque<std::string> names;
    for (const fs::path& part : path.relative_path())
        names.push_back(part.string());
    return names;
}

struct Walked {
    FileDescriptor folder;
    fs::path shown;
    std::string name; // empty when the walk ended at the folder
};

// Walks names from folder, following links where they may be followed. With lastIsFolder the
// last name is entered too; otherwise the walk stops before it.
Walked Walk(FileDescriptor folder, fs::path shown, std::deque<std::string> names,
            bool lastIsFolder) {
    int links = 0;
    while (!names.empty()) {
        const std::string name = std::move(names.front());
        names.pop_front();
        const bool last = names.empty();
        if (name.empty() || name == ".") {
            if (last && !lastIsFolder)
                ThrowSystemError(shown, EISDIR);
            continue;
        }
        struct stat info {};
        if (fstatat(folder.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT && last && !lastIsFolder)
                return {std::move(folder), std::move(shown), name};
            ThrowSystemError(shown / name, errno);
        }
        if (S_ISLNK(info.st_mode)) {
            if (!MayFollow(folder.get(), shown, info))
                throw IoError((shown / name).string() +
                              " is a symbolic link that another user made in a folder that "
                              "everyone may write; it is not followed");
            if (last && !lastIsFolder)
                RefuseNonFile(folder.get(), name, info);
            if (++links > MostLinks)
                ThrowSystemError(shown / name, ELOOP);
            const fs::path target = ReadLinkAt(folder.get(), name, shown / name);
            const auto more = NamesOf(target);
            names.insert(names.begin(), more.begin(), more.end());
            if (target.is_absolute()) {
                folder = OpenAt(AT_FDCWD, "/", O_PATH | O_DIRECTORY);
                shown = "/";
            }
            continue;
        }
        if (last && !lastIsFolder) {
            RefuseNonFile(folder.get(), name, info);
            return {std::move(folder), std::move(shown), name};
        }
        FileDescriptor next = OpenAt(folder.get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW);
        if (!next.Valid())
            ThrowSystemError(shown / name, errno);
        folder = std::move(next);
        shown /= name;
    }
    if (!lastIsFolder)
        ThrowSystemError(shown, EISDIR);
    return {std::move(folder), std::move(shown), {}};
}

Walked WalkFromStart(const fs::path& path, bool lastIsFolder) {
    if (path.empty())
        ThrowSystemError(path, ENOENT);
    FileDescriptor start = OpenAt(AT_FDCWD, path.is_absolute() ? "/" : ".", O_PATH | O_DIRECTORY);
    if (!start.Valid())
        ThrowSystemError(path.is_absolute() ? fs::path("/") : fs::path("."), errno);
    return Walk(std::move(start), path.is_absolute() ? fs::path("/") : fs::path(), NamesOf(path),
                lastIsFolder);
}

} // namespace

bool KeepsOthersOut(const struct stat& info, bool stickyWillDo) {
    if (info.st_uid != geteuid() && info.st_uid != 0)
        return false;
    const bool othersWrite = (info.st_mode & S_IWOTH) != 0 ||
                             ((info.st_mode & S_IWGRP) != 0 && info.st_gid != getegid());
    return !othersWrite || (stickyWillDo && (info.st_mode & S_ISVTX) != 0);
}

FolderHandle FolderHandle::Duplicate() const {
    FileDescriptor copy(fcntl(fd_.get(), F_DUPFD_CLOEXEC, 0));
    if (!copy.Valid())
        ThrowSystemError(path_, errno);
    return {std::move(copy), path_};
}

WritePlace ResolveWritePlace(const fs::path& target) {
    Walked walked = WalkFromStart(target, false);
    return {{std::move(walked.folder), std::move(walked.shown)}, std::move(walked.name)};
}

WritePlace ResolveWritePlace(const FolderHandle& folder, const std::string& name) {
    FileDescriptor start(fcntl(folder.get(), F_DUPFD_CLOEXEC, 0));
    if (!start.Valid())
        ThrowSystemError(folder.Path(), errno);
    Walked walked = Walk(std::move(start), folder.Path(), NamesOf(name), false);
    return {{std::move(walked.folder), std::move(walked.shown)}, std::move(walked.name)};
}

FolderHandle OpenFolderForWriting(const fs::path& folder) {
    Walked walked = WalkFromStart(folder, true);
    return {std::move(walked.folder), std::move(walked.shown)};
}

bool SameExistingFile(const fs::path& a, const fs::path& b) {
    struct stat first {};
    struct stat second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

FileDescriptor CreateNewFile(const FolderHandle& folder, const std::string& name, mode_t mode) {
    FileDescriptor fd(openat(folder.get(), name.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!fd.Valid())
        ThrowSystemError(folder.Path() / name, errno);
    return fd;
}

UnsafeFolderError::UnsafeFolderError(const fs::path& folder)
    : IoError(folder.string() + ": another user could change this folder"), folder_(folder) {}

FolderHandle OpenPrivateFolder(const fs::path& folder) {
    std::error_code unknown;
    const fs::path absolute = fs::absolute(folder, unknown).lexically_normal();
    std::deque<std::string> names = NamesOf(absolute);
    while (!names.empty() && names.back().empty())
        names.pop_back();
    if (names.empty())
        throw UnsafeFolderError(absolute);
    FileDescriptor at = OpenAt(AT_FDCWD, "/", O_PATH | O_DIRECTORY);
    fs::path shown = "/";
    if (!at.Valid())
        ThrowSystemError(shown, errno);
    if (!KeepsOthersOut(StatOf(at.get(), shown), names.size() > 1))
        throw UnsafeFolderError(shown);
    while (!names.empty()) {
        const std::string name = std::move(names.front());
        names.pop_front();
        const fs::path path = shown / name;
        if (mkdirat(at.get(), name.c_str(), 0700) != 0 && errno != EEXIST)
            ThrowSystemError(path, errno);
        struct stat link {};
        if (fstatat(at.get(), name.c_str(), &link, AT_SYMLINK_NOFOLLOW) != 0)
            ThrowSystemError(path, errno);
        const bool last = names.empty();
        // A link above the folder was made by whoever may write where it is: the user or
        // root. The folder itself is never a link, which would let it be moved elsewhere.
        if (S_ISLNK(link.st_mode) && (last || (link.st_uid != geteuid() && link.st_uid != 0)))
            throw UnsafeFolderError(path);
        FileDescriptor next =
            OpenAt(at.get(), name.c_str(), (last ? O_RDONLY | O_NOFOLLOW : O_PATH) | O_DIRECTORY);
        if (!next.Valid())
            ThrowSystemError(path, errno);
        const struct stat info = StatOf(next.get(), path);
        if (last) {
            if (info.st_uid != geteuid())
                throw UnsafeFolderError(path);
            if ((info.st_mode & 07777) != 0700 && fchmod(next.get(), 0700) != 0)
                ThrowSystemError(path, errno);
        } else if (!KeepsOthersOut(info, names.size() > 1)) {
            throw UnsafeFolderError(path);
        }
        at = std::move(next);
        shown = path;
    }
    return {std::move(at), absolute};
}

} // namespace umbrascope
