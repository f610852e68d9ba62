#pragma once

// New files written one after another and put in place together: each is written under a
// hidden name beside its place (TemporaryFile, kept) and closed, so that a writer of any number
// of files holds a fixed number of descriptors; PutInPlace then gives each its name, where
// nothing of that name may be, and should anything fail before Keep, every file goes again.
// A writer that is killed leaves the hidden files behind.
//
// Thread rule: one owner.

#include "WritePlace.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace umbrascope {

class StagedFiles {
public:
    // Writes the file's bytes; its bytes are appended through write, which may throw.
    using Contents =
        std::function<void(const std::function<void(const char*, std::size_t)>& write)>;

    explicit StagedFiles(const FolderHandle& folder);
    // Removes every file, hidden or put in place, unless kept.
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Writes a file meant for name and closes it. Throws IoError (or what contents throws).
    void Add(const std::string& name, const Contents& contents);

    // Gives every file its name, refusing a name that is taken (by a link too). Throws IoError.
    void PutInPlace();

    // The files stay where they are.
    void Keep() { kept_ = true; }

private:
    struct File {
        std::string hidden;
        std::string name;
        dev_t device = 0;
        ino_t inode = 0;
        bool placed = false;
    };

    bool StillThere(const std::string& entry, const File& file) const;

    FolderHandle folder_;
    std::vector<File> files_;
    bool kept_ = false;
};

} // namespace umbrascope
