#pragma once

// How a writer waits when another program holds a lock on its target, and whom it tells what
// the written file could not keep. Given to ReplacingFile and to every writer that owns one, so
// each caller decides: the command line says within a second that it waits and stops at an
// interruption, the window shows the wait with Cancel, others wait up to LockWaitLimit.
//
// Thread rule: the functions run on the writer's thread.

#include "UserText.h"

#include <chrono>
#include <functional>

namespace umbrascope {

// How long a writer waits for another program's lock unless told otherwise. Any user who may
// read a file can lock it, so a lock may never be released.
constexpr std::chrono::seconds LockWaitLimit{60};

struct WriteOptions {
    // Called about every 50 ms while another program holds the lock, with the time waited;
    // returning false (or throwing) stops the write, which then throws LockWaitEnded. Empty:
    // the writer waits up to LockWaitLimit.
    std::function<bool(std::chrono::milliseconds waited)> whileLocked;
    // Told what the file was written without (an access control list the file system refused);
    // the write goes on. Empty: nobody is told.
    std::function<void(const UserText& notice)> notice;
};

} // namespace umbrascope
