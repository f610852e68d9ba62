#include "SessionExport.h"

#include "PlayUtils.h"
#include "model/Common.h"
#include "model/EventCatalogue.h"
#include "model/MediaPath.h"
#include "model/Playback.h"
#include "model/SessionState.h"

#include <algorithm>
#include <cmath>

struct SessionRenderer::Track {
    std::string descriptor;
    std::unique_ptr<TrackSource> source;
    std::unique_ptr<RateConverter> converter;
    std::vector<std::uint8_t> buffer;

    // The next frames of the track at the output rate.
    void Pull(std::int16_t* stereo, std::size_t frames) {
        while (converter->AvailableFrames() < frames) {
            source->Fill(buffer.data());
            source->AfterSwitch();
            converter->Put(buffer.data(), buffer.size());
        }
        converter->Take(stereo, frames);
    }
};

SessionRenderer::SessionRenderer(std::int32_t from, std::int32_t to, int rate)
    : from_(from), rate_(rate) {
    totalFrames_ = to > from ? FrameAt(to) : 0;
    if (auto problem = ComputeStateAt(from))
        problems_.push_back(std::move(*problem));
    nextEvent_ = FirstEventDueAfterComputedState(from);
    for (auto& entry : CurrentValues.Waves)
        if (ResolveMediaPath(entry.Track))
            StartTrack(entry.Track, from - entry.AddTime);
    PublishCurrentValues();
}

SessionRenderer::~SessionRenderer() = default;

std::uint64_t SessionRenderer::FrameAt(std::int32_t time) const {
    if (time <= from_)
        return 0;
    const std::int64_t elapsed = std::int64_t{time} - from_;
    return static_cast<std::uint64_t>((elapsed * rate_ * 2 + 1000) / 2000);
}

std::vector<std::string> SessionRenderer::PlayingTracks() const {
    std::vector<std::string> playing;
    for (const auto& track : tracks_)
        playing.push_back(track->descriptor);
    return playing;
}

void SessionRenderer::StartTrack(const std::string& descriptor, std::int32_t startOffset) {
    auto track = std::make_unique<Track>();
    track->descriptor = descriptor;
    track->source = MakeTrackSource(descriptor, startOffset);
    if (!track->source)
        return;
    track->converter = std::make_unique<RateConverter>(track->source->Format(), rate_);
    if (!track->converter->Valid()) {
        // Live play could not open the device with this format either.
        if (track->source->ReportsDeviceFailure())
            Messages().ShowMessage("Ошибка аудиоустройства");
        return;
    }
    track->buffer.assign(track->source->BufferBytes(), 0);
    tracks_.push_back(std::move(track));
}

void SessionRenderer::StopTrack(const std::string& value) {
    for (std::size_t i = tracks_.size(); i > 0; --i) {
        if (RemovalMatches(tracks_[i - 1]->descriptor, value)) {
            tracks_.erase(tracks_.begin() + static_cast<std::ptrdiff_t>(i - 1));
            break;
        }
    }
    if (const auto entry = FindLastRemovalMatch(CurrentValues.Waves, value))
        CurrentValues.Waves.erase(CurrentValues.Waves.begin() +
                                  static_cast<std::ptrdiff_t>(*entry));
}

void SessionRenderer::ApplyEvent(std::size_t index) {
    TSessionEvent& event = Events[index];
    const auto kind = EventKindOf(event.EventType);
    if (kind == EventKind::AddTrack) {
        std::string descriptor = event.EventValue;
        if (!ResolveMediaPath(descriptor))
            return;
        event.EventValue = descriptor;
        StartTrack(descriptor, 0);
        CurrentValues.Waves.push_back({descriptor, event.EventTime});
    } else if (kind == EventKind::RemoveTrack) {
        StopTrack(event.EventValue);
    } else if (auto problem = ::ApplyEvent(CurrentValues, event)) {
        if (std::find(problems_.begin(), problems_.end(), *problem) == problems_.end())
            problems_.push_back(std::move(*problem));
    }
    PublishCurrentValues();
}

void SessionRenderer::ApplyDueEvents() {
    while (nextEvent_ < Events.size() && FrameAt(Events[nextEvent_].EventTime) <= renderedFrames_)
        ApplyEvent(nextEvent_++);
}

void SessionRenderer::MixBlock(std::int16_t* stereo, std::size_t frames) {
    const std::size_t samples = frames * 2;
    mix_.assign(samples, 0);
    trackFrames_.resize(samples);
    const double level =
        CurrentValues.AudioEnabled ? std::min<int>(CurrentValues.AudioVolume, 100) / 100.0 : 0.0;
    for (auto& track : tracks_) {
        track->Pull(trackFrames_.data(), frames);
        if (level == 0.0)
            continue; // silent, but the track has moved on in time
        for (std::size_t i = 0; i < samples; ++i)
            mix_[i] += static_cast<std::int32_t>(std::nearbyint(trackFrames_[i] * level));
    }
    for (std::size_t i = 0; i < samples; ++i) {
        const std::int32_t clamped = std::clamp(mix_[i], -32768, 32767);
        clipped_ += clamped != mix_[i] ? 1 : 0;
        stereo[i] = static_cast<std::int16_t>(clamped);
    }
}

std::size_t SessionRenderer::Render(std::int16_t* stereo, std::size_t frames) {
    constexpr std::size_t BlockFrames = 4096;
    std::size_t written = 0;
    while (written < frames && renderedFrames_ < totalFrames_) {
        ApplyDueEvents();
        std::uint64_t block = std::min<std::uint64_t>(
            {frames - written, BlockFrames, totalFrames_ - renderedFrames_});
        if (nextEvent_ < Events.size())
            block = std::min(block, FrameAt(Events[nextEvent_].EventTime) - renderedFrames_);
        MixBlock(stereo + written * 2, block);
        written += block;
        renderedFrames_ += block;
    }
    return written;
}
