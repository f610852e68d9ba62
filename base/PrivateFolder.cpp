#include "PrivateFolder.h"

#include "FileUtils.h"
#include "SystemFileCalls.h"
#include "SystemFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace umbrascope {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Throw(const fs::path& path, int error) {
    ThrowSystemError(path, error);
}

struct Candidate {
    fs::path folder;
    std::string variable; // the environment's variable that names it, if one does
};

// $TMPDIR when set, else /tmp; then the others, each once. In place of a TMPDIR that cannot be
// used, the user's own runtime folder comes first.
std::vector<Candidate> TemporaryFolders() {
    const char* const temporary = std::getenv("TMPDIR");
    const char* const runtime = std::getenv("XDG_RUNTIME_DIR");
    std::vector<Candidate> folders;
    const auto add = [&folders](const char* folder, const char* variable) {
        if (folder && *folder &&
            std::none_of(folders.begin(), folders.end(),
                         [folder](const Candidate& taken) { return taken.folder == folder; }))
            folders.push_back({folder, variable});
    };
    add(temporary, "TMPDIR");
    if (temporary && *temporary)
        add(runtime, "XDG_RUNTIME_DIR");
    add("/tmp", "");
    add(runtime, "XDG_RUNTIME_DIR");
    return folders;
}

void CheckOthersCannotChange(int folder, const fs::path& shown) {
    struct stat info {};
    if (fstat(folder, &info) != 0)
        Throw(shown, errno);
    if (!KeepsOthersOut(info, true))
        throw UnsafeFolderError(shown);
}

// The folder open, when no other user can change it or a folder above it. Throws IoError
// naming the folder that fails.
FileDescriptor OpenFolderOthersCannotChange(const fs::path& folder) {
    if (!folder.is_absolute())
        throw IoError(folder.string() + ": not a path from /");
    FileDescriptor at(open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    fs::path shown = "/";
    if (!at.Valid())
        Throw(shown, errno);
    for (const fs::path& part : folder.lexically_normal().relative_path()) {
        CheckOthersCannotChange(at.get(), shown);
        const std::string name = part.string();
        if (name.empty() || name == ".")
            continue;
        struct stat link {};
        if (fstatat(at.get(), name.c_str(), &link, AT_SYMLINK_NOFOLLOW) != 0)
            Throw(shown / name, errno);
        // A link was made by whoever may write where it is; another user's could lead anywhere.
        if (S_ISLNK(link.st_mode) && link.st_uid != geteuid() && link.st_uid != 0)
            throw UnsafeFolderError(shown / name);
        FileDescriptor next(openat(at.get(), name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!next.Valid())
            Throw(shown / name, errno);
        at = std::move(next);
        shown /= name;
    }
    CheckOthersCannotChange(at.get(), shown);
    return at;
}

// Removes everything in the folder through its descriptor.
void RemoveContents(int folder) {
    std::vector<std::string> names;
    const int listing = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (DIR* const entries = listing < 0 ? nullptr : fdopendir(listing)) {
        while (const dirent* entry = readdir(entries))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                names.emplace_back(entry->d_name);
        closedir(entries);
    } else if (listing >= 0) {
        close(listing);
    }
    for (const std::string& name : names) {
        if (unlinkat(folder, name.c_str(), 0) == 0 || errno != EISDIR)
            continue;
        const FileDescriptor inner(
            openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (inner.Valid())
            RemoveContents(inner.get());
        unlinkat(folder, name.c_str(), AT_REMOVEDIR);
    }
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

PrivateFolder::PrivateFolder(std::string_view prefix) {
    std::string failures;
    for (const Candidate& candidate : TemporaryFolders()) {
        try {
            MakeIn(candidate.folder, prefix);
            if (!failures.empty())
                notice_ =
                    failures + "; temporary files go to " + candidate.folder.string() + " instead";
            return;
        } catch (const IoError& error) {
            failures += (failures.empty() ? "" : "; ") +
                        (candidate.variable.empty() ? "" : candidate.variable + ": ") +
                        error.what();
        }
    }
    throw IoError("no folder for temporary files: " + failures);
}

void PrivateFolder::MakeIn(const fs::path& parent, std::string_view prefix) {
    FileDescriptor opened = OpenFolderOthersCannotChange(parent);
    // mkdtemp makes the folder owner-only under a name nobody could have foreseen; through the
    // descriptor it is made in the very folder that was checked.
    std::string pattern =
        (PathThroughDescriptor(opened.get(), parent) / (std::string(prefix) + ".XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr)
        Throw(parent, errno);
    std::string name = fs::path(pattern).filename().string();
    FileDescriptor fd(
        openat(opened.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.Valid()) {
        const int error = errno;
        unlinkat(opened.get(), name.c_str(), AT_REMOVEDIR);
        Throw(parent / name, error);
    }
    parent_ = std::move(opened);
    name_ = std::move(name);
    handle_ = FolderHandle(std::move(fd), parent / name_);
    openable_ = PathThroughDescriptor(handle_.get(), handle_.Path());
}

PrivateFolder::~PrivateFolder() {
    RemoveContents(handle_.get());
    // Only the folder this object made: should it have gone, whatever took its name stays.
    struct stat there {};
    struct stat made {};
    if (fstatat(parent_.get(), name_.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
        fstat(handle_.get(), &made) == 0 && SameFile(there, made))
        unlinkat(parent_.get(), name_.c_str(), AT_REMOVEDIR);
}

} // namespace umbrascope
