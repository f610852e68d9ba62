#include "ReplacingFile.h"

#include "FileUtils.h"
#include "SystemFileCalls.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

// The file a chain of symbolic links ends at (which need not exist yet).
std::filesystem::path FollowLinks(std::filesystem::path path) {
    constexpr int MostLinks = 40; // as the kernel allows before ELOOP
    for (int hops = 0; hops < MostLinks; ++hops) {
        std::error_code error;
        if (!std::filesystem::is_symlink(path, error))
            return path;
        const std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error)
            ThrowSystemError(error.value());
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    ThrowSystemError(ELOOP);
}

// Creates an empty file "folder/.name.XXXXXX" readable and writable by the owner only.
int MakeTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& made) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        ThrowSystemError(errno);
    made = pattern;
    return fd;
}

constexpr std::size_t CopyChunk = 1 << 20;

// Makes the file at to hold exactly the bytes of the file at from, on the disk.
void CopyWhole(int from, int to) {
    std::vector<char> chunk(CopyChunk);
    std::uint64_t offset = 0;
    while (const std::size_t got = ReadFullyAt(from, chunk.data(), chunk.size(), offset)) {
        WriteFullyAt(to, chunk.data(), got, offset);
        offset += got;
    }
    if (ftruncate(to, static_cast<off_t>(offset)) != 0 || fsync(to) != 0)
        ThrowSystemError(errno);
}

bool SameBytes(int a, int b) {
    std::vector<char> chunkA(CopyChunk), chunkB(CopyChunk);
    for (std::uint64_t offset = 0;;) {
        const std::size_t gotA = ReadFullyAt(a, chunkA.data(), chunkA.size(), offset);
        const std::size_t gotB = ReadFullyAt(b, chunkB.data(), chunkB.size(), offset);
        if (gotA != gotB || std::memcmp(chunkA.data(), chunkB.data(), gotA) != 0)
            return false;
        if (gotA == 0)
            return true;
        offset += gotA;
    }
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A file that removes itself unless kept.
struct BackupCopy {
    std::filesystem::path path;
    int fd = -1;
    bool keep = false;
    ~BackupCopy() {
        if (fd >= 0)
            close(fd);
        if (!keep && !path.empty())
            unlink(path.c_str());
    }
};

} // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target)
    : target_(FollowLinks(std::move(target))) {
    OpenExistingTarget();
    try {
        fd_ = MakeTemporaryBeside(target_, temporary_);
    } catch (...) {
        if (targetFd_ >= 0)
            close(targetFd_);
        throw;
    }
}

ReplacingFile::~ReplacingFile() {
    if (targetFd_ >= 0)
        close(targetFd_);
    if (fd_ >= 0) {
        close(fd_);
        unlink(temporary_.c_str());
    }
}

// Opening for writing asks the system itself whether this process may write the file, which
// also answers for root (read-only file systems, immutable files), unlike the permission bits.
void ReplacingFile::OpenExistingTarget() {
    targetFd_ = open(target_.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (targetFd_ < 0) {
        if (errno == ENOENT)
            return;
        ThrowSystemError(errno);
    }
    struct stat info {};
    const int error = fstat(targetFd_, &info) != 0 ? errno : 0;
    if (error == 0 && S_ISREG(info.st_mode))
        return;
    close(targetFd_);
    targetFd_ = -1;
    if (error != 0)
        ThrowSystemError(error);
    throw EInOutError("Not a regular file");
}

void ReplacingFile::Write(const void* data, std::size_t bytes) {
    WriteFullyAt(fd_, data, bytes, written_);
    written_ += bytes;
}

void ReplacingFile::WriteAt(std::uint64_t offset, const void* data, std::size_t bytes) {
    WriteFullyAt(fd_, data, bytes, offset);
}

void ReplacingFile::Commit() {
    if (fsync(fd_) != 0)
        ThrowSystemError(errno);
    if (targetFd_ < 0 || TakeOverTargetAttributes())
        RenameIntoPlace();
    else
        RewriteInPlace();
}

// Gives the temporary file the target's owner, group and permissions; false when the target
// has further hard links or the process may not give that owner or group.
bool ReplacingFile::TakeOverTargetAttributes() {
    struct stat info {};
    if (fstat(targetFd_, &info) != 0)
        ThrowSystemError(errno);
    if (info.st_nlink > 1 || fchown(fd_, info.st_uid, info.st_gid) != 0)
        return false;
    // After fchown, which clears the set-user-ID and set-group-ID bits.
    if (fchmod(fd_, info.st_mode & 07777) != 0)
        ThrowSystemError(errno);
    return true;
}

void ReplacingFile::RenameIntoPlace() {
    if (targetFd_ < 0 && fchmod(fd_, NewFileMode()) != 0)
        ThrowSystemError(errno);
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0 || rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        unlink(temporary_.c_str());
        ThrowSystemError(error);
    }
}

void ReplacingFile::RewriteInPlace() {
    BackupCopy backup;
    backup.fd = MakeTemporaryBeside(target_, backup.path);
    CopyWhole(targetFd_, backup.fd);
    try {
        CopyWhole(fd_, targetFd_);
        if (!SameBytes(fd_, targetFd_))
            throw EInOutError("The file read back differs from what was written");
    } catch (const EInOutError& failure) {
        try {
            CopyWhole(backup.fd, targetFd_);
        } catch (const EInOutError&) {
            backup.keep = true;
            throw EInOutError(std::string(failure.what()) + "; the previous contents are kept in " +
                              backup.path.string());
        }
        throw;
    }
}
