#pragma once

// A folder of the user's own for files the program needs only while it runs: made with a fresh
// name in the temporary folder ($TMPDIR, else /tmp), entered by its owner alone, and removed
// with everything in it when the object goes.
//
// Thread rule: one owner; the folder's files may be read from any thread while it lives.

#include "WritePlace.h"

#include <filesystem>
#include <string_view>

namespace umbrascope {

class PrivateFolder {
public:
    // prefix begins the folder's name. Throws IoError.
    explicit PrivateFolder(std::string_view prefix);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The folder open, to create files in it (CreateNewFile).
    const FolderHandle& Handle() const { return handle_; }

private:
    std::filesystem::path path_;
    FolderHandle handle_;
};

} // namespace umbrascope
