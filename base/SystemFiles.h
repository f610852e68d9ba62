#pragma once

// Files of the system rather than of a user: what the kernel shows under /proc and /sys, the
// devices under /dev, and devices, pipes and sockets anywhere. A session's media travel to
// others (a built session, an exported video), so such a file must never become one:
// /proc/self/environ would hand over the secrets of the environment. Where a file really is
// decides (its file system and its device), not how its path is spelled, so neither a symbolic
// link nor a bind mount gets one through.
//
// Thread rule: any thread.

#include "FileDescriptor.h"
#include "FileUtils.h"

#include <filesystem>

namespace umbrascope {

// Thrown for a system file where a user's file was wanted.
class SystemFileError : public IoError {
public:
    SystemFileError();
};

// Whether the open file (a descriptor opened with O_PATH will do) is a system file.
bool IsSystemFile(int fd);

// Opens a file that a user named for reading, without opening a device or a pipe on the way.
// Throws SystemFileError for a system file, IoError with the system's message when the file
// cannot be opened.
FileDescriptor OpenUserFileForReading(const std::filesystem::path& path);

// A path that opens this very file again ("/proc/self/fd/N"), for readers that open files only
// by name and must not be led elsewhere by a name changed meanwhile; fallback where /proc is not
// there.
std::filesystem::path PathThroughDescriptor(int fd, const std::filesystem::path& fallback);

} // namespace umbrascope
