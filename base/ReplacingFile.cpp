#include "ReplacingFile.h"

#include "ExtendedAttributes.h"
#include "FileUtils.h"
#include "InPlaceRewrite.h"
#include "SystemFileCalls.h"
#include "TargetLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace umbrascope {

namespace {

// Each turn finds another writer's new file in place; past this many, give up rather than
// chase a target that keeps being replaced.
constexpr int MostTurns = 16;

struct stat StatOf(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0)
        ThrowSystemError(errno);
    return info;
}

FileDescriptor OpenAt(const WritePlace& place, int access) {
    return FileDescriptor(openat(place.folder.get(), place.name.c_str(),
                                 access | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
}

// Opening for writing asks the system itself whether this process may write the file, which
// also answers for root (read-only file systems, immutable files), unlike the permission bits.
// A program that is running may not be opened for writing at all (after that permission was
// granted): it is opened for reading, to be locked and replaced by rename. Invalid when there is
// no file of the name.
FileDescriptor OpenExisting(const WritePlace& place, bool& running) {
    FileDescriptor fd = OpenAt(place, O_RDWR);
    running = !fd.Valid() && errno == ETXTBSY;
    if (running)
        fd = OpenAt(place, O_RDONLY);
    if (!fd.Valid()) {
        if (errno == ENOENT)
            return fd;
        ThrowSystemError(errno);
    }
    if (!S_ISREG(StatOf(fd.get()).st_mode))
        throw IoError("Not a regular file");
    return fd;
}

FileDescriptor OpenTarget(const WritePlace& place, ReplacingFile::Existing existing,
                          bool& running) {
    if (existing == ReplacingFile::Existing::Replace)
        return OpenExisting(place, running);
    struct stat info {};
    if (fstatat(place.folder.get(), place.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
        ThrowSystemError(EEXIST);
    return {};
}

mode_t WithExecute(mode_t mode) {
    return mode | ((mode & 0444) >> 2);
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

ReplacingFile::ReplacingFile(const std::filesystem::path& target, Existing existing,
                             WriteOptions options)
    : place_(ResolveWritePlace(target)), existing_(existing), options_(std::move(options)),
      target_(OpenTarget(place_, existing, targetRunning_)),
      temporary_(place_.folder, place_.name) {}

ReplacingFile::ReplacingFile(const FolderHandle& folder, const std::string& name, Existing existing,
                             WriteOptions options)
    : place_(ResolveWritePlace(folder, name)), existing_(existing), options_(std::move(options)),
      target_(OpenTarget(place_, existing, targetRunning_)),
      temporary_(place_.folder, place_.name) {}

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
            target_ = OpenExisting(place_, targetRunning_);
            continue;
        }
        if (!LockTargetInPlace()) {
            target_ = OpenExisting(place_, targetRunning_);
            continue;
        }
        if (!targetRunning_)
            RestoreCutOffRewrite(place_, target_.get());
        std::vector<std::string> refused;
        if (TakeOverTargetAttributes(refused)) {
            temporary_.ReplaceInto(place_.name);
            FlushFolder(place_.folder.get());
            if (!refused.empty() && options_.notice)
                options_.notice(AttributesNotKeptNotice(place_.Path().string(), refused));
        } else {
            RewriteTargetInPlace();
        }
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
    if (created_)
        FlushFolder(place_.folder.get());
}

// Waits for the other writers of the target to finish; false when what was locked is no
// longer the file in place (one of them put a new file there).
bool ReplacingFile::LockTargetInPlace() {
    LockExclusively(target_.get(), options_);
    struct stat there {};
    if (fstatat(place_.folder.get(), place_.name.c_str(), &there, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    return SameFile(there, StatOf(target_.get()));
}

// Gives the temporary file the target's owner, group, extended attributes and permissions
// (refused: the attributes it could not give); false when the target has further hard links or
// the process may not give that owner or group.
bool ReplacingFile::TakeOverTargetAttributes(std::vector<std::string>& refused) {
    const struct stat info = StatOf(target_.get());
    if (info.st_nlink > 1 || fchown(temporary_.get(), info.st_uid, info.st_gid) != 0)
        return false;
    // After fchown, which takes a program's capabilities away; before fchmod, which then sets
    // the access control list's mask as the permissions' group bits say.
    refused = CopyExtendedAttributes(target_.get(), temporary_.get());
    // After fchown, which clears the set-user-ID and set-group-ID bits.
    const mode_t mode = info.st_mode & 07777;
    if (fchmod(temporary_.get(), executable_ ? WithExecute(mode) : mode) != 0)
        ThrowSystemError(errno);
    return true;
}

void ReplacingFile::RewriteTargetInPlace() {
    if (targetRunning_)
        throw IoError("the file is a program that is running, and as it has other hard links "
                      "(or an owner this user may not give a new file) it could only be "
                      "rewritten in place, which the system does not allow while it runs; end "
                      "the program or write to another name");
    RewriteInPlace(place_, target_.get(), temporary_.get());
    const mode_t mode = StatOf(target_.get()).st_mode & 07777;
    if (executable_ && fchmod(target_.get(), WithExecute(mode)) != 0)
        throw IoError(std::string("it was written but cannot be made executable: ") +
                      SystemErrorText(errno));
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
