#pragma once

// A file written beside its target under a temporary name and renamed into place only when
// complete, so that a failed or abandoned write never destroys what the target held.
//
// Thread rule: one writer, one thread.

#include <cstddef>
#include <cstdint>
#include <filesystem>

class ReplacingFile {
public:
    // Creates the temporary file in the target's folder. Throws EInOutError.
    explicit ReplacingFile(std::filesystem::path target);
    // Removes the temporary file unless Commit succeeded.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Appends bytes. Throws EInOutError.
    void Write(const void* data, std::size_t bytes);

    // Overwrites bytes already written (a header whose sizes are known at the end).
    void WriteAt(std::uint64_t offset, const void* data, std::size_t bytes);

    // Flushes to the disk and renames the file into place, keeping the target's permissions
    // when it exists. Throws EInOutError.
    void Commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
};
