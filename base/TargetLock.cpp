#include "TargetLock.h"

#include "SystemFileCalls.h"

#include <cerrno>
#include <string>
#include <sys/file.h>
#include <thread>

namespace umbrascope {

namespace {

constexpr std::chrono::milliseconds PollInterval{50};

} // namespace

bool TryLockExclusively(int fd) {
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno == EWOULDBLOCK)
            return false;
        if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL)
            return true;
        if (errno != EINTR)
            ThrowSystemError(errno);
    }
}

void LockExclusively(int fd, const WriteOptions& options) {
    const auto start = std::chrono::steady_clock::now();
    while (!TryLockExclusively(fd)) {
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        const bool goOn =
            options.whileLocked ? options.whileLocked(waited) : waited < LockWaitLimit;
        if (!goOn)
            throw LockWaitEnded("another program holds this file locked; stopped waiting after " +
                                std::to_string(waited.count() / 1000) +
                                " s, and nothing was written");
        std::this_thread::sleep_for(PollInterval);
    }
}

} // namespace umbrascope
