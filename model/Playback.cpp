#include "Playback.h"

#include "Cp1251.h"
#include "MediaPath.h"

namespace {

template <typename Due> std::size_t CountDone(Due isDone) {
    std::size_t done = 0;
    while (done < Events.size() && isDone(Events[done].EventTime))
        ++done;
    return done;
}

} // namespace

std::size_t FirstEventDueAfterComputedState(std::int32_t position) {
    return CountDone([position](std::int32_t time) { return time < position; });
}

std::size_t FirstEventDueAfterStop(std::int32_t position) {
    return CountDone([position](std::int32_t time) { return time <= position; });
}

bool RemovalMatches(std::string_view track, std::string_view value) {
    if (AnsiSameText(track, value))
        return true;
    std::string resolved(value);
    return ResolveMediaPath(resolved) && resolved != value && AnsiSameText(track, resolved);
}

std::optional<std::size_t> FindLastRemovalMatch(const std::vector<TWaveEntry>& waves,
                                                std::string_view value) {
    for (std::size_t i = waves.size(); i > 0; --i)
        if (RemovalMatches(waves[i - 1].Track, value))
            return i - 1;
    return std::nullopt;
}
