#include "PlayUtils.h"

#include "StreamingLoop.h"
#include "audio/sources/Tones.h"
#include "model/TrackDescriptor.h"

#include <algorithm>
#include <system_error>

namespace umbrascope {

TPlayThread::TPlayThread(std::shared_ptr<const PublishedState> state,
                         std::shared_ptr<PlayReports> reports, std::string descriptor,
                         std::int32_t startOffset, std::uint32_t trackNumber)
    : Descriptor(std::move(descriptor)), StartOffset(startOffset), TrackNumber(trackNumber),
      state_(std::move(state)), reports_(std::move(reports)) {}

TPlayThread::~TPlayThread() {
    PlayOut = false;
    Running = false;
    Join();
}

void TPlayThread::Start() {
    try {
        thread_ = std::thread(&TPlayThread::Execute, this);
    } catch (const std::system_error&) {
        finished_ = true; // no thread to be had: the track does not play
    }
}

void TPlayThread::Join() {
    if (thread_.joinable())
        thread_.join();
}

void TPlayThread::Execute() noexcept {
    try {
        const OpenedSource opened = MakeTrackSource(Descriptor, StartOffset, TrackNumber, &Running);
        if (opened.problem)
            reports_->Post(*opened.problem);
        if (opened.source)
            StreamTrack(*opened.source, Running, *state_, reports_, &PlayOut);
    } catch (...) {
        // A track that fails ends by itself; the session goes on without it.
    }
    finished_ = true;
}

OpenedSource MakeTrackSource(const std::string& descriptor, std::int32_t startOffset,
                             std::uint32_t trackNumber, const std::atomic<bool>* running) {
    switch (PlaybackKind(descriptor)) {
    case TrackKind::Wav:
    case TrackKind::Mp3:
        return OpenFileSource(descriptor, startOffset, running);
    case TrackKind::Binaural:
    case TrackKind::FrequencyModulation:
    case TrackKind::Sine:
        if (const auto params = ParseToneDescriptor(descriptor))
            return {std::make_unique<ToneSource>(*params), std::nullopt};
        return {};
    case TrackKind::Noise:
        if (const auto params = ParseToneDescriptor(descriptor))
            return {std::make_unique<NoiseSource>(*params, trackNumber), std::nullopt};
        return {};
    default:
        return {};
    }
}

void StopTrackThread(const TrackHandle& track) {
    if (track)
        track->Running = false;
}

TrackThreads::TrackThreads(std::shared_ptr<PlayReports> reports)
    : reports_(reports ? std::move(reports) : std::make_shared<PlayReports>()) {}

TrackThreads::~TrackThreads() {
    StopAndJoinAll();
}

std::vector<TrackHandle> TrackThreads::Take(bool finishedOnly) {
    std::lock_guard lock(mutex_);
    std::vector<TrackHandle> taken;
    std::erase_if(started_, [&](TrackHandle& track) {
        if (finishedOnly && !track->Finished())
            return false;
        taken.push_back(std::move(track));
        return true;
    });
    return taken;
}

TrackHandle TrackThreads::Start(std::shared_ptr<const PublishedState> state,
                                const std::string& descriptor, std::int32_t startOffset,
                                std::uint32_t trackNumber) {
    ReclaimFinished();
    auto track = std::make_shared<TPlayThread>(std::move(state), reports_, descriptor, startOffset,
                                               trackNumber);
    track->Start();
    std::lock_guard lock(mutex_);
    started_.push_back(track);
    return track;
}

void TrackThreads::StopAll() {
    std::lock_guard lock(mutex_);
    for (const auto& track : started_)
        track->Running = false;
}

void TrackThreads::ReclaimFinished() {
    // A finished thread has left its body, so joining it returns at once.
    for (const auto& track : Take(true))
        track->Join();
}

void TrackThreads::StopAndJoinAll() {
    {
        std::lock_guard lock(mutex_);
        for (const auto& track : started_) {
            track->PlayOut = false;
            track->Running = false;
        }
    }
    for (const auto& track : Take(false))
        track->Join();
}

std::size_t TrackThreads::Count() const {
    std::lock_guard lock(mutex_);
    return started_.size();
}

} // namespace umbrascope
