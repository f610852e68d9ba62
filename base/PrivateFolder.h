#pragma once

// A folder of the user's own for files the program needs only while it runs: made with a fresh
// name in the temporary folder, entered by its owner alone, and removed with everything in it
// when the object goes.
//
// The temporary folder is $TMPDIR (else /tmp) when neither it nor a folder above it can be
// changed by another user: each must be the user's or root's and writable by no other user
// unless sticky (as /tmp is: others may add names there but not move or remove the user's).
// When it is missing or fails that rule, the folder is made in $XDG_RUNTIME_DIR or /tmp,
// whichever holds, and Notice() says why. The folder is made in, and removed from, the
// descriptor of the folder that holds it, and emptied through its own, never by a path that
// someone could have changed meanwhile.
//
// Thread rule: one owner; the folder's files may be read from any thread while it lives.

#include "FileDescriptor.h"
#include "WritePlace.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace umbrascope {

class PrivateFolder {
public:
    // prefix begins the folder's name. Throws IoError naming every temporary folder tried.
    explicit PrivateFolder(std::string_view prefix);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // Where the folder is, for messages.
    const std::filesystem::path& Path() const { return handle_.Path(); }
    // A path to this very folder through its descriptor ("/proc/self/fd/N"), so that files opened
    // by name in it cannot be taken from anywhere else; Path() where /proc is not there.
    const std::filesystem::path& OpenablePath() const { return openable_; }
    // The folder open, to create files in it (CreateNewFile).
    const FolderHandle& Handle() const { return handle_; }
    // Why the folder is not in the usual temporary folder; empty when it is.
    const std::string& Notice() const { return notice_; }

private:
    void MakeIn(const std::filesystem::path& parent, std::string_view prefix);

    FileDescriptor parent_;
    std::string name_;
    FolderHandle handle_;
    std::filesystem::path openable_;
    std::string notice_;
};

} // namespace umbrascope
