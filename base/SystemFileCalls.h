#pragma once

// The file system calls that base/ repeats: reads and writes at a position that go on after
// signals and short transfers, and the system's message as an IoError.
//
// Thread rule: as safe as the calls themselves (pread and pwrite on one descriptor).

#include <cstddef>
#include <cstdint>

namespace umbrascope {

[[noreturn]] void ThrowSystemError(int error);

// Reads up to bytes at offset; fewer only at the end of the file. Throws IoError.
std::size_t ReadFullyAt(int fd, void* into, std::size_t bytes, std::uint64_t offset);

// Writes all bytes at offset. Throws IoError.
void WriteFullyAt(int fd, const void* from, std::size_t bytes, std::uint64_t offset);

} // namespace umbrascope
