#include "StreamingLoop.h"

#include "audio/device/AudioStream.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

namespace umbrascope {

namespace {

using std::chrono::milliseconds;

// How much longer than a buffer lasts the loop waits for the device before it gives the
// stream up: a device that has stopped playing must not hold a thread for ever. A device that
// has just been opened gets longer, since an idle sound server may wake up in blocks of a
// second or two before it asks for the first samples. Every wait looks at the stop flag at
// least every StopPoll, and after a stop the loop waits only for the sound queued last.
constexpr milliseconds DeviceGrace{1000};
constexpr milliseconds StartupGrace{3000};
constexpr milliseconds StopPoll{20};
constexpr milliseconds DrainMargin{200};

milliseconds BufferDuration(const PcmFormat& format, std::size_t bytes) {
    const auto bytesPerSecond = static_cast<std::uint64_t>(format.sampleRate) *
                                static_cast<std::uint64_t>(std::max(format.blockAlign, 1));
    return milliseconds(bytes * 1000 / std::max<std::uint64_t>(bytesPerSecond, 1) + 1);
}

class Streamer {
public:
    Streamer(TrackSource& source, AudioStream& stream, const PublishedState& state)
        : source_(source), stream_(stream), state_(state), bytes_(source.BufferBytes()),
          silence_(source.Format().bitsPerSample == 8 ? 0x80 : 0),
          bufferDuration_(BufferDuration(source.Format(), bytes_)) {
        for (auto& buffer : buffers_)
            buffer.assign(bytes_, silence_);
    }

    void Run(const std::atomic<bool>& running, const std::atomic<bool>* playOut) {
        // The first buffer already plays at the master volume in force.
        SetMasterLevel(*state_.CurrentValues());
        int current = 0;
        tickets_[0] = FillAndQueue(0);
        current = 1;
        while (running.load()) {
            tickets_[current] = FillAndQueue(current);
            const int older = 1 - current;
            const Waited waited = WaitWhileRunning(tickets_[older], running);
            if (waited == Waited::DeviceGone)
                return;
            if (waited == Waited::Stopped)
                break;
            current = older;
            source_.AfterSwitch();
        }
        // Let the sound queued last play out, unless the player is going, then drop anything
        // left and close.
        PlayOut(std::max(tickets_[0], tickets_[1]), playOut);
        stream_.DropQueued();
    }

private:
    enum class Waited { Played, Stopped, DeviceGone };

    Waited WaitWhileRunning(std::uint64_t ticket, const std::atomic<bool>& running) {
        const milliseconds grace = devicePlaying_ ? DeviceGrace : StartupGrace;
        const auto deadline = std::chrono::steady_clock::now() + bufferDuration_ + grace;
        for (;;) {
            const auto left = std::chrono::duration_cast<milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (stream_.WaitUntilPlayed(ticket, std::clamp(left, milliseconds{0}, StopPoll))) {
                devicePlaying_ = true;
                return Waited::Played;
            }
            if (!running.load())
                return Waited::Stopped;
            if (left <= milliseconds{0})
                return Waited::DeviceGone;
        }
    }

    void PlayOut(std::uint64_t ticket, const std::atomic<bool>* playOut) {
        const auto deadline = std::chrono::steady_clock::now() + 2 * bufferDuration_ + DrainMargin;
        while (!playOut || playOut->load()) {
            const auto left = std::chrono::duration_cast<milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left <= milliseconds{0} ||
                stream_.WaitUntilPlayed(ticket, std::min(left, StopPoll)))
                return;
        }
    }

    std::uint64_t FillAndQueue(int k) {
        std::uint8_t* buffer = buffers_[k].data();
        source_.Fill(buffer);
        const auto values = state_.CurrentValues();
        // Silenced tracks go on in time, so they are heard again where they have got to.
        if (!values->AudioEnabled)
            std::fill_n(buffer, bytes_, silence_);
        const std::uint64_t ticket = stream_.Queue(buffer, bytes_);
        SetMasterLevel(*values);
        return ticket;
    }

    void SetMasterLevel(const SessionValuesInForce& values) {
        const double level = MasterLevel(values.AudioVolume);
        stream_.SetLevel(level, level);
    }

    TrackSource& source_;
    AudioStream& stream_;
    const PublishedState& state_;
    const std::size_t bytes_;
    const std::uint8_t silence_; // unsigned 8-bit samples are silent at their midpoint
    const milliseconds bufferDuration_;
    bool devicePlaying_ = false; // the device has played a buffer
    std::array<std::vector<std::uint8_t>, 2> buffers_;
    std::array<std::uint64_t, 2> tickets_{};
};

} // namespace

double MasterLevel(int volumePercent) {
    return std::clamp(volumePercent, 0, 100) / 100.0;
}

void StreamTrack(TrackSource& source, const std::atomic<bool>& running, const PublishedState& state,
                 const std::shared_ptr<PlayReports>& reports, const std::atomic<bool>* playOut) {
    const std::unique_ptr<AudioStream> stream = OpenAudioStream(source.Format(), reports);
    reports->CountStream(stream != nullptr);
    if (!stream) {
        if (source.ReportsDeviceFailure())
            reports->Post(source.DeviceFailureMessage());
        return;
    }
    Streamer(source, *stream, state).Run(running, playOut);
}

} // namespace umbrascope
