#include "SessionClock.h"

#include <chrono>

namespace umbrascope {

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t NowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

std::uint32_t DistanceInMilliseconds(std::int64_t elapsed, std::int64_t unitsPerMillisecond) {
    const std::int64_t distance = elapsed < 0 ? -elapsed : elapsed;
    return static_cast<std::uint32_t>(distance / unitsPerMillisecond);
}

} // namespace

MonotonicClock::MonotonicClock() : clockBase_(NowNanoseconds()) {}

void MonotonicClock::SetClockBase(std::int32_t startPosition) {
    clockBase_.store(NowNanoseconds() - std::int64_t{startPosition} * 1000000);
}

std::uint32_t MonotonicClock::SessionTimeNow() const {
    return DistanceInMilliseconds(NowNanoseconds() - clockBase_.load(), 1000000);
}

void VirtualClock::SetClockBase(std::int32_t startPosition) {
    clockBase_.store(now_.load() - startPosition);
}

std::uint32_t VirtualClock::SessionTimeNow() const {
    return DistanceInMilliseconds(now_.load() - clockBase_.load(), 1);
}

void VirtualClock::Advance(std::int64_t milliseconds) {
    now_.fetch_add(milliseconds);
}

} // namespace umbrascope
