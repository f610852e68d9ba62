#pragma once

// Rewriting a file in place (the file has other hard links, or an owner the process may not
// give a new file) so that at every moment the whole old or the whole new content can be had
// back, through a kill or a power cut too. Before the target is touched, a complete copy of it
// is flushed to the disk under a hidden name beside it that says which file it belongs to,
// ".NAME.backup-INODE" (NAME cut as for the temporary files), and the folder is flushed; the
// name goes only once the target holds the new bytes, flushed and read back. A backup found
// later is of a rewrite that was cut off: the next writer of the file restores it first, and
// opening a project restores it or says where it is.
//
// Thread rule: any thread; the caller holds the target's exclusive lock where one is asked.

#include "UserText.h"
#include "WritePlace.h"

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace umbrascope {

// The backup's name for the file called name whose inode is inode.
std::string BackupName(const std::string& name, ino_t inode);

// Makes the bytes of the file at to those of the file at from, flushed to the disk. Throws
// IoError.
void CopyWhole(int from, int to);

// Makes target (open for reading and writing at place, its lock held) hold the bytes of from,
// keeping the backup described above while it does. On a failure the old bytes are put back
// and the backup removed; should even that fail, the message says where the backup is. Throws
// IoError.
void RewriteInPlace(const WritePlace& place, int target, int from);

// Before a writer's turn, under its lock on target (open at place): puts back what target held
// before a rewrite of it was cut off, and removes that backup. Nothing when there is none.
// Throws IoError, saying where the backup is, when target could not be restored; nothing should
// be written then, or the backup would later undo it.
void RestoreCutOffRewrite(const WritePlace& place, int target);

// For whoever opens the file: restores a cut-off rewrite of it as above, taking the lock if
// nobody holds it, and says so; where a backup cannot be restored (the file not writable,
// locked by another program, or replaced meanwhile) it says where the backup is. Empty when
// there was nothing to tell. Throws nothing.
UserText RecoverCutOffRewrites(const std::filesystem::path& file);

} // namespace umbrascope
