#pragma once

// Where the program writes a file, decided in one place for every writer (see
// docs/decisions/0019):
// - a path is walked one name at a time from a descriptor of the folder reached so far, and a
//   symbolic link on the way is followed only where the kernel would with protected_symlinks
//   on: in a folder that is sticky and that everyone may write (/tmp), only a link of the
//   user's own or of the folder's owner. Another user's link there is refused, whatever the
//   system's own setting, because the writers create, rename and rewrite at the place reached,
//   where the kernel's check no longer applies;
// - the writers then work relative to the descriptor of the folder reached (ReplacingFile,
//   TemporaryFile, CreateNewFile), so renaming a folder on the way cannot redirect them.
//
// Thread rule: the functions may run on any thread; a FolderHandle has one owner.

#include "FileDescriptor.h"
#include "FileUtils.h"

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace umbrascope {

// An open folder, and its path as it was named (for messages).
class FolderHandle {
public:
    FolderHandle() = default;
    FolderHandle(FileDescriptor fd, std::filesystem::path path)
        : fd_(std::move(fd)), path_(std::move(path)) {}

    int get() const { return fd_.get(); }
    const std::filesystem::path& Path() const { return path_; }

    // Another descriptor of the same folder. Throws IoError.
    FolderHandle Duplicate() const;

private:
    FileDescriptor fd_;
    std::filesystem::path path_;
};

// A file's place: the folder it is in and its name there, which was not a symbolic link when
// the place was found (and which the writers never follow should it become one).
struct WritePlace {
    FolderHandle folder;
    std::string name;

    std::filesystem::path Path() const { return folder.Path() / name; }
};

// Where writing target leads, every link on the way followed as far as it may be. Throws
// IoError naming the link that may not be followed, a folder on the way that cannot be
// entered, or a target that names a folder.
WritePlace ResolveWritePlace(const std::filesystem::path& target);
// The same for a name in an open folder.
WritePlace ResolveWritePlace(const FolderHandle& folder, const std::string& name);

// The folder itself, reached the same way. Throws IoError.
FolderHandle OpenFolderForWriting(const std::filesystem::path& folder);

// True when both paths lead to one existing file, through symbolic links or hard links.
bool SameExistingFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Creates name in folder for writing; fails when anything of that name is there, a symbolic
// link or a dangling one included, so checking and creating are one step. Throws IoError
// naming the file.
FileDescriptor CreateNewFile(const FolderHandle& folder, const std::string& name, mode_t mode);

// A folder that another user could change: its owner, or others' permission to write it.
class UnsafeFolderError : public IoError {
public:
    explicit UnsafeFolderError(const std::filesystem::path& folder);
    const std::filesystem::path& Folder() const { return folder_; }

private:
    std::filesystem::path folder_;
};

// Whether a folder keeps other users out: the user's or root's, and writable by no other user
// (by the user's own group at most), or, with stickyWillDo, sticky (others may then add names
// but not move or remove the user's).
bool KeepsOthersOut(const struct stat& info, bool stickyWillDo);

// Opens a folder for the program's own files, creating it and any missing folder above it
// owner-only. The folder must be the user's own and not a symbolic link, and is made
// owner-only; every folder above it must be the user's or root's and writable by no other
// user, except that folders further up than its parent may be sticky (as /tmp is: nobody else
// can then rename what is in them). Throws UnsafeFolderError naming the first folder that fails,
// or IoError.
FolderHandle OpenPrivateFolder(const std::filesystem::path& folder);

} // namespace umbrascope
