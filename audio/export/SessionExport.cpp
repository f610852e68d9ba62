#include "SessionExport.h"

#include "ExportTracks.h"
#include "MixKernels.h"
#include "audio/tracks/PlayUtils.h"
#include "audio/tracks/StreamingLoop.h"
#include "model/Cp1251.h"
#include "model/SessionState.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace umbrascope {

namespace {

unsigned Cores() {
    return std::max(1u, std::thread::hardware_concurrency());
}

// Frames per block: long enough that handing a block out costs little, short enough that the
// tracks' blocks stay in the processor's caches.
constexpr std::size_t BlockFrames = 32768;

// Blocks shorter than this are not worth sharing out.
constexpr std::size_t SplitFrames = 4096;

// The part p of n of a block of frames: its first frame and its length.
std::pair<std::size_t, std::size_t> Part(std::size_t frames, std::size_t p, std::size_t n) {
    const std::size_t first = frames * p / n;
    return {first, frames * (p + 1) / n - first};
}

} // namespace

SessionRenderer::SessionRenderer(Session session, std::string projectFolder, std::int32_t from,
                                 std::int32_t to, int rate, ExportFormat format)
    : session_(std::move(session)),
      playhead_(session_.Events, state_, std::move(projectFolder), *this), from_(from), rate_(rate),
      format_(format), parts_(Cores()), clippedByPart_(parts_), pool_(parts_ - 1) {
    totalFrames_ = to > from ? FrameAt(to) : 0;
    SessionStateAt start = StateAt(session_.StartValues, session_.Events, from);
    state_ = std::move(start.values);
    if (start.failure)
        playhead_.ReportOnce(UserText::Verbatim(Cp1251ToUtf8(*start.failure)));
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
        playing.push_back(track->Descriptor());
    return playing;
}

void SessionRenderer::StartTrack(const std::string& descriptor, std::int32_t offset,
                                 std::uint32_t number) {
    // Generated tracks are computed at the export's rate, so they never need converting.
    if (const auto params = ParseToneDescriptor(descriptor)) {
        tracks_.push_back(std::make_unique<GeneratedTrack>(descriptor, number, *params, rate_));
        return;
    }
    OpenedSource opened = MakeTrackSource(descriptor, offset, number);
    if (opened.problem)
        playhead_.ReportOnce(*opened.problem);
    auto source = std::move(opened.source);
    if (!source) {
        if (!descriptor.starts_with(".&"))
            LeaveOut(descriptor, "not a sound file that can be played");
        return;
    }
    auto converter = std::make_unique<RateConverter>(source->Format(), rate_);
    if (!converter->Valid()) {
        // Live play could not open the device with this format either. Told with the export's
        // other problems, so the export never waits for a message to be seen.
        if (source->ReportsDeviceFailure())
            playhead_.ReportOnce(source->DeviceFailureMessage());
        return;
    }
    tracks_.push_back(
        std::make_unique<FileTrack>(descriptor, number, std::move(source), std::move(converter)));
}

void SessionRenderer::StopTrack(std::uint32_t number) {
    std::erase_if(tracks_, [number](const auto& track) { return track->Number() == number; });
}

