#pragma once

// The session time line shared by the playback controller and the presentation thread.
// Session time is the whole number of milliseconds since ClockBase, the moment at which
// session time 0 lies. A monotonic clock keeps it steady when the wall clock is set.

#include <cstdint>

namespace umbrascope {

// User-interface thread (called at Play): places session time 0 startPosition ms before now.
// Thread safe, non-blocking.
void SetClockBase(std::int32_t startPosition);

// Milliseconds between ClockBase and now, cut towards zero (the distance, never negative).
// Thread safe, non-blocking.
std::uint32_t SessionTimeNow();

} // namespace umbrascope
