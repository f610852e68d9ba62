#pragma once

// The session time line shared by the playback controller and the presentation thread.
// Session time is the whole number of milliseconds since ClockBase, the moment at which
// session time 0 lies. Whoever plays owns the clock (the transport) and hands it to the
// controller and the presentation thread; the program plays on the monotonic clock, which
// stays steady when the wall clock is set, and tests on a virtual clock they advance.

#include <atomic>
#include <cstdint>

namespace umbrascope {

class SessionClock {
public:
    virtual ~SessionClock() = default;

    // User-interface thread (called at Play): places session time 0 startPosition ms before
    // now. Thread safe, non-blocking.
    virtual void SetClockBase(std::int32_t startPosition) = 0;

    // Milliseconds between ClockBase and now, cut towards zero (the distance, never negative).
    // Thread safe, non-blocking.
    virtual std::uint32_t SessionTimeNow() const = 0;
};

// The steady clock of the machine.
class MonotonicClock final : public SessionClock {
public:
    MonotonicClock();
    void SetClockBase(std::int32_t startPosition) override;
    std::uint32_t SessionTimeNow() const override;

private:
    // ClockBase as nanoseconds of the steady clock; a plain integer so that it can be atomic.
    std::atomic<std::int64_t> clockBase_;
};

// A clock that moves only when it is told to, so that a test plays minutes of a session in
// milliseconds and sees every tick at a time it chose.
class VirtualClock final : public SessionClock {
public:
    void SetClockBase(std::int32_t startPosition) override;
    std::uint32_t SessionTimeNow() const override;

    // Thread safe: moves now forward by milliseconds.
    void Advance(std::int64_t milliseconds);

private:
    std::atomic<std::int64_t> now_{0};       // ms since the clock was made
    std::atomic<std::int64_t> clockBase_{0}; // ms, on the same scale
};

} // namespace umbrascope
