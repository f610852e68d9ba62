#include "SessionClock.h"

#include <atomic>
#include <chrono>

namespace umbrascope {

namespace {

using Clock = std::chrono::steady_clock;

// ClockBase as nanoseconds of the steady clock; a plain integer so that it can be atomic.
std::atomic<std::int64_t> clockBase{Clock::now().time_since_epoch().count()};

std::int64_t NowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

} // namespace

void SetClockBase(std::int32_t startPosition) {
    clockBase.store(NowNanoseconds() - std::int64_t{startPosition} * 1000000);
}

std::uint32_t SessionTimeNow() {
    const std::int64_t elapsed = NowNanoseconds() - clockBase.load();
    const std::int64_t distance = elapsed < 0 ? -elapsed : elapsed;
    return static_cast<std::uint32_t>(distance / 1000000);
}

} // namespace umbrascope