void SessionRenderer::Report(const UserText& message) {
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

std::int64_t SessionRenderer::LastTimeAtFrame(std::uint64_t frame) const {
    // The largest time whose FrameAt is not after frame: FrameAt rounds half up, so time - from_
    // may reach (2000 frame + 999) / (2 rate).
    const auto rate = static_cast<std::uint64_t>(std::max(rate_, 1));
    return from_ + static_cast<std::int64_t>((frame * 2000 + 999) / (rate * 2));
}

// Every track's frames of the block, side by side; generated tracks share their block out.
void SessionRenderer::RenderTracks(std::size_t frames) {
    const std::size_t samples = frames * 2;
    trackFrames_.resize(samples * tracks_.size());
    struct Task {
        std::size_t track, part, parts;
    };
    // Tracks that must be rendered whole go first, so that the parts of the others fill the
    // time of the other threads around them.
    std::vector<Task> tasks;
    for (std::size_t t = 0; t < tracks_.size(); ++t)
        if (!tracks_[t]->Splittable())
            tasks.push_back({t, 0, 1});
    for (std::size_t t = 0; t < tracks_.size(); ++t) {
        const std::size_t parts = frames >= SplitFrames ? parts_ : 1;
        for (std::size_t p = 0; p < parts && tracks_[t]->Splittable(); ++p)
            tasks.push_back({t, p, parts});
    }
    pool_.Run(tasks.size(), [&](std::size_t i) {
        const Task& task = tasks[i];
        const auto [first, length] = Part(frames, task.part, task.parts);
        float* out = trackFrames_.data() + task.track * samples + first * 2;
        tracks_[task.track]->Render(first, length, out);
    });
    for (const auto& track : tracks_)
        track->Advance(frames);
}

template <typename Out> void SessionRenderer::MixBlock(Out* stereo, std::size_t frames) {
    const std::size_t samples = frames * 2;
    // At level 0 every track still moves on in time; only the mix stays silent.
    const float level =
        state_.AudioEnabled ? static_cast<float>(MasterLevel(state_.AudioVolume)) : 0.0f;
    // One 16-bit track at the export's rate and full level, rounded plainly: its samples are
    // the output's.
    if constexpr (sizeof(Out) == 2) {
        if (tracks_.size() == 1 && level == 1.0f && !format_.dither &&
            tracks_[0]->CopyExact16(frames, stereo)) {
            std::erase_if(tracks_, [](const auto& track) { return track->Failed(); });
            return;
        }
    }
    RenderTracks(frames);
    mix_.resize(samples);
    const std::size_t parts = frames >= SplitFrames ? parts_ : 1;
    pool_.Run(parts, [&](std::size_t p) {
        const auto [first, length] = Part(frames, p, parts);
        Out* out = stereo + first * 2;
        clippedByPart_[p] = 0;
        if (tracks_.empty() || level == 0.0f) {
            std::fill(out, out + length * 2, Out{0});
            return;
        }
        // One track needs no mix: the level is applied as it is rounded.
        const float* mix = trackFrames_.data() + first * 2;
        float gain = level;
        if (tracks_.size() > 1) {
            float* sum = mix_.data() + first * 2;
            std::fill(sum, sum + length * 2, 0.0f);
            for (std::size_t t = 0; t < tracks_.size(); ++t)
                AddScaled(sum, trackFrames_.data() + t * samples + first * 2, level, length * 2);
            mix = sum;
            gain = 1.0f;
        }
        const std::uint64_t firstSample = (renderedFrames_ + first) * 2;
        if constexpr (sizeof(Out) == 2)
            clippedByPart_[p] = Quantize16(mix, gain, length * 2, firstSample, format_.dither, out);
        else if (format_.bits == 24)
            clippedByPart_[p] = Quantize24(mix, gain, length * 2, firstSample, format_.dither, out);
        else {
            std::vector<std::int16_t> narrow(length * 2);
            clippedByPart_[p] =
                Quantize16(mix, gain, length * 2, firstSample, format_.dither, narrow.data());
            std::copy(narrow.begin(), narrow.end(), out);
        }
    });
    for (std::size_t p = 0; p < parts; ++p) {
        if (clippedByPart_[p] != 0 && clipped_ == 0)
            firstClipTime_ = LastTimeAtFrame(renderedFrames_ + Part(frames, p, parts).first);
        clipped_ += clippedByPart_[p];
    }
    std::erase_if(tracks_, [](const auto& track) { return track->Failed(); });
}

template <typename Out> std::size_t SessionRenderer::RenderInto(Out* stereo, std::size_t frames) {
    std::size_t written = 0;
    while (written < frames && renderedFrames_ < totalFrames_) {
        playhead_.ApplyDueEvents(LastTimeAtFrame(renderedFrames_));
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

std::size_t SessionRenderer::Render(std::int16_t* stereo, std::size_t frames) {
    return RenderInto(stereo, frames);
}

std::size_t SessionRenderer::Render(std::int32_t* stereo, std::size_t frames) {
    return RenderInto(stereo, frames);
}

} // namespace umbrascope
