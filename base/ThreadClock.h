#pragma once

#include <ctime>

namespace umbrascope {

// Processor time the calling thread has used, in seconds: what a piece of work costs, whatever
// else the machine is doing meanwhile.
inline double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace umbrascope
