#include "InPlaceRewrite.h"

#include "FileDescriptor.h"
#include "SystemFileCalls.h"
#include "TargetLock.h"
#include "TemporaryFile.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace umbrascope {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t CopyChunk = 1 << 20;
constexpr const char* BackupMark = ".backup-";

struct stat StatOf(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0)
        ThrowSystemError(errno);
    return info;
}

bool SameBytes(int a, int b) {
    std::vector<char> chunkA(CopyChunk), chunkB(CopyChunk);
    for (std::uint64_t offset = 0;;) {
        const std::size_t gotA = ReadFullyAt(a, chunkA.data(), chunkA.size(), offset);
        const std::size_t gotB = ReadFullyAt(b, chunkB.data(), chunkB.size(), offset);
        if (gotA != gotB || std::memcmp(chunkA.data(), chunkB.data(), gotA) != 0)
            return false;
        if (gotA == 0)
            return true;
        offset += gotA;
    }
}

void CopyChecked(int from, int to) {
    CopyWhole(from, to);
    if (!SameBytes(from, to))
        throw IoError("The file read back differs from what was written");
}

// A backup is believed only where nobody but a writer of the file could have made it: one
// name, the user's own, root's or the file owner's, and written by its owner alone. Otherwise
// another user could plant one in a shared folder for the next opening to copy into the file.
bool Trusted(const struct stat& backup, uid_t fileOwner) {
    return S_ISREG(backup.st_mode) && backup.st_nlink == 1 && (backup.st_mode & 022) == 0 &&
           (backup.st_uid == geteuid() || backup.st_uid == 0 || backup.st_uid == fileOwner);
}

void RemoveBackup(const WritePlace& place, const std::string& name) {
    if (unlinkat(place.folder.get(), name.c_str(), 0) != 0)
        ThrowSystemError(place.folder.Path() / name, errno);
    FlushFolder(place.folder.get());
}

