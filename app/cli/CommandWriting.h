#pragma once

// How a command's output file is written when another program holds a lock on it: within a
// second the command says so on standard error and then waits, until the lock is let go, an
// interruption (CommandInterrupted, as promptly as a copy stops) or LockWaitLimit. What the file
// was written without (an access control list the file system refused) is told on standard
// error; the write itself succeeds.
//
// Thread rule: the command's only thread.

#include "base/WriteOptions.h"

#include <filesystem>

namespace umbrascope {

WriteOptions CommandWriteOptions(const std::filesystem::path& output);

} // namespace umbrascope
