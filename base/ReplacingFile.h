#pragma once

// A file written as a temporary file in its target's folder and put in place only when
// complete, so that a failed or abandoned write never destroys what the target held, and a
// writer that is killed leaves nothing behind where the file system has unnamed temporary
// files (TemporaryFile). Where the target is found follows the rules of WritePlace.h.
//
// Putting in place keeps what the target is: a symbolic link that may be followed stays a
// link, and an existing file keeps its permissions, owner, group and hard links. Where a
// rename cannot keep them (more than one hard link, an owner or group the process may not
// give), the target is rewritten in place from a backup copy that survives a kill
// (InPlaceRewrite.h), read back to check it, and restored from the copy should that fail. Writers
// of one target take turns: each holds an exclusive lock on it from before it looks at the
// target until its bytes are in place, waiting for it as its WriteOptions say, and first puts
// back what a rewrite that was cut off left in a backup. A rename keeps the target's extended
// attributes and access control list; those the file system refuses are told to the options'
// notice. A program that is running is replaced by rename, as the system lets nobody write it.
//
// Thread rule: one writer, one thread.

#include "FileDescriptor.h"
#include "TemporaryFile.h"
#include "WriteOptions.h"
#include "WritePlace.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace umbrascope {

class ReplacingFile {
public:
    // Replace: whatever file is at the target is replaced. Refuse: the file must be new; there
    // must be nothing of its name, at the start and when it is put in place.
    enum class Existing { Replace, Refuse };

    // Refuses, with the system's message, a link that may not be followed, an existing target
    // that is not a regular file or that this process may not read and write; then creates
    // the temporary file in the target's folder. Throws IoError.
    explicit ReplacingFile(const std::filesystem::path& target,
                           Existing existing = Existing::Replace, WriteOptions options = {});
    // The same for a name in an open folder.
    ReplacingFile(const FolderHandle& folder, const std::string& name,
                  Existing existing = Existing::Replace, WriteOptions options = {});
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Appends bytes. Throws IoError.
    void Write(const void* data, std::size_t bytes);

    // Overwrites bytes already written (a header whose sizes are known at the end).
    void WriteAt(std::uint64_t offset, const void* data, std::size_t bytes);

    // A name that opens the temporary file, for a library that writes files only by name:
    // what it has written there and closed is what Commit puts in place (Write is not used
    // then).
    std::filesystem::path TemporaryPath() const { return temporary_.OpenablePath(); }

    // The file is put in place with execute permission wherever it has read permission.
    void MakeExecutable() { executable_ = true; }

    // Flushes to the disk and puts the bytes in place. Throws IoError (LockWaitEnded when the
    // options stopped the wait for another program's lock); the target then holds what it held
    // before.
    void Commit();

    // Removes a file that Commit created new, when it is still the one written there: for a
    // writer of several files that must all appear or none.
    void Withdraw();

private:
    void OpenExistingTarget();
    bool LockTargetInPlace();
    bool TakeOverTargetAttributes(std::vector<std::string>& refused);
    void RewriteTargetInPlace();
    void PutNewFileInPlace();

    WritePlace place_;
    Existing existing_;
    WriteOptions options_;
    FileDescriptor target_;      // the existing target, open for reading and writing
    bool targetRunning_ = false; // ... or only for reading: it is a program that is running
    TemporaryFile temporary_;
    std::uint64_t written_ = 0; // where Write appends
    bool executable_ = false;
    bool created_ = false; // Commit made a new file
};

} // namespace umbrascope