// Puts the backup called name back into target; false when there is none to believe. Throws
// IoError with the system's message.
bool RestoreFrom(const WritePlace& place, int target, const std::string& name) {
    const FileDescriptor backup(openat(place.folder.get(), name.c_str(),
                                       O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!backup.Valid() && errno == ENOENT)
        return false;
    if (!backup.Valid())
        ThrowSystemError(errno);
    if (!Trusted(StatOf(backup.get()), StatOf(target).st_uid))
        return false;
    CopyChecked(backup.get(), target);
    RemoveBackup(place, name);
    return true;
}

// The names of the backups in place's folder that belong to a file of place's name, whatever
// its inode, and that may be believed, with the inodes they name.
std::vector<std::pair<std::string, ino_t>> BackupsOf(const WritePlace& place, uid_t fileOwner) {
    std::vector<std::pair<std::string, ino_t>> found;
    const int fd = openat(place.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* folder = fd >= 0 ? fdopendir(fd) : nullptr;
    if (!folder) {
        if (fd >= 0)
            close(fd);
        return found;
    }
    const std::string start = HiddenName(place.name, "");
    while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        const std::size_t mark = name.rfind(BackupMark);
        if (mark == std::string::npos || !name.starts_with(start.substr(0, mark)))
            continue;
        ino_t inode = 0;
        const char* digits = name.data() + mark + std::strlen(BackupMark);
        const auto [end, error] = std::from_chars(digits, name.data() + name.size(), inode);
        struct stat info {};
        if (error == std::errc() && end == name.data() + name.size() &&
            BackupName(place.name, inode) == name &&
            fstatat(place.folder.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            Trusted(info, fileOwner))
            found.emplace_back(name, inode);
    }
    closedir(folder);
    return found;
}

UserText NotRestored(const fs::path& file, const fs::path& backup, const std::string& reason) {
    return {Translatable("umbrascope::InPlaceRewrite",
                         "Запись в файл %1 была прервана, и его прежнее содержимое не "
                         "удалось восстановить (%2). Оно сохранено в файле %3."),
            {file.string(), reason, backup.string()}};
}

// Restores the backup called name into the file at place, under the file's lock.
UserText RestoreOpenedFile(const WritePlace& place, const std::string& name) {
    const fs::path backup = place.folder.Path() / name;
    const FileDescriptor target(openat(place.folder.get(), place.name.c_str(),
                                       O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!target.Valid())
        return NotRestored(place.Path(), backup, SystemErrorText(errno));
    try {
        if (!TryLockExclusively(target.get()))
            return NotRestored(place.Path(), backup,
                               "another program holds the file locked: it may be writing it");
        if (!RestoreFrom(place, target.get(), name))
            return {};
    } catch (const IoError& failure) {
        return NotRestored(place.Path(), backup, failure.what());
    }
    return {Translatable("umbrascope::InPlaceRewrite",
                         "Запись в файл %1 была прервана (программу остановили или "
                         "отключилось питание). Его прежнее содержимое восстановлено "
                         "из резервной копии."),
            {place.Path().string()}};
}

void Add(UserText& told, UserText notice) {
    if (notice.Empty())
        return;
    if (told.Empty())
        told = std::move(notice);
    else
        told.lines.push_back(std::move(notice));
}

} // namespace

std::string BackupName(const std::string& name, ino_t inode) {
    return HiddenName(name, BackupMark + std::to_string(inode));
}

void CopyWhole(int from, int to) {
    std::vector<char> chunk(CopyChunk);
    std::uint64_t offset = 0;
    while (const std::size_t got = ReadFullyAt(from, chunk.data(), chunk.size(), offset)) {
        WriteFullyAt(to, chunk.data(), got, offset);
        offset += got;
    }
    if (ftruncate(to, static_cast<off_t>(offset)) != 0 || fsync(to) != 0)
        ThrowSystemError(errno);
}

void RewriteInPlace(const WritePlace& place, int target, int from) {
    const std::string name = BackupName(place.name, StatOf(target).st_ino);
    TemporaryFile backup(place.folder, place.name);
    CopyWhole(target, backup.get());
    if (!backup.LinkAsNew(name))
        throw IoError((place.folder.Path() / name).string() +
                      " is in the way of this file's backup; nothing was written");
    FlushFolder(place.folder.get());
    try {
        CopyChecked(from, target);
    } catch (const IoError& failure) {
        try {
            CopyChecked(backup.get(), target);
            RemoveBackup(place, name);
        } catch (const IoError&) {
            throw IoError(std::string(failure.what()) + "; the previous contents are kept in " +
                          (place.folder.Path() / name).string());
        }
        throw;
    }
    RemoveBackup(place, name);
}

void RestoreCutOffRewrite(const WritePlace& place, int target) {
    const std::string name = BackupName(place.name, StatOf(target).st_ino);
    try {
        RestoreFrom(place, target, name);
    } catch (const IoError& failure) {
        throw IoError("a rewrite of this file was cut off before, and its previous contents, "
                      "kept in " +
                      (place.folder.Path() / name).string() + ", could not be put back (" +
                      failure.what() + "); nothing was written");
    }
}

UserText RecoverCutOffRewrites(const fs::path& file) {
    UserText told;
    try {
        const WritePlace place = ResolveWritePlace(file);
        struct stat there {};
        const bool exists =
            fstatat(place.folder.get(), place.name.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(there.st_mode);
        for (const auto& [name, inode] : BackupsOf(place, exists ? there.st_uid : geteuid())) {
            if (exists && inode == there.st_ino)
                Add(told, RestoreOpenedFile(place, name));
            else
                Add(told, {Translatable("umbrascope::InPlaceRewrite",
                                        "Запись в файл %1 была прервана; его прежнее содержимое "
                                        "сохранено в файле %2. Файл с тех пор заменён другим, "
                                        "поэтому копия не восстановлена."),
                           {place.Path().string(), (place.folder.Path() / name).string()}});
        }
    } catch (const std::exception&) {
        // A file that cannot be reached for writing has nothing to restore that could be.
    }
    return told;
}

} // namespace umbrascope
