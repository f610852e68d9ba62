#pragma once

// The program's sound output: one PCM output stream per track, in the track's own format. A
// track thread queues buffers, learns when a queued buffer has been played, sets the stream's
// left and right level, drops what is queued and closes the stream. Streams play through SDL2
// on the default device (all of them mixed into one SDL2 device, see
// docs/decisions/0002-one-shared-sound-device.md) unless a test has installed another backend.
// That device, and the backend chosen, are one per process, as the sound card is; everything a
// player learns from its streams (problems, clipping, counts) goes to that player's own
// PlayReports.

#include "PlayReports.h"
#include "audio/sources/TrackSource.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace umbrascope {

class PcmQueue;

// Thread rule: an AudioStream belongs to the track thread that opened it; only that thread
// calls its members and destroys it.
class AudioStream {
public:
    // closeDevice stops whatever plays the queue; it is called once, before the queue closes.
    AudioStream(std::shared_ptr<PcmQueue> queue, std::function<void()> closeDevice);
    ~AudioStream(); // closes the stream: whatever is still queued is dropped
    AudioStream(const AudioStream&) = delete;
    AudioStream& operator=(const AudioStream&) = delete;

    // Converts the buffer to the device's format on this thread and queues the result; the
    // ticket tells when it has been played.
    std::uint64_t Queue(const std::uint8_t* data, std::size_t bytes);

    // Takes the queue's short lock; never waits for the device.
    bool HasPlayed(std::uint64_t ticket) const;

    // Blocks at most timeout. True when the buffer has been played (or dropped).
    bool WaitUntilPlayed(std::uint64_t ticket, std::chrono::milliseconds timeout);

    // 0 silent, 1 full scale; clamped to that range. The level applies to the samples as they
    // are handed to the device, so a change reaches what is already queued.
    void SetLevel(double left, double right);

    // Drops everything still queued.
    void DropQueued();

    // Before the first Queue: what the device tells about this stream (the mix it is in
    // clipped, the device was lost) goes to reports.
    void ReportTo(std::shared_ptr<PlayReports> reports);

private:
    std::shared_ptr<PcmQueue> queue_;
    std::function<void()> closeDevice_;
};

// Something that opens output streams: SDL2 normally, an in-memory device in tests.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    // Thread safe. Empty when the device refuses the stream.
    virtual std::unique_ptr<AudioStream> Open(const PcmFormat& format) = 0;
};

// The sample rates sound hardware plays. Outside them a stream is refused: a header that claims
// 1 Hz would make a buffer of a few frames last minutes.
inline constexpr int MinPlayableRate = 1000;
inline constexpr int MaxPlayableRate = 768000;

// Thread safe. Linear PCM of 8 (unsigned), 16, 24 or 32 bits, 1 to 8 channels, whole-sample
// frames, at a rate from MinPlayableRate to MaxPlayableRate.
bool IsPlayableFormat(const PcmFormat& format);

// Thread safe, may block while the sound server answers. Empty when the format is not
// playable or the device cannot be opened. What the device tells of the stream goes to reports,
// when given.
std::unique_ptr<AudioStream> OpenAudioStream(const PcmFormat& format,
                                             std::shared_ptr<PlayReports> reports = nullptr);

// Chooses the backend for streams opened from now on; nullptr restores SDL2. Call while no
// track thread is opening a stream (tests, before they start tracks).
void SetAudioBackend(AudioBackend* backend);

// Program exit only, after every track thread has been joined: shuts SDL2 down.
void QuitAudioOutput();

} // namespace umbrascope
