#include "SystemFileCalls.h"

#include "FileUtils.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace umbrascope {

void ThrowSystemError(int error) {
    throw IoError(std::strerror(error));
}

std::size_t ReadFullyAt(int fd, void* into, std::size_t bytes, std::uint64_t offset) {
    auto* target = static_cast<char*>(into);
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t got =
            pread(fd, target + done, bytes - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ThrowSystemError(errno);
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void WriteFullyAt(int fd, const void* from, std::size_t bytes, std::uint64_t offset) {
    const auto* source = static_cast<const char*>(from);
    while (bytes > 0) {
        const ssize_t wrote = pwrite(fd, source, bytes, static_cast<off_t>(offset));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            ThrowSystemError(errno);
        source += wrote;
        offset += static_cast<std::uint64_t>(wrote);
        bytes -= static_cast<std::size_t>(wrote);
    }
}

} // namespace umbrascope
