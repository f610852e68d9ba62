#pragma once

// Fuzz input as a file the track sources can open by name: an anonymous in-memory file,
// named through /proc/self/fd.

#include "audio/sources/TrackSource.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace umbrascope {

class MemoryFile {
public:
    MemoryFile(const std::uint8_t* data, std::size_t size)
        : fd_(memfd_create("fuzz-input", MFD_CLOEXEC)) {
        for (std::size_t done = 0; fd_ >= 0 && done < size;) {
            const ssize_t wrote = write(fd_, data + done, size - done);
            if (wrote <= 0)
                break;
            done += static_cast<std::size_t>(wrote);
        }
    }
    ~MemoryFile() {
        if (fd_ >= 0)
            close(fd_);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::string Path() const { return "/proc/self/fd/" + std::to_string(fd_); }

private:
    int fd_;
};

// Plays a few buffers of a source as the streaming loop would.
inline void PlaySome(TrackSource& source, int buffers) {
    std::string buffer(source.BufferBytes(), '\0');
    for (int i = 0; i < buffers; ++i) {
        source.Fill(reinterpret_cast<std::uint8_t*>(buffer.data()));
        source.AfterSwitch();
    }
}

} // namespace umbrascope
