#pragma once

// Rules that playing a session and exporting its sound share, so that both start the same
// tracks at the same offsets and apply the same events.

#include "Common.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Index of the first event still to apply when playing starts at position with the state
// ComputeStateAt gave for it: events before the position are in that state, events at
// exactly the position are not, so they are still due.
std::size_t FirstEventDueAfterComputedState(std::int32_t position);

// The same when the state is the one a Stop left at position: the clock had applied the
// events at the position already.
std::size_t FirstEventDueAfterStop(std::int32_t position);

// A removal event's value names a track when it equals the track's descriptor regardless of
// case, either as stored or resolved the way an added track is resolved (a moved project
// rewrites added tracks to the project's folder; removal values keep the original path).
bool RemovalMatches(std::string_view track, std::string_view value);

// The last entry that the removal value names, if any.
std::optional<std::size_t> FindLastRemovalMatch(const std::vector<TWaveEntry>& waves,
                                                std::string_view value);
