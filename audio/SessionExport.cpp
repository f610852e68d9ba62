#include "SessionExport.h"

#include "PlayUtils.h"
#include "model/SessionState.h"

#include <algorithm>
#include <cmath>
#include <thread>

struct SessionRenderer::Track {
    std::string descriptor;
    std::uint32_t number = 0;
    std::unique_ptr<TrackSource> source;
    std::unique_ptr<RateConverter> converter;
    std::vector<std::uint8_t> buffer;

    bool failed = false;

    // The next frames of the track at the output rate. A source that fails (a file that
    // cannot be read any more) ends its track, as a track thread would end.
    void Pull(float* stereo, std::size_t frames) noexcept {
        try {
            while (!failed && converter->AvailableFrames() < frames) {
                source->Fill(buffer.data());
                source->AfterSwitch();
                converter->Put(buffer.data(), buffer.size());
            }
        } catch (const std::exception&) {
            failed = true;
        }
        std::fill(stereo, stereo + frames * 2, 0.0f);
        if (!failed)
            converter->Take(stereo, frames);
    }
};

namespace {

unsigned HelperThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? cores - 1 : 0;
}

} // namespace

SessionRenderer::SessionRenderer(Session session, std::string projectFolder, std::int32_t from,
                                 std::int32_t to, int rate)
    : session_(std::move(session)),
      playhead_(session_.Events, state_, std::move(projectFolder), *this), from_(from), rate_(rate),
      pool_(HelperThreads()) {
    totalFrames_ = to > from ? FrameAt(to) : 0;
    SessionStateAt start = StateAt(session_.StartValues, session_.Events, from);
    state_ = std::move(start.Values);
    if (start.Failure)
        playhead_.ReportOnce(*start.Failure);
    playhead_.Start(from, FirstEventDueAfterComputedState(session_.Events, from));
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

void SessionRenderer::StartTrack(const std::string& descriptor, std::int32_t offset,
                                 std::uint32_t number) {
    auto track = std::make_unique<Track>();
    track->descriptor = descriptor;
    track->number = number;
    track->source = MakeTrackSource(descriptor, offset, number);
    if (!track->source) {
        if (!descriptor.starts_with(".&"))
            LeaveOut(descriptor, "not a sound file that can be played");
        return;
    }
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

void SessionRenderer::StopTrack(std::uint32_t number) {
    std::erase_if(tracks_, [number](const auto& track) { return track->number == number; });
}

void SessionRenderer::Report(const std::string& message) {
    problems_.push_back(message);
}

void SessionRenderer::TrackNotFound(const std::string& descriptor) {
    LeaveOut(descriptor, "not found");
}

void SessionRenderer::LeaveOut(const std::string& descriptor, const char* reason) {
    std::string entry = descriptor + " (" + reason + ")";
    if (std::find(leftOut_.begin(), leftOut_.end(), entry) == leftOut_.end())
        leftOut_.push_back(std::move(entry));
}

void SessionRenderer::ApplyDueEvents() {
    while (const auto time = playhead_.NextEventTime()) {
        if (FrameAt(*time) > renderedFrames_)
            break;
        playhead_.ApplyNext();
    }
}

void SessionRenderer::MixBlock(std::int16_t* stereo, std::size_t frames) {
    const std::size_t samples = frames * 2;
    mix_.assign(samples, 0.0f);
    const float level =
        state_.AudioEnabled ? std::min<int>(state_.AudioVolume, 100) / 100.0f : 0.0f;
    // Tracks fill and convert side by side; each keeps its frames until the mix adds them.
    trackFrames_.resize(samples * tracks_.size());
    pool_.Run(tracks_.size(),
              [&](std::size_t t) { tracks_[t]->Pull(trackFrames_.data() + t * samples, frames); });
    // At level 0 every track has still moved on in time; only the mix stays silent.
    for (std::size_t t = 0; t < tracks_.size() && level > 0.0f; ++t) {
        const float* track = trackFrames_.data() + t * samples;
        for (std::size_t i = 0; i < samples; ++i)
            mix_[i] += track[i] * level;
    }
    // Full scale is 1.0 = 32768, so 16-bit sounds come back exactly as they went in.
    for (std::size_t i = 0; i < samples; ++i) {
        const float scaled = std::nearbyint(mix_[i] * 32768.0f);
        const float clamped = std::clamp(scaled, -32768.0f, 32767.0f);
        clipped_ += clamped != scaled ? 1 : 0;
        stereo[i] = static_cast<std::int16_t>(clamped);
    }
    std::erase_if(tracks_, [](const auto& track) { return track->failed; });
}

std::size_t SessionRenderer::Render(std::int16_t* stereo, std::size_t frames) {
    constexpr std::size_t BlockFrames = 16384;
    std::size_t written = 0;
    while (written < frames && renderedFrames_ < totalFrames_) {
        ApplyDueEvents();
        std::uint64_t block = std::min<std::uint64_t>(
            {frames - written, BlockFrames, totalFrames_ - renderedFrames_});
        if (const auto time = playhead_.NextEventTime())
            block = std::min(block, FrameAt(*time) - renderedFrames_);
        MixBlock(stereo + written * 2, block);
        written += block;
        renderedFrames_ += block;
    }
    return written;
}
