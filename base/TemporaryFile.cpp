#include "TemporaryFile.h"

#include "SystemFileCalls.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace umbrascope {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t LongestName = 255; // bytes, as the common Linux file systems allow
constexpr std::size_t RandomPart = 6;
constexpr int MostTries = 100;

// An unnamed file is named through /proc/self/fd; without /proc it could never be put in place.
bool CanNameUnnamedFiles() {
    static const bool can = access("/proc/self/fd", X_OK) == 0;
    return can;
}

std::string ProcPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

// ".NAME.XXXXXX".
std::string HiddenNameFor(const std::string& hint) {
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::array<unsigned char, RandomPart> random{};
    if (getrandom(random.data(), random.size(), 0) != static_cast<ssize_t>(random.size()))
        for (auto& byte : random)
            byte = static_cast<unsigned char>(std::rand());
    std::string suffix = ".";
    for (const unsigned char byte : random)
        suffix += Letters[byte % (sizeof Letters - 1)];
    return HiddenName(hint, suffix);
}

} // namespace

std::string HiddenName(const std::string& name, const std::string& suffix) {
    std::size_t keep =
        std::min(name.size(), LongestName - 1 - std::min(suffix.size(), LongestName - 1));
    while (keep > 0 && keep < name.size() &&
           (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;
    return "." + name.substr(0, keep) + suffix;
}

TemporaryFile::TemporaryFile(const FolderHandle& folder, const std::string& nameHint)
    : folder_(folder.Duplicate()), hint_(nameHint) {
    // Made with the usual permissions to learn them without touching the process's mask,
    // which other threads may be using; then closed to others until it is complete.
    fd_ = FileDescriptor(openat(folder_.get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
    if (fd_.Valid() && !CanNameUnnamedFiles())
        fd_.Reset();
    else if (!fd_.Valid() && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        ThrowSystemError(folder_.Path(), errno);
    for (int tries = 0; !fd_.Valid() && tries < MostTries; ++tries) {
        std::string name = HiddenNameFor(hint_);
        fd_ = FileDescriptor(openat(folder_.get(), name.c_str(),
                                    O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (fd_.Valid())
            hiddenName_ = std::move(name);
        else if (errno != EEXIST)
            ThrowSystemError(folder_.Path(), errno);
    }
    if (!fd_.Valid())
        ThrowSystemError(folder_.Path(), EEXIST);
    struct stat info {};
    if (fstat(fd_.get(), &info) == 0)
        newFileMode_ = info.st_mode & 0777;
    if (fchmod(fd_.get(), 0600) != 0) {
        const int error = errno;
        if (!hiddenName_.empty())
            unlinkat(folder_.get(), hiddenName_.c_str(), 0);
        ThrowSystemError(folder_.Path(), error);
    }
}

TemporaryFile::~TemporaryFile() {
    if (!placed_ && !hiddenName_.empty())
        unlinkat(folder_.get(), hiddenName_.c_str(), 0);
}

fs::path TemporaryFile::OpenablePath() const {
    return hiddenName_.empty() ? fs::path(ProcPath(fd_.get())) : folder_.Path() / hiddenName_;
}

void TemporaryFile::GiveHiddenName() {
    for (int tries = 0; hiddenName_.empty(); ++tries) {
        std::string name = HiddenNameFor(hint_);
        if (linkat(AT_FDCWD, ProcPath(fd_.get()).c_str(), folder_.get(), name.c_str(),
                   AT_SYMLINK_FOLLOW) == 0)
            hiddenName_ = std::move(name);
        else if (errno != EEXIST || tries == MostTries)
            ThrowSystemError(folder_.Path(), errno);
    }
}

void TemporaryFile::ReplaceInto(const std::string& name) {
    GiveHiddenName();
    if (renameat(folder_.get(), hiddenName_.c_str(), folder_.get(), name.c_str()) != 0)
        ThrowSystemError(folder_.Path() / name, errno);
    hiddenName_.clear();
    placed_ = true;
}

bool TemporaryFile::LinkAsNew(const std::string& name) {
    int result = 0;
    if (hiddenName_.empty()) {
        result = linkat(AT_FDCWD, ProcPath(fd_.get()).c_str(), folder_.get(), name.c_str(),
                        AT_SYMLINK_FOLLOW);
    } else {
        result = renameat2(folder_.get(), hiddenName_.c_str(), folder_.get(), name.c_str(),
                           RENAME_NOREPLACE);
        // A file system without the flag: a new link fails just the same where a name is taken.
        if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
            result = linkat(folder_.get(), hiddenName_.c_str(), folder_.get(), name.c_str(), 0);
            if (result == 0)
                unlinkat(folder_.get(), hiddenName_.c_str(), 0);
        }
    }
    if (result != 0 && errno == EEXIST)
        return false;
    if (result != 0)
        ThrowSystemError(folder_.Path() / name, errno);
    hiddenName_.clear();
    placed_ = true;
    return true;
}

fs::path TemporaryFile::Keep() {
    GiveHiddenName();
    placed_ = true;
    return folder_.Path() / hiddenName_;
}

} // namespace umbrascope
