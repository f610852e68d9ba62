#pragma once

// The state in force at a session time, and the operations that keep an event list in order.
// Pure functions of the values they are given: any thread may call them.

#include "Session.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace umbrascope {

struct SessionStateAt {
    SessionValuesInForce values;
    // When an event's value is not a valid integer the computation stops there, keeping what
    // was set so far; this is its message (Windows-1251).
    std::optional<std::string> failure;
};

// The start values with every event before time t applied in list order. An event at exactly
// t is not applied. Start tracks join at time 0; added tracks at their event's time.
SessionStateAt StateAt(const TSessionValues& startValues, const std::vector<TSessionEvent>& events,
                       std::int32_t t);

// The start values as a state: every start track joined at time 0.
SessionValuesInForce StartState(const TSessionValues& startValues);

// Inserts before the first event, from the start, whose time is later (in a list in time order:
// after every event with the same or an earlier time); returns the new index.
std::size_t InsertEvent(std::vector<TSessionEvent>& events, const TSessionEvent& event);

// Restores time order after the time of events[changed] changed, exactly as a stable sort by
// time does (equal times keep their order): in one move when the other events are in order,
// else by sorting them all.
void ResortEvents(std::vector<TSessionEvent>& events, std::size_t changed);

void DeleteEvent(std::vector<TSessionEvent>& events, std::size_t index);

// The event the delete command offers: the first, in list order, of those nearest to the
// position, counting only those nearer than the session's length; the first event when none
// is. Empty for an empty list.
std::optional<std::size_t> NearestEventIndex(const std::vector<TSessionEvent>& events,
                                             std::int32_t position, std::int32_t sessionLength);

// Moves every event proportionally when the session length changes from oldLength to
// newLength. Nothing moves when the old length is 0 or the lengths are equal.
void RescaleEventTimes(std::vector<TSessionEvent>& events, std::int32_t oldLength,
                       std::int32_t newLength);

// One event time rescaled: round(newLength / oldLength * time), halves to even, clamped to
// the 32-bit range.
std::int32_t RescaledTime(std::int32_t time, std::int32_t oldLength, std::int32_t newLength);

} // namespace umbrascope
