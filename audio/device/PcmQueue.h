#pragma once

// The buffers of one output stream between its track thread and the device that mixes them
// (SDL2's audio thread, or a test). The track thread queues buffers in the track's own format;
// they are converted on that thread, as they are queued, to the device's float stereo at the
// device's rate (RateConverter, the export's converter), so the device only adds them up. The
// track thread waits for its buffers to be played; the device takes frames in order, with the
// stream's left and right level applied as it takes them.
//
// Thread rule: every member is thread safe, except that Push is called by one thread at a time:
// Push, WaitUntilPlayed, SetLevel, Drop and Close by the owning track thread; MixInto,
// ConsumeBuffer and WaitQueuedFrames by the device side.

#include "PlayReports.h"
#include "RateConverter.h"
#include "audio/sources/TrackSource.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

namespace umbrascope {

class PcmQueue {
public:
    // deviceRate: the rate of the float stereo frames the device takes.
    PcmQueue(const PcmFormat& format, int deviceRate);

    // The track's own format, as its buffers are queued.
    const PcmFormat& TrackFormat() const { return track_; }
    int DeviceRate() const { return deviceRate_; }

    // False when the converter refuses the format: such a stream is not to be opened.
    bool Valid() const { return converter_.Valid(); }

    // Converts the bytes (whole frames or not) and queues what the converter gives; returns the
    // ticket that tells when it has been played. The conversion runs before the queue's lock is
    // taken, so it never holds the device up.
    std::uint64_t Push(const std::uint8_t* data, std::size_t bytes);

    // Takes the queue's short lock; never waits for the device.
    bool HasPlayed(std::uint64_t ticket) const;

    // Blocks until the buffer of this ticket has been played, dropped or the stream closed, or
    // the timeout has passed. True when it has been played or dropped.
    bool WaitUntilPlayed(std::uint64_t ticket, std::chrono::milliseconds timeout);

    // Levels from 0 (silent) to 1 (as queued); values outside are clamped. They apply to the
    // frames the device takes from now on, so they reach what is already queued.
    void SetLevel(double left, double right);

    // Drops everything still queued; its tickets count as played.
    void Drop();

    // Drops everything and refuses further device requests.
    void Close();
    bool Closed() const;

    // Device side: adds the next frames (float stereo, level applied) to out; where the queue
    // has run dry nothing is added. Returns the number of queued frames taken. Holds the lock
    // for one pass over the frames; played buffers go back to the track thread, not to free().
    std::size_t MixInto(float* out, std::size_t frames);

    // Test device: waits (bounded) for the oldest queued buffer and plays it whole, returning
    // its float stereo frames as the device got them. Empty on timeout or when the stream has
    // closed.
    std::optional<std::vector<float>> ConsumeBuffer(std::chrono::milliseconds timeout);

    // Test device: waits (bounded) until frames are queued or the stream has closed.
    bool WaitQueuedFrames(std::size_t frames, std::chrono::milliseconds timeout);

    // Test device: waits (bounded) until the stream has been closed.
    bool WaitClosed(std::chrono::milliseconds timeout);

    // Whose stream this is: the player told when the mix it is in clips or the device is lost.
    void ReportTo(std::shared_ptr<PlayReports> reports);
    std::shared_ptr<PlayReports> Reports() const;

    // Buffers queued and not yet played or dropped.
    std::size_t QueuedBuffers() const;

    // Buffers queued since the device last ran dry in the middle of the stream.
    std::size_t Underruns() const;

private:
    struct Entry {
        std::vector<float> frames; // float stereo
        std::size_t offset = 0;    // in samples
        std::uint64_t ticket = 0;
    };

    void MarkPlayed(std::uint64_t ticket);
    void Recycle(std::vector<float>&& frames);
    std::size_t QueuedFrames() const;

    const PcmFormat track_;
    const int deviceRate_;
    RateConverter converter_; // the track thread's, outside the lock

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Entry> entries_;
    // Storage of played buffers, handed back to the track thread for its next buffer: the
    // device thread neither allocates nor frees.
    std::vector<std::vector<float>> spare_;
    std::uint64_t lastQueued_ = 0;
    std::uint64_t lastPlayed_ = 0;
    float left_ = 1;
    float right_ = 1;
    bool starved_ = false;
    bool closed_ = false;
    std::size_t underruns_ = 0;
    std::shared_ptr<PlayReports> reports_;
};

// Thread safe: the number of underruns of every stream of the program so far.
std::uint64_t AudioUnderrunCount();

} // namespace umbrascope
