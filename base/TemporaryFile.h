#pragma once

// A file being written that is not yet under its name. Where the file system has unnamed
// temporary files (O_TMPFILE) it has no name at all until it is put in place, so a writer that
// is killed leaves nothing behind; elsewhere it has a hidden name beside its target,
// ".NAME.XXXXXX" (NAME cut so that the whole fits the file system's 255 bytes), which it
// removes unless put in place.
//
// Thread rule: one owner.

#include "FileDescriptor.h"
#include "WritePlace.h"

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace umbrascope {

// A hidden name beside the file name: "." + name + suffix, name cut at a character's start so
// that the whole fits the file system's 255 bytes.
std::string HiddenName(const std::string& name, const std::string& suffix);

class TemporaryFile {
public:
    // Creates the file in folder, readable and writable by its owner alone; nameHint is the
    // name it is meant for. Throws IoError naming the folder.
    TemporaryFile(const FolderHandle& folder, const std::string& nameHint);
    // Removes the file unless it was put in place or kept.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int get() const { return fd_.get(); }

    // The permissions a new file gets here (0666 less the user's mask).
    mode_t NewFileMode() const { return newFileMode_; }

    // A path that opens this very file, for a library that opens files only by name.
    std::filesystem::path OpenablePath() const;

    // Puts the file under name in its folder, in place of whatever entry is there: a symbolic
    // link is replaced, never followed. Throws IoError.
    void ReplaceInto(const std::string& name);

    // Puts the file under name only when nothing of that name is there, not even a dangling
    // link: true when it did. Throws IoError for any other failure.
    bool LinkAsNew(const std::string& name);

    // Gives the file a hidden name of its own that stays when this object goes; its path.
    // Throws IoError.
    std::filesystem::path Keep();

private:
    void GiveHiddenName();

    FolderHandle folder_;
    std::string hint_;
    FileDescriptor fd_;
    std::string hiddenName_; // while the file has one of its own; empty otherwise
    mode_t newFileMode_ = 0644;
    bool placed_ = false;
};

} // namespace umbrascope
