#include "SystemFileCalls.h"

#include "FileDescriptor.h"
#include "FileUtils.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace umbrascope {

namespace {

std::string SystemWideFileLimit() {
    std::ifstream limit("/proc/sys/fs/file-max");
    std::string value;
    return limit >> value ? value : std::string("unknown");
}

} // namespace

std::string SystemErrorText(int error) {
    if (error == EMFILE) {
        rlimit limit{};
        const std::string most = getrlimit(RLIMIT_NOFILE, &limit) == 0
                                     ? std::to_string(limit.rlim_cur)
                                     : std::string("unknown");
        return "this program has as many files open as it may (its limit is " + most +
               ", see ulimit -n): too many files or tracks are open at once";
    }
    if (error == ENFILE)
        return "the whole system has as many files open as it allows (its limit is " +
               SystemWideFileLimit() + ", /proc/sys/fs/file-max)";
    return std::strerror(error);
}

void ThrowSystemError(int error) {
    throw IoError(SystemErrorText(error));
}

void ThrowSystemError(const std::filesystem::path& path, int error) {
    if (error == EMFILE || error == ENFILE)
        ThrowSystemError(error);
    throw IoError(path.string() + ": " + SystemErrorText(error));
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

void FlushFolder(int folder) {
    // A folder the user may write but not read cannot be flushed from here: its entries reach
    // the disk in the file system's own time, and what was done in it stands.
    const FileDescriptor readable(openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!readable.Valid())
        return;
    if (fsync(readable.get()) != 0 && errno != EINVAL)
        ThrowSystemError(errno);
}

} // namespace umbrascope
