#pragma once

// An output device in memory for tests: it records the streams that track threads open and
// "plays" them only when the test asks, so the test sets the pace. A test plays one stream's
// buffers whole (PcmQueue::ConsumeBuffer), or takes the device's mix of every stream, exactly
// as the sound card would get it (Mix).
//
// Thread rule: every member is thread safe.

#include "AudioStream.h"
#include "PcmQueue.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace umbrascope {

class MemoryAudioBackend final : public AudioBackend {
public:
    // The device plays float stereo at this rate. At the generated tracks' own rate their
    // samples reach it unconverted.
    explicit MemoryAudioBackend(int deviceRate = 22050) : deviceRate_(deviceRate) {}

    std::unique_ptr<AudioStream> Open(const PcmFormat& format) override;

    // While set, every open is refused, as by a device that is missing.
    void SetOpenFails(bool fails);

    std::size_t StreamsOpened() const;

    // Waits (bounded) until the stream with this index (0 for the first) has been opened;
    // empty when it has not.
    std::shared_ptr<PcmQueue> Stream(std::size_t index, std::chrono::milliseconds timeout);

    // The next frames of the device's mix (float stereo), after waiting (bounded) until every
    // open stream has queued them, so that what is heard does not depend on the track threads'
    // timing.
    std::vector<float> Mix(std::size_t frames, std::chrono::milliseconds timeout);

private:
    const int deviceRate_;
    mutable std::mutex mutex_;
    std::condition_variable opened_;
    std::vector<std::shared_ptr<PcmQueue>> streams_;
    bool openFails_ = false;
};

// Installs a backend for the lifetime of a test scope and restores SDL2 afterwards.
class ScopedAudioBackend {
public:
    explicit ScopedAudioBackend(AudioBackend& backend) { SetAudioBackend(&backend); }
    ~ScopedAudioBackend() { SetAudioBackend(nullptr); }
    ScopedAudioBackend(const ScopedAudioBackend&) = delete;
    ScopedAudioBackend& operator=(const ScopedAudioBackend&) = delete;
};

} // namespace umbrascope
