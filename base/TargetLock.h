#pragma once

// The exclusive lock that writers of one file take in turns (flock), waited for with a bound
// and interruptibly: the lock is asked for without blocking, again every 50 ms, so the waiting
// writer's thread keeps control and WriteOptions decide when to stop.
//
// Thread rule: the writer's thread.

#include "FileUtils.h"
#include "WriteOptions.h"

#include <chrono>

namespace umbrascope {

// The wait for another program's lock ended before the lock was had; nothing was written.
class LockWaitEnded : public IoError {
public:
    using IoError::IoError;
};

// Locks fd exclusively, waiting as options say. A file system without locks (a network one
// without its lock service) is written unlocked rather than not at all. Throws LockWaitEnded, or
// IoError for another failure.
void LockExclusively(int fd, const WriteOptions& options);

// Locks fd exclusively if nobody else holds a lock on it; false when someone does. A file
// system without locks counts as locked by this program. Throws IoError.
bool TryLockExclusively(int fd);

} // namespace umbrascope
