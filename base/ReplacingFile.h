#pragma once

// A file written under a temporary name beside its target and put in place only when complete,
// so that a failed or abandoned write never destroys what the target held.
//
// Putting in place keeps what the target is: a symbolic link is followed and stays a link, and
// an existing file keeps its permissions, owner, group and hard links. Where a rename cannot
// keep them (more than one hard link, an owner or group the process may not give), the target
// is rewritten in place from a backup copy, read back to check it, and restored from the copy
// should that fail.
//
// Thread rule: one writer, one thread.

#include <cstddef>
#include <cstdint>
#include <filesystem>

class ReplacingFile {
public:
    // Refuses, with the system's message, an existing target that is not a regular file or
    // that this process may not read and write; then creates the temporary file in the
    // target's folder. Throws EInOutError.
    explicit ReplacingFile(std::filesystem::path target);
    // Removes the temporary file unless Commit succeeded.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Appends bytes. Throws EInOutError.
    void Write(const void* data, std::size_t bytes);

    // Overwrites bytes already written (a header whose sizes are known at the end).
    void WriteAt(std::uint64_t offset, const void* data, std::size_t bytes);

    // The temporary file's name, for a library that writes files only by name: what it has
    // written there and closed is what Commit puts in place (Write is not used then).
    const std::filesystem::path& TemporaryPath() const { return temporary_; }

    // Flushes to the disk and puts the bytes in place. Throws EInOutError; the target then
    // holds what it held before.
    void Commit();

private:
    void OpenExistingTarget();
    bool TakeOverTargetAttributes();
    void RenameIntoPlace();
    void RewriteInPlace();

    std::filesystem::path target_; // with symbolic links followed
    std::filesystem::path temporary_;
    int fd_ = -1;
    std::uint64_t written_ = 0; // where Write appends
    int targetFd_ = -1; // the existing target, open for reading and writing; -1 for a new file
};
