#include "PlayUtils.h"

#include "StreamingLoop.h"
#include "audio/device/AudioStream.h"
#include "audio/sources/Tones.h"
#include "model/TrackDescriptor.h"

#include <algorithm>
#include <mutex>
#include <system_error>
#include <vector>

namespace umbrascope {

namespace {

std::mutex registryMutex;
std::vector<TrackHandle> registry; // started and not yet joined

std::vector<TrackHandle> TakeFromRegistry(bool finishedOnly) {
    std::lock_guard lock(registryMutex);
    std::vector<TrackHandle> taken;
    std::erase_if(registry, [&](TrackHandle& track) {
        if (finishedOnly && !track->Finished())
            return false;
        taken.push_back(std::move(track));
        return true;
    });
    return taken;
}

} // namespace

TPlayThread::TPlayThread(std::shared_ptr<const PublishedState> state, std::string descriptor,
                         std::int32_t startOffset, std::uint32_t trackNumber)
    : Descriptor(std::move(descriptor)), StartOffset(startOffset), TrackNumber(trackNumber),
      state_(std::move(state)) {}

TPlayThread::~TPlayThread() {
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
        if (const auto source = MakeTrackSource(Descriptor, StartOffset, TrackNumber, &Running))
            StreamTrack(*source, Running, *state_);
    } catch (...) {
        // A track that fails ends by itself; the session goes on without it.
    }
    finished_ = true;
}

std::unique_ptr<TrackSource> MakeTrackSource(const std::string& descriptor,
                                             std::int32_t startOffset, std::uint32_t trackNumber,
                                             const std::atomic<bool>* running) {
    switch (PlaybackKind(descriptor)) {
    case TrackKind::Wav:
    case TrackKind::Mp3:
        return OpenFileSource(descriptor, startOffset, running);
    case TrackKind::Binaural:
    case TrackKind::FrequencyModulation:
    case TrackKind::Sine:
        if (const auto params = ParseToneDescriptor(descriptor))
            return std::make_unique<ToneSource>(*params);
        return nullptr;
    case TrackKind::Noise:
        if (const auto params = ParseToneDescriptor(descriptor))
            return std::make_unique<NoiseSource>(*params, trackNumber);
        return nullptr;
    default:
        return nullptr;
    }
}

TrackHandle StartTrackThread(std::shared_ptr<const PublishedState> state,
                             const std::string& descriptor, std::int32_t startOffset,
                             std::uint32_t trackNumber) {
    ReclaimFinishedTrackThreads();
    auto track =
        std::make_shared<TPlayThread>(std::move(state), descriptor, startOffset, trackNumber);
    track->Start();
    std::lock_guard lock(registryMutex);
    registry.push_back(track);
    return track;
}

void StopTrackThread(const TrackHandle& track) {
    if (track)
        track->Running = false;
}

void StopAllTrackThreads() {
    std::lock_guard lock(registryMutex);
    for (const auto& track : registry)
        track->Running = false;
}

void ReclaimFinishedTrackThreads() {
    // A finished thread has left its body, so joining it returns at once.
    for (const auto& track : TakeFromRegistry(true))
        track->Join();
}

void StopAndJoinAllTrackThreads() {
    StopAllTrackThreads();
    CloseAllAudioStreams();
    for (const auto& track : TakeFromRegistry(false))
        track->Join();
}

std::size_t TrackThreadCount() {
    std::lock_guard lock(registryMutex);
    return registry.size();
}

void EndSound() {
    StopAndJoinAllTrackThreads();
    InstallUserMessages(nullptr);
    QuitAudioOutput();
}

} // namespace umbrascope
