#pragma once

// The state in force at a session time, and the operations that keep the event list in order.
// User-interface thread only.

#include "Common.h"

#include <optional>
#include <string>

// Rebuilds CurrentValues from StartValues and the events before time t, then publishes it.
// When an event's value is not a valid integer the computation stops there, keeping what was
// set so far, and the message is returned (Windows-1251).
[[nodiscard]] std::optional<std::string> ComputeStateAt(std::int32_t t);

// Inserts after every event with the same or an earlier time; returns the new index.
std::size_t InsertEvent(const TSessionEvent& event);

// Restores time order after one event's time changed; equal times keep their order.
void ResortEvents();

void DeleteEvent(std::size_t index);

// Moves every event proportionally when the session length changes from oldLength to
// newLength. Nothing moves when the old length is 0 or the lengths are equal.
void RescaleEventTimes(std::int32_t oldLength, std::int32_t newLength);

// One event time rescaled: round(newLength / oldLength * time), halves to even, clamped to
// the 32-bit range.
std::int32_t RescaledTime(std::int32_t time, std::int32_t oldLength, std::int32_t newLength);
