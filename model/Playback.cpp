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

RemovalTarget::RemovalTarget(std::string_view value) : value_(value) {
    std::string resolved(value);
    if (ResolveMediaPath(resolved) && resolved != value_)
        resolved_ = std::move(resolved);
}

bool RemovalTarget::Names(std::string_view track) const {
    return AnsiSameText(track, value_) || (resolved_ && AnsiSameText(track, *resolved_));
}

std::optional<std::size_t> FindLastRemovalMatch(const std::vector<TWaveEntry>& waves,
                                                const RemovalTarget& target) {
    for (std::size_t i = waves.size(); i > 0; --i)
        if (target.Names(waves[i - 1].Track))
            return i - 1;
    return std::nullopt;
}
