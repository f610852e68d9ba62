#include "ReplacingFile.h"

#include "FileUtils.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void ThrowSystemError(int error) {
    throw EInOutError(std::strerror(error));
}

mode_t NewFileMode(const std::filesystem::path& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target) : target_(std::move(target)) {
    const std::filesystem::path folder =
        target_.has_parent_path() ? target_.parent_path() : std::filesystem::path(".");
    std::string pattern = (folder / ("." + target_.filename().string() + ".XXXXXX")).string();
    fd_ = mkstemp(pattern.data());
    if (fd_ < 0)
        ThrowSystemError(errno);
    temporary_ = pattern;
}

ReplacingFile::~ReplacingFile() {
    if (fd_ >= 0) {
        close(fd_);
        unlink(temporary_.c_str());
    }
}

void ReplacingFile::Write(const void* data, std::size_t bytes) {
    const auto* from = static_cast<const char*>(data);
    while (bytes > 0) {
        const ssize_t wrote = write(fd_, from, bytes);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            ThrowSystemError(errno);
        from += wrote;
        bytes -= static_cast<std::size_t>(wrote);
    }
}

void ReplacingFile::WriteAt(std::uint64_t offset, const void* data, std::size_t bytes) {
    const auto* from = static_cast<const char*>(data);
    while (bytes > 0) {
        const ssize_t wrote = pwrite(fd_, from, bytes, static_cast<off_t>(offset));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            ThrowSystemError(errno);
        from += wrote;
        offset += static_cast<std::uint64_t>(wrote);
        bytes -= static_cast<std::size_t>(wrote);
    }
}

void ReplacingFile::Commit() {
    if (fchmod(fd_, NewFileMode(target_)) != 0 || fsync(fd_) != 0)
        ThrowSystemError(errno);
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) {
        const int error = errno;
        unlink(temporary_.c_str());
        ThrowSystemError(error);
    }
    if (rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        unlink(temporary_.c_str());
        ThrowSystemError(error);
    }
}
