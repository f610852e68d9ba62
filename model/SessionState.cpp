#include "SessionState.h"

#include "Arithmetic.h"
#include "EventCatalogue.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace umbrascope {

SessionValuesInForce StartState(const TSessionValues& startValues) {
    SessionValuesInForce state;
    static_cast<SessionSettings&>(state) = startValues;
    state.Waves.reserve(startValues.Waves.size());
    for (const auto& descriptor : startValues.Waves)
        state.Waves.push_back({descriptor, 0});
    return state;
}

SessionStateAt StateAt(const TSessionValues& startValues, const std::vector<TSessionEvent>& events,
                       std::int32_t t) {
    SessionStateAt state{StartState(startValues), std::nullopt};
    for (const auto& event : events) {
        if (event.EventTime >= t)
            break;
        state.failure = ApplyEvent(state.values, event);
        if (state.failure)
            break;
    }
    return state;
}

std::size_t InsertEvent(std::vector<TSessionEvent>& events, const TSessionEvent& event) {
    // From the start, as a list read from a file may be out of order; one pass, as the
    // insertion that follows moves the later events anyway.
    const auto later = std::find_if(events.begin(), events.end(), [&](const TSessionEvent& e) {
        return e.EventTime > event.EventTime;
    });
    const auto index = later - events.begin(); // before the insertion may move the elements
    events.insert(later, event);
    return static_cast<std::size_t>(index);
}

namespace {

bool Earlier(const TSessionEvent& a, const TSessionEvent& b) {
    return a.EventTime < b.EventTime;
}

} // namespace

void ResortEvents(std::vector<TSessionEvent>& events, std::size_t changed) {
    if (changed >= events.size())
        return;
    const auto begin = events.begin();
    const auto end = events.end();
    const auto event = begin + static_cast<std::ptrdiff_t>(changed);
    const bool othersInOrder =
        std::is_sorted(begin, event, Earlier) && std::is_sorted(event + 1, end, Earlier) &&
        (event == begin || event + 1 == end || !Earlier(event[1], event[-1]));
    if (!othersInOrder) {
        std::stable_sort(begin, end, Earlier); // a list read from a file may be in any order
        return;
    }
    // Where a stable sort puts it: after the earlier events of its time, before the later ones.
    const auto before = std::upper_bound(begin, event, *event, Earlier);
    if (before != event) {
        std::rotate(before, event, event + 1);
        return;
    }
    const auto after = std::lower_bound(event + 1, end, *event, Earlier);
    std::rotate(event, event + 1, after);
}

void DeleteEvent(std::vector<TSessionEvent>& events, std::size_t index) {
    if (index < events.size())
        events.erase(events.begin() + static_cast<std::ptrdiff_t>(index));
}

std::optional<std::size_t> NearestEventIndex(const std::vector<TSessionEvent>& events,
                                             std::int32_t position, std::int32_t sessionLength) {
    if (events.empty())
        return std::nullopt;
    std::size_t nearest = 0;
    // In 64 bits: times from a file may lie anywhere in the 32-bit range.
    std::int64_t best = sessionLength;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const std::int64_t distance = std::llabs(std::int64_t{events[i].EventTime} - position);
        if (distance < best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

std::int32_t RescaledTime(std::int32_t time, std::int32_t oldLength, std::int32_t newLength) {
    if (oldLength == 0 || oldLength == newLength)
        return time;
    const long double quotient = static_cast<long double>(newLength) / oldLength;
    const auto rounded = RoundHalfEven(quotient * time);
    if (!rounded)
        return time;
    return ClampToInt32(*rounded);
}

void RescaleEventTimes(std::vector<TSessionEvent>& events, std::int32_t oldLength,
                       std::int32_t newLength) {
    for (auto& event : events)
        event.EventTime = RescaledTime(event.EventTime, oldLength, newLength);
}

} // namespace umbrascope
