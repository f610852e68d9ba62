#include "StagedFiles.h"

#include "SystemFileCalls.h"
#include "TemporaryFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace umbrascope {

namespace {

// Renames from to name unless something of that name is there; false with errno otherwise.
bool RenameAsNew(int folder, const std::string& from, const std::string& name) {
    if (renameat2(folder, from.c_str(), folder, name.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the flag: a new link fails just the same where a name is taken.
    if (linkat(folder, from.c_str(), folder, name.c_str(), 0) != 0)
        return false;
    unlinkat(folder, from.c_str(), 0);
    return true;
}

} // namespace

StagedFiles::StagedFiles(const FolderHandle& folder) : folder_(folder.Duplicate()) {}

StagedFiles::~StagedFiles() {
    if (kept_)
        return;
    for (const File& file : files_) {
        const std::string& entry = file.placed ? file.name : file.hidden;
        if (StillThere(entry, file))
            unlinkat(folder_.get(), entry.c_str(), 0);
    }
}

bool StagedFiles::StillThere(const std::string& entry, const File& file) const {
    struct stat info {};
    return fstatat(folder_.get(), entry.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
           info.st_dev == file.device && info.st_ino == file.inode;
}

void StagedFiles::Add(const std::string& name, const Contents& contents) {
    TemporaryFile temporary(folder_, name);
    std::uint64_t written = 0;
    contents([&](const char* bytes, std::size_t count) {
        WriteFullyAt(temporary.get(), bytes, count, written);
        written += count;
    });
    struct stat info {};
    if (fchmod(temporary.get(), temporary.NewFileMode()) != 0 || fsync(temporary.get()) != 0 ||
        fstat(temporary.get(), &info) != 0)
        ThrowSystemError(errno);
    File file{{}, name, info.st_dev, info.st_ino, false};
    file.hidden = temporary.Keep().filename().string();
    files_.push_back(std::move(file));
}

void StagedFiles::PutInPlace() {
    for (File& file : files_) {
        // A hidden file that someone replaced meanwhile is not put in place.
        if (!StillThere(file.hidden, file))
            throw IoError((folder_.Path() / file.hidden).string() +
                          ": replaced by another program while it was written");
        if (!RenameAsNew(folder_.get(), file.hidden, file.name))
            throw IoError((folder_.Path() / file.name).string() + ": " + std::strerror(errno));
        file.placed = true;
    }
}

} // namespace umbrascope
