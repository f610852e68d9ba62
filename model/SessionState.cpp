#include "SessionState.h"

#include "Arithmetic.h"
#include "EventCatalogue.h"

#include <algorithm>
#include <utility>

namespace {

TCurrentValues StartState() {
    TCurrentValues state;
    static_cast<TSessionSettings&>(state) = StartValues;
    state.Waves.reserve(StartValues.Waves.size());
    for (const auto& descriptor : StartValues.Waves)
        state.Waves.push_back({descriptor, 0});
    return state;
}

} // namespace

std::optional<std::string> ComputeStateAt(std::int32_t t) {
    CurrentValues = StartState();
    std::optional<std::string> failure;
    for (const auto& event : Events) {
        if (event.EventTime >= t)
            break;
        failure = ApplyEvent(CurrentValues, event);
        if (failure)
            break;
    }
    PublishCurrentValues();
    return failure;
}

std::size_t InsertEvent(const TSessionEvent& event) {
    const auto later = std::upper_bound(
        Events.begin(), Events.end(), event.EventTime,
        [](std::int32_t time, const TSessionEvent& e) { return time < e.EventTime; });
    return static_cast<std::size_t>(Events.insert(later, event) - Events.begin());
}

void ResortEvents() {
    // Stable, like the neighbour-exchange passes it replaces.
    std::stable_sort(
        Events.begin(), Events.end(),
        [](const TSessionEvent& a, const TSessionEvent& b) { return a.EventTime < b.EventTime; });
}

void DeleteEvent(std::size_t index) {
    if (index < Events.size())
        Events.erase(Events.begin() + static_cast<std::ptrdiff_t>(index));
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

void RescaleEventTimes(std::int32_t oldLength, std::int32_t newLength) {
    for (auto& event : Events)
        event.EventTime = RescaledTime(event.EventTime, oldLength, newLength);
}
