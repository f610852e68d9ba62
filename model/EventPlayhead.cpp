#include "EventPlayhead.h"

#include "Arithmetic.h"
#include "Cp1251.h"
#include "EventCatalogue.h"
#include "MediaPath.h"

#include <algorithm>

namespace umbrascope {

std::size_t FirstEventDueAfterComputedState(const std::vector<TSessionEvent>& events,
                                            std::int32_t position) {
    std::size_t done = 0;
    while (done < events.size() && events[done].EventTime < position)
        ++done;
    return done;
}

RemovalTarget::RemovalTarget(std::string_view value, std::string_view projectFolder)
    : value_(value) {
    std::string resolved(value);
    if (ResolveMediaPath(resolved, projectFolder) && resolved != value_)
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

EventPlayhead::EventPlayhead(const std::vector<TSessionEvent>& events, SessionValuesInForce& state,
                             std::string projectFolder, PlaybackActions& actions)
    : events_(events), state_(state), projectFolder_(std::move(projectFolder)), actions_(actions) {}

void EventPlayhead::Start(std::int32_t position, std::size_t firstDue) {
    next_ = std::min(firstDue, events_.size());
    std::optional<std::string> phraseFile;
    if (ResolveMediaPath(state_.PhraseFile, projectFolder_))
        phraseFile = state_.PhraseFile;
    actions_.SwitchPhraseFile(phraseFile);
    for (TWaveEntry& wave : state_.Waves) {
        if (!ResolveMediaPath(wave.Track, projectFolder_)) {
            actions_.TrackNotFound(wave.Track);
            continue;
        }
        StartTrack(wave.Track, ClampToInt32(std::int64_t{position} - wave.AddTime));
    }
}

std::optional<std::int32_t> EventPlayhead::NextEventTime() const {
    if (next_ >= events_.size())
        return std::nullopt;
    return events_[next_].EventTime;
}

void EventPlayhead::ApplyDueEvents(std::int64_t time, const std::function<void()>& afterEach) {
    while (next_ < events_.size() && events_[next_].EventTime <= time) {
        ApplyNext();
        if (afterEach)
            afterEach();
    }
}

void EventPlayhead::ApplyNext() {
    if (next_ >= events_.size())
        return;
    const TSessionEvent& event = events_[next_++];
    switch (EventKindOf(event.EventType).value_or(EventKind::Undefined)) {
    case EventKind::PhraseFile:
        ChangePhraseFile(event);
        break;
    case EventKind::AddTrack:
        AddTrack(event);
        break;
    case EventKind::RemoveTrack:
        RemoveTrack(event);
        break;
    default:
        if (const auto failure = ApplyEvent(state_, event))
            ReportOnce(UserText::Verbatim(Cp1251ToUtf8(*failure)));
        break;
    }
}

void EventPlayhead::ReportOnce(const UserText& message) {
    if (reported_.insert(message.Text()).second)
        actions_.Report(message);
}

std::vector<std::string> EventPlayhead::PlayingTracks() const {
    std::vector<std::string> tracks;
    tracks.reserve(playing_.size());
    for (const PlayingTrack& track : playing_)
        tracks.push_back(track.descriptor);
    return tracks;
}

void EventPlayhead::StartTrack(const std::string& descriptor, std::int32_t offset) {
    if (playing_.size() >= MaxPlayingTracks) {
        ReportOnce(Translatable("umbrascope::EventPlayhead",
                                "Одновременно звучат не больше 64 аудиодорожек; остальные "
                                "дорожки не воспроизводятся"));
        return;
    }
    const std::uint32_t number = tracksStarted_++;
    playing_.push_back({descriptor, number});
    actions_.StartTrack(descriptor, offset, number);
}

void EventPlayhead::ChangePhraseFile(const TSessionEvent& event) {
    state_.PhraseFile = event.EventValue;
    std::optional<std::string> path;
    if (ResolveMediaPath(state_.PhraseFile, projectFolder_))
        path = state_.PhraseFile;
    actions_.SwitchPhraseFile(path);
}

void EventPlayhead::AddTrack(const TSessionEvent& event) {
    // A file found only beside the project plays from there; the event keeps what it names.
    std::string track = event.EventValue;
    if (!ResolveMediaPath(track, projectFolder_)) {
        actions_.TrackNotFound(event.EventValue);
        return;
    }
    StartTrack(track, 0);
    state_.Waves.push_back({std::move(track), event.EventTime});
}

void EventPlayhead::RemoveTrack(const TSessionEvent& event) {
    // The track may have been added under the path it resolved to beside the project; the
    // removal's own value stays as it is.
    const RemovalTarget target(event.EventValue, projectFolder_);
    const auto track = std::find_if(playing_.rbegin(), playing_.rend(),
                                    [&](const auto& t) { return target.Names(t.descriptor); });
    if (track != playing_.rend()) {
        actions_.StopTrack(track->number);
        playing_.erase(std::prev(track.base()));
    }
    if (const auto entry = FindLastRemovalMatch(state_.Waves, target))
        state_.Waves.erase(state_.Waves.begin() + static_cast<std::ptrdiff_t>(*entry));
}

} // namespace umbrascope
