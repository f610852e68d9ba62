#include "ReplacingFile.h"

#include "FileUtils.h"
#include "SystemFileCalls.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace umbrascope {

namespace {

constexpr std::size_t CopyChunk = 1 << 20;
// Each turn finds another writer's new file in place; past this many, give up rather than
// chase a target that keeps being replaced.
constexpr int MostTurns = 16;

struct stat StatOf(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0)
        ThrowSystemError(errno);
    return info;
}

// Opening for writing asks the system itself whether this process may write the file, which
// also answers for root (read-only file systems, immutable files), unlike the permission bits.
// Invalid when there is no file of the name.
FileDescriptor OpenExisting(const WritePlace& place) {
    FileDescriptor fd(openat(place.folder.get(), place.name.c_str(),
                             O_RDWR | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.Valid()) {
        if (errno == ENOENT)
            return fd;
        ThrowSystemError(errno);
    }
    if (!S_ISREG(StatOf(fd.get()).st_mode))
        throw IoError("Not a regular file");
    return fd;
}

FileDescriptor OpenTarget(const WritePlace& place, ReplacingFile::Existing existing) {
    if (existing == ReplacingFile::Existing::Replace)
        return OpenExisting(place);
    struct stat info {};
    if (fstatat(place.folder.get(), place.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
        ThrowSystemError(EEXIST);
    return {};
}

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

mode_t WithExecute(mode_t mode) {
    return mode | ((mode & 0444) >> 2);
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

ReplacingFile::ReplacingFile(const std::filesystem::path& target, Existing existing)
    : place_(ResolveWritePlace(target)), existing_(existing), target_(OpenTarget(place_, existing)),
      temporary_(place_.folder, place_.name) {}

ReplacingFile::ReplacingFile(const FolderHandle& folder, const std::string& name, Existing existing)
    : place_(ResolveWritePlace(folder, name)), existing_(existing),
      target_(OpenTarget(place_, existing)), temporary_(place_.folder, place_.name) {}

void ReplacingFile::Write(const void* data, std::size_t bytes) {
    WriteFullyAt(temporary_.get(), data, bytes, written_);
    written_ += bytes;
}

void ReplacingFile::WriteAt(std::uint64_t offset, const void* data, std::size_t bytes) {
    WriteFullyAt(temporary_.get(), data, bytes, offset);
}

void ReplacingFile::Commit() {
    if (fsync(temporary_.get()) != 0)
        ThrowSystemError(errno);
    if (existing_ == Existing::Refuse) {
        PutNewFileInPlace();
        if (!created_)
            ThrowSystemError(EEXIST);
        return;
    }
    for (int turn = 0; turn < MostTurns; ++turn) {
        if (!target_.Valid()) {
            PutNewFileInPlace();
            if (created_)
                return;
            // Another writer's file appeared meanwhile: it is replaced as any existing one.
            target_ = OpenExisting(place_);
            continue;
        }
        if (!LockTargetInPlace()) {
            target_ = OpenExisting(place_);
            continue;
        }
        if (TakeOverTargetAttributes())
            temporary_.ReplaceInto(place_.name);
        else
            RewriteInPlace();
        target_.Reset(); // the next writer's turn
        return;
    }
    throw IoError("the file keeps being replaced by other programs while it is written");
}

void ReplacingFile::PutNewFileInPlace() {
    const mode_t mode = temporary_.NewFileMode();
    if (fchmod(temporary_.get(), executable_ ? WithExecute(mode) : mode) != 0)
        ThrowSystemError(errno);
    created_ = temporary_.LinkAsNew(place_.name);
}

// Waits for the other writers of the target to finish; false when what was locked is no
// longer the file in place (one of them put a new file there).
bool ReplacingFile::LockTargetInPlace() {
    while (flock(target_.get(), LOCK_EX) != 0) {
        // A file system without locks (a network one without its lock service) is written
        // unlocked rather than not at all.
        if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL)
            break;
        if (errno != EINTR)
            ThrowSystemError(errno);
    }
    struct stat there {};
    if (fstatat(place_.folder.get(), place_.name.c_str(), &there, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    return SameFile(there, StatOf(target_.get()));
}

// Gives the temporary file the target's owner, group and permissions; false when the target
// has further hard links or the process may not give that owner or group.
bool ReplacingFile::TakeOverTargetAttributes() {
    const struct stat info = StatOf(target_.get());
    if (info.st_nlink > 1 || fchown(temporary_.get(), info.st_uid, info.st_gid) != 0)
        return false;
    // After fchown, which clears the set-user-ID and set-group-ID bits.
    const mode_t mode = info.st_mode & 07777;
    if (fchmod(temporary_.get(), executable_ ? WithExecute(mode) : mode) != 0)
        ThrowSystemError(errno);
    return true;
}

void ReplacingFile::RewriteInPlace() {
    TemporaryFile backup(place_.folder, place_.name);
    CopyWhole(target_.get(), backup.get());
    try {
        CopyWhole(temporary_.get(), target_.get());
        if (!SameBytes(temporary_.get(), target_.get()))
            throw IoError("The file read back differs from what was written");
    } catch (const IoError& failure) {
        try {
            CopyWhole(backup.get(), target_.get());
        } catch (const IoError&) {
            throw IoError(std::string(failure.what()) + "; the previous contents are kept in " +
                          backup.Keep().string());
        }
        throw;
    }
    const mode_t mode = StatOf(target_.get()).st_mode & 07777;
    if (executable_ && fchmod(target_.get(), WithExecute(mode)) != 0)
        throw IoError(std::string("it was written but cannot be made executable: ") +
                      std::strerror(errno));
}

void ReplacingFile::Withdraw() {
    struct stat there {};
    if (created_ &&
        fstatat(place_.folder.get(), place_.name.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
        SameFile(there, StatOf(temporary_.get())))
        unlinkat(place_.folder.get(), place_.name.c_str(), 0);
    created_ = false;
}

} // namespace umbrascope
