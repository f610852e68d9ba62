#include "SessionChange.h"

#include <algorithm>
#include <utility>

namespace umbrascope {

namespace {

bool SameSettings(const Session& a, const Session& b) {
    return a.SessionName == b.SessionName && a.SessionAuthor == b.SessionAuthor &&
           a.SessionDescription == b.SessionDescription && a.SessionLength == b.SessionLength &&
           a.StartValues == b.StartValues;
}

Session SettingsOf(const Session& session) {
    return {session.SessionName,   session.SessionAuthor, session.SessionDescription,
            session.SessionLength, session.StartValues,   {}};
}

bool SameButTime(const TSessionEvent& a, const TSessionEvent& b) {
    return a.EventType == b.EventType && a.EventValue == b.EventValue;
}

} // namespace

SessionChange SessionChange::Between(const Session& before, const Session& after) {
    SessionChange change;
    if (!SameSettings(before, after)) {
        change.before_.settings = SettingsOf(before);
        change.after_.settings = SettingsOf(after);
    }
    const auto& was = before.Events;
    const auto& now = after.Events;
    const std::size_t shorter = std::min(was.size(), now.size());
    std::size_t first = 0;
    while (first < shorter && was[first] == now[first])
        ++first;
    std::size_t same = 0; // equal events at the end, not overlapping the start
    while (same < shorter - first && was[was.size() - 1 - same] == now[now.size() - 1 - same])
        ++same;
    change.firstChanged_ = first;
    const auto wasRun = was.begin() + static_cast<std::ptrdiff_t>(first);
    const auto wasEnd = was.end() - static_cast<std::ptrdiff_t>(same);
    const auto nowRun = now.begin() + static_cast<std::ptrdiff_t>(first);
    const auto nowEnd = now.end() - static_cast<std::ptrdiff_t>(same);
    change.timesOnly_ = wasEnd - wasRun == nowEnd - nowRun && wasRun != wasEnd &&
                        std::equal(wasRun, wasEnd, nowRun, SameButTime);
    if (change.timesOnly_) {
        for (auto e = wasRun; e != wasEnd; ++e)
            change.before_.times.push_back(e->EventTime);
        for (auto e = nowRun; e != nowEnd; ++e)
            change.after_.times.push_back(e->EventTime);
    } else if (!change.KeepMovedEvent(wasRun, wasEnd, nowRun, nowEnd)) {
        change.before_.events.assign(wasRun, wasEnd);
        change.after_.events.assign(nowRun, nowEnd);
    }
    return change;
}

bool SessionChange::KeepMovedEvent(Events::const_iterator wasRun, Events::const_iterator wasEnd,
                                   Events::const_iterator nowRun, Events::const_iterator nowEnd) {
    const auto length = wasEnd - wasRun;
    if (length < 2 || nowEnd - nowRun != length)
        return false;
    // The first event went to the end of the run, or the last one to its start; the events it
    // passed are the same on both sides.
    const bool later = std::equal(wasRun + 1, wasEnd, nowRun);
    if (!later && !std::equal(wasRun, wasEnd - 1, nowRun + 1))
        return false;
    const auto last = static_cast<std::size_t>(length - 1);
    moved_ = true;
    before_.events = {later ? *wasRun : *(wasEnd - 1)};
    after_.events = {later ? *(nowEnd - 1) : *nowRun};
    before_.movedAt = firstChanged_ + (later ? 0 : last);
    after_.movedAt = firstChanged_ + (later ? last : 0);
    return true;
}

bool SessionChange::Empty() const {
    return !before_.settings && before_.events.empty() && after_.events.empty() &&
           before_.times.empty();
}

void SessionChange::Undo(Session& session) const {
    Apply(after_, before_, session);
}

void SessionChange::Redo(Session& session) const {
    Apply(before_, after_, session);
}

void SessionChange::Apply(const Side& from, const Side& to, Session& session) const {
    if (to.settings) {
        std::vector<TSessionEvent> events = std::move(session.Events);
        session = *to.settings;
        session.Events = std::move(events);
    }
    auto& events = session.Events;
    const auto first = events.begin() + static_cast<std::ptrdiff_t>(firstChanged_);
    if (timesOnly_) {
        for (std::size_t i = 0; i < to.times.size(); ++i)
            (first + static_cast<std::ptrdiff_t>(i))->EventTime = to.times[i];
        return;
    }
    if (moved_) {
        events.erase(events.begin() + static_cast<std::ptrdiff_t>(from.movedAt));
        events.insert(events.begin() + static_cast<std::ptrdiff_t>(to.movedAt), to.events.front());
        return;
    }
    const auto last = events.erase(first, first + static_cast<std::ptrdiff_t>(from.events.size()));
    events.insert(last, to.events.begin(), to.events.end());
}

std::size_t SessionChange::StoredEvents() const {
    return before_.events.size() + after_.events.size();
}

} // namespace umbrascope
