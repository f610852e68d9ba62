#include "SessionState.h"

#include "Arithmetic.h"
#include "EventCatalogue.h"

#include <algorithm>
#include <utility>

TCurrentValues StartState(const TSessionValues& startValues) {
    TCurrentValues state;
    static_cast<TSessionSettings&>(state) = startValues;
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
        state.Failure = ApplyEvent(state.Values, event);
        if (state.Failure)
            break;
    }
    return state;
}

std::size_t InsertEvent(std::vector<TSessionEvent>& events, const TSessionEvent& event) {
    const auto later = std::upper_bound(
        events.begin(), events.end(), event.EventTime,
        [](std::int32_t time, const TSessionEvent& e) { return time < e.EventTime; });
    const auto index = later - events.begin(); // before the insertion may move the elements
    events.insert(later, event);
    return static_cast<std::size_t>(index);
}

void ResortEvents(std::vector<TSessionEvent>& events) {
    // Stable, like the neighbour-exchange passes it replaces.
    std::stable_sort(
        events.begin(), events.end(),
        [](const TSessionEvent& a, const TSessionEvent& b) { return a.EventTime < b.EventTime; });
}

void DeleteEvent(std::vector<TSessionEvent>& events, std::size_t index) {
    if (index < events.size())
        events.erase(events.begin() + static_cast<std::ptrdiff_t>(index));
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
