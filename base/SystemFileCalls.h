#pragma once

// The file system calls that base/ repeats: reads and writes at a position that go on after
// signals and short transfers, flushing a folder, and the system's message as an IoError.
//
// Thread rule: as safe as the calls themselves (pread and pwrite on one descriptor).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace umbrascope {

// The system's message for error. For the limits of open files it says which limit was
// reached and what it is, since "Too many open files" leaves the user guessing.
std::string SystemErrorText(int error);

[[noreturn]] void ThrowSystemError(int error);

// The same, the message starting with the path the error is about. Not for the limits of open
// files, which no path is to blame for: their message stands alone, and the caller names the
// file it was writing.
[[noreturn]] void ThrowSystemError(const std::filesystem::path& path, int error);

// Reads up to bytes at offset; fewer only at the end of the file. Throws IoError.
std::size_t ReadFullyAt(int fd, void* into, std::size_t bytes, std::uint64_t offset);

// Writes all bytes at offset. Throws IoError.
void WriteFullyAt(int fd, const void* from, std::size_t bytes, std::uint64_t offset);

// Flushes the folder's entries to the disk, so a name made or removed there survives a power
// cut. folder may be an O_PATH descriptor; a folder that cannot be opened for reading or
// a file system that cannot flush folders is left as it is. Throws IoError.
void FlushFolder(int folder);

} // namespace umbrascope
