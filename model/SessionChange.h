#pragma once

// One editing step kept for undo and redo: what differs between the session before and after
// it. The header and the start values are kept only when they changed, and of the event list
// only the run of events that changed; the events around it stay in the session alone. When a
// step only moved events in time (a new session length), just their times are kept; when it
// took one event to another place in the list (a changed time), just that event, before and
// after. So a step on a session of 100,000 events costs what the step touched, not the whole
// list.
//
// Pure values: any thread may use them.

#include "Session.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace umbrascope {

class SessionChange {
public:
    // The step that turns before into after.
    static SessionChange Between(const Session& before, const Session& after);

    bool Empty() const;

    // Turns the session as it was after the step back into the session before it, and the
    // reverse. Each may only be applied to the session the step left (or found).
    void Undo(Session& session) const;
    void Redo(Session& session) const;

    // Events kept in full by this step (for the history's size).
    std::size_t StoredEvents() const;

private:
    // One side of the step: everything but the event list when the header or the start values
    // changed, and the changed run of events, in full or, when only times moved, as times.
    struct Side {
        std::optional<Session> settings; // its Events stay empty
        std::vector<TSessionEvent> events;
        std::vector<std::int32_t> times;
        std::size_t movedAt = 0; // when one event moved: its place on this side
    };

    using Events = std::vector<TSessionEvent>;

    // Keeps just the one event when the runs differ only by it having moved across the others
    // (and perhaps changed); false when they differ otherwise.
    bool KeepMovedEvent(Events::const_iterator wasRun, Events::const_iterator wasEnd,
                        Events::const_iterator nowRun, Events::const_iterator nowEnd);
    void Apply(const Side& from, const Side& to, Session& session) const;

    std::size_t firstChanged_ = 0;
    bool timesOnly_ = false;
    bool moved_ = false;
    Side before_;
    Side after_;
};

} // namespace umbrascope
