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

// What a removal event's value names: a track whose descriptor equals the value regardless of
// case, either as stored or resolved the way an added track is resolved (a moved project
// rewrites added tracks to the project's folder; removal values keep the original path).
// The value is resolved once, when the target is made.
class RemovalTarget {
public:
    explicit RemovalTarget(std::string_view value);
    bool Names(std::string_view track) const;

private:
    std::string value_;
    std::optional<std::string> resolved_; // only when resolving changed the value
};

// The last entry that the removal names, if any.
std::optional<std::size_t> FindLastRemovalMatch(const std::vector<TWaveEntry>& waves,
                                                const RemovalTarget& target);
