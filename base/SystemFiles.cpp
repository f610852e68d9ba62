#include "SystemFiles.h"

#include "SystemFileCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <string>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace umbrascope {

namespace {

// The file systems through which the kernel shows itself, wherever they are mounted.
bool IsKernelFileSystem(decltype(statfs::f_type) type) {
    switch (type) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEVPTS_SUPER_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case BPF_FS_MAGIC:
    case PSTOREFS_MAGIC:
    case EFIVARFS_MAGIC:
    case BINFMTFS_MAGIC:
        return true;
    default:
        return false;
    }
}

// Whether the file lies on the file system mounted at /proc, /sys or /dev (devtmpfs names
// itself tmpfs, so its device tells). A folder that is not a mount of its own tells nothing.
bool OnSystemMount(const struct stat& file) {
    struct stat root {};
    if (stat("/", &root) != 0)
        return false;
    for (const char* folder : {"/proc", "/sys", "/dev"}) {
        struct stat mount {};
        if (stat(folder, &mount) == 0 && mount.st_dev != root.st_dev && mount.st_dev == file.st_dev)
            return true;
    }
    return false;
}

std::string ProcPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

} // namespace

SystemFileError::SystemFileError()
    : IoError("a device, a pipe or a file of the system (under /proc, /sys or /dev)") {}

bool IsSystemFile(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return true; // nothing known of it: not to be handed over
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode) || S_ISFIFO(info.st_mode) ||
        S_ISSOCK(info.st_mode))
        return true;
    struct statfs system {};
    return (fstatfs(fd, &system) == 0 && IsKernelFileSystem(system.f_type)) || OnSystemMount(info);
}

FileDescriptor OpenUserFileForReading(const std::filesystem::path& path) {
    // O_PATH reaches the file without opening it, which for a device could already act.
    const FileDescriptor reached(open(path.c_str(), O_PATH | O_CLOEXEC));
    if (!reached.Valid())
        ThrowSystemError(errno);
    if (IsSystemFile(reached.get()))
        throw SystemFileError();
    FileDescriptor fd(open(ProcPath(reached.get()).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.Valid() && errno == ENOENT) {
        // No /proc: opened by name again, and judged again, as what the name now leads to.
        fd = FileDescriptor(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
        if (fd.Valid() && IsSystemFile(fd.get()))
            throw SystemFileError();
    }
    if (!fd.Valid())
        ThrowSystemError(errno);
    return fd;
}

std::filesystem::path PathThroughDescriptor(int fd, const std::filesystem::path& fallback) {
    const std::string path = ProcPath(fd);
    struct stat through {};
    struct stat opened {};
    if (stat(path.c_str(), &through) == 0 && fstat(fd, &opened) == 0 &&
        through.st_dev == opened.st_dev && through.st_ino == opened.st_ino)
        return path;
    return fallback;
}

} // namespace umbrascope
