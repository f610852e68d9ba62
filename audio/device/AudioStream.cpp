#include "AudioStream.h"

#include "PcmQueue.h"
#include "StreamMix.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace umbrascope {

// SDL2 opens at most 15 devices per program, fewer than the tracks a session may play at once,
// so every stream plays through one shared SDL device, whose callback mixes them, as a sound card
// mixes the streams of several programs. Each stream's queue holds its sound already converted
// to the device's float stereo at the device's rate (converted by the track thread as it queues
// a buffer), so the callback only adds the streams up, each at its level. It takes frames in
// order from each queue and so knows the moment a buffer has been played (the completion signal
// the track threads wait for) and the moment a stream runs dry. The device is opened with the
// first stream, at the rate the device plays, and closed with the last.
//
// A sound server that stops (a restart of PulseAudio or PipeWire is routine) takes the device
// with it. A watcher thread notices, tells the user once, and plays the mix into nothing at the
// pace of the clock, so the tracks go on in time; it opens the device again as soon as the
// server answers, and the sound comes back where the tracks have got to.

namespace {

std::atomic<AudioBackend*> installedBackend{nullptr};

constexpr int PreferredMixRate = 44100;
constexpr int MixChannels = 2;
constexpr Uint16 MixBufferFrames = 1024; // about 23 ms: the sound after a stop stays short

using SteadyClock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds WatchInterval{50};
constexpr std::chrono::milliseconds ReopenInterval{500};
// The watcher steps in when the mix lags the clock by more than a tenth of a second, at most a
// second at a time, and leaves the pace to a reopened device once it has asked for two seconds
// of sound.
constexpr int PaceSlackPerSecond = 10;
constexpr int SteadySeconds = 2;

// SDL keeps per-thread state (its error text) that it frees only for threads it created itself;
// track threads hand theirs back whenever they are done with SDL.
void ReleaseThreadState() {
    SDL_TLSCleanup();
}

// Left to itself SDL takes SIGINT and SIGTERM to post a quit event, which nothing here reads:
// once a track had sounded, the program would no longer end when the desktop asks it to.
bool StartSdlAudio() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

class SharedDevice {
public:
    ~SharedDevice() { StopWatching(); }

    // Thread safe. Adds a stream to the mix, opening the device for the first one; its queue
    // converts to the device's rate. Empty when SDL or the device refuses. While the sound
    // server is away the stream joins the mix that plays into nothing.
    std::shared_ptr<PcmQueue> Add(const PcmFormat& format) {
        std::lock_guard opening(sdlMutex_);
        if (!lost_ && !sdlReady_)
            sdlReady_ = StartSdlAudio();
        if (!lost_ && !sdlReady_)
            return nullptr;
        // A first stream takes the device at whatever rate it plays; the streams that join
        // later convert to that rate.
        if (!lost_ && !OpenDeviceIfClosed(true))
            return nullptr;
        auto queue = std::make_shared<PcmQueue>(format, mixRate_);
        if (!queue->Valid()) {
            CloseIfUnused();
            return nullptr;
        }
        StartWatching();
        std::lock_guard mixing(mixMutex_);
        inputs_.push_back(queue);
        return queue;
    }

    // Thread safe. Takes the stream out of the mix; the last one out closes the device.
    void Remove(const PcmQueue* queue) {
        std::lock_guard closing(sdlMutex_);
        {
            std::lock_guard mixing(mixMutex_);
            std::erase_if(inputs_, [&](const auto& input) { return input.get() == queue; });
        }
        CloseIfUnused();
    }

    void Quit() {
        // The watcher takes the SDL lock itself: it is stopped before that lock is taken here.
        StopWatching();
        std::lock_guard closing(sdlMutex_);
        CloseDevice();
        if (sdlReady_)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlReady_ = false;
        lost_ = false;
        pacing_ = false;
        SDL_Quit();
    }

private:
    // Call with sdlMutex_ held.
    void CloseIfUnused() {
        bool empty = false;
        {
            std::lock_guard mixing(mixMutex_);
            empty = inputs_.empty();
        }
        if (empty) {
            CloseDevice();
            lost_ = false; // nothing left to play: the next stream starts afresh
            pacing_ = false;
        }
    }

    // Call with sdlMutex_ held. A device reopened under playing streams keeps their rate (SDL
    // converts if it must); a fresh one may take the rate the device plays.
    bool OpenDeviceIfClosed(bool rateMayChange) {
        if (device_ != 0)
            return true;
        SDL_AudioSpec wanted{};
        wanted.freq = rateMayChange ? PreferredMixRate : mixRate_;
        wanted.format = AUDIO_F32SYS;
        wanted.channels = MixChannels;
        wanted.samples = MixBufferFrames;
        wanted.callback = [](void* self, Uint8* out, int bytes) {
            const std::size_t frames =
                static_cast<std::size_t>(bytes) / (MixChannels * sizeof(float));
            auto& device = *static_cast<SharedDevice*>(self);
            device.deviceFrames_ += frames;
            try {
                device.Mix(reinterpret_cast<float*>(out), frames);
            } catch (...) {
                // Nothing may unwind into SDL: a mix that cannot be made plays silence.
                std::fill_n(reinterpret_cast<float*>(out), frames * MixChannels, 0.0f);
            }
        };
        wanted.userdata = this;
        SDL_AudioSpec obtained{};
        deviceFrames_ = 0;
        const SDL_AudioDeviceID device = SDL_OpenAudioDevice(
            nullptr, 0, &wanted, &obtained, rateMayChange ? SDL_AUDIO_ALLOW_FREQUENCY_CHANGE : 0);
        if (device == 0)
            return false;
        device_ = device;
        if (rateMayChange)
            mixRate_ = obtained.freq;
        // Not under the mix lock: unpausing waits for the device thread, which may be mixing.
        SDL_PauseAudioDevice(device, 0);
        return true;
    }

    // Call with sdlMutex_ held, never the mix lock: closing waits for a callback that may be
    // waiting for it.
    void CloseDevice() {
        if (device_ != 0)
            SDL_CloseAudioDevice(device_);
        device_ = 0;
    }

    // SDL's device thread (or the watcher while the server is away): the next frames of every
    // stream, summed and clipped.
    void Mix(float* out, std::size_t frames) {
        std::lock_guard mixing(mixMutex_);
        MixStreams(inputs_, out, frames);
    }

    // Call with sdlMutex_ held.
    void StartWatching() {
        std::lock_guard watching(watchMutex_);
        if (!watcher_.joinable())
            watcher_ = std::thread([this] { Watch(); });
    }

    // Call with neither the SDL lock nor the mix lock held.
    void StopWatching() {
        std::thread watcher;
        {
            std::lock_guard watching(watchMutex_);
            quitting_ = true;
            watcher = std::move(watcher_);
        }
        watchWake_.notify_all();
        if (watcher.joinable())
            watcher.join();
        std::lock_guard watching(watchMutex_);
        quitting_ = false;
    }

    // The watcher thread's body.
    void Watch() noexcept {
        std::unique_lock watching(watchMutex_);
        while (!quitting_) {
            watchWake_.wait_for(watching, WatchInterval);
            if (quitting_)
                break;
            watching.unlock();
            bool lostNow = false;
            try {
                lostNow = CheckDevice();
            } catch (...) {
                // The next look goes on from where this one stopped.
            }
            // Told outside the SDL lock: what shows the message must never wait for the mix.
            if (lostNow)
                for (const auto& reports : PlayersOfMix())
                    reports->Post(DeviceErrorMessage);
            watching.lock();
        }
        watching.unlock();
        ReleaseThreadState();
    }

    // Watcher thread, with neither the SDL lock nor the mix lock held: the players whose
    // streams are in the mix, each once.
    std::vector<std::shared_ptr<PlayReports>> PlayersOfMix() {
        std::vector<std::shared_ptr<PlayReports>> players;
        std::lock_guard mixing(mixMutex_);
        for (const auto& input : inputs_)
            if (auto reports = input->Reports();
                reports && std::find(players.begin(), players.end(), reports) == players.end())
                players.push_back(std::move(reports));
        return players;
    }

    // Watcher thread. True when the device has just been found gone.
    bool CheckDevice() {
        std::lock_guard sdl(sdlMutex_);
        const auto now = SteadyClock::now();
        bool lostNow = false;
        if (device_ != 0 && SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED) {
            // Reopen with the driver that worked: trying others while the server is away only
            // fills standard error with their complaints.
            const char* driver = SDL_GetCurrentAudioDriver();
            lostDriver_ = driver ? driver : "";
            // Told once: a server that goes again before the sound got going is the same loss.
            lostNow = !pacing_;
            if (pacing_) {
                pacedFrames_ += deviceFrames_.load();
            } else {
                paceFrom_ = now;
                pacedFrames_ = 0;
            }
            CloseDevice();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            sdlReady_ = false;
            lost_ = true;
            pacing_ = true;
            nextReopen_ = now + ReopenInterval;
        }
        if (!pacing_)
            return lostNow;
        KeepPace(now);
        if (!lost_) {
            // A server that has just come back may ask for a few samples and then nothing for
            // a second or two; the watcher keeps the pace until the device plays steadily.
            if (deviceFrames_.load() >= static_cast<std::uint64_t>(SteadySeconds) * mixRate_)
                pacing_ = false;
        } else if (now >= nextReopen_) {
            if (Reopen())
                lost_ = false;
            else
                nextReopen_ = now + ReopenInterval;
        }
        return lostNow;
    }

    // Watcher thread, with sdlMutex_ held: takes from every stream what the device would have
    // played by now and has not, so that the track threads go on in time.
    void KeepPace(SteadyClock::time_point now) {
        const auto rate = static_cast<std::uint64_t>(mixRate_);
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::microseconds>(now - paceFrom_).count();
        const auto due = static_cast<std::uint64_t>(elapsed) * rate / 1000000;
        const std::uint64_t played = pacedFrames_ + (device_ != 0 ? deviceFrames_.load() : 0);
        if (played + rate / PaceSlackPerSecond >= due)
            return;
        std::uint64_t missing = due - played;
        // After a stall of the watcher itself the tracks skip ahead rather than race.
        if (missing > rate) {
            pacedFrames_ += missing - rate;
            missing = rate;
        }
        nothing_.resize(static_cast<std::size_t>(missing) * MixChannels);
        Mix(nothing_.data(), static_cast<std::size_t>(missing));
        pacedFrames_ += missing;
    }

    // Watcher thread, with sdlMutex_ held.
    bool Reopen() {
        if (!lostDriver_.empty())
            SDL_SetHint(SDL_HINT_AUDIODRIVER, lostDriver_.c_str());
        sdlReady_ = StartSdlAudio();
        if (sdlReady_ && OpenDeviceIfClosed(false)) {
            SDL_ResetHint(SDL_HINT_AUDIODRIVER);
            return true;
        }
        if (sdlReady_)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlReady_ = false;
        return false;
    }

    std::mutex sdlMutex_; // SDL's device list is not safe to change from several threads at once
    bool sdlReady_ = false;
    SDL_AudioDeviceID device_ = 0;
    int mixRate_ = PreferredMixRate; // the device's rate, which every stream converts to
    bool lost_ = false;              // the sound server went away while streams were playing
    bool pacing_ = false; // the watcher keeps the streams' pace (server away or coming back)
    SteadyClock::time_point paceFrom_{};
    std::uint64_t pacedFrames_ = 0; // played into nothing by the watcher since paceFrom_
    std::atomic<std::uint64_t> deviceFrames_{0}; // asked for by the device since it opened
    std::string lostDriver_;
    SteadyClock::time_point nextReopen_{};
    std::vector<float> nothing_;

    std::mutex mixMutex_; // the inputs
    std::vector<std::shared_ptr<PcmQueue>> inputs_;

    std::mutex watchMutex_;
    std::condition_variable watchWake_;
    std::thread watcher_;
    bool quitting_ = false;
};

SharedDevice sharedDevice;

class SdlBackend final : public AudioBackend {
public:
    std::unique_ptr<AudioStream> Open(const PcmFormat& format) override {
        auto queue = sharedDevice.Add(format);
        if (!queue) {
            ReleaseThreadState();
            return nullptr;
        }
        const PcmQueue* mixed = queue.get();
        return std::make_unique<AudioStream>(std::move(queue), [mixed] {
            sharedDevice.Remove(mixed);
            ReleaseThreadState();
        });
    }
};

SdlBackend sdlBackend;

} // namespace

AudioStream::AudioStream(std::shared_ptr<PcmQueue> queue, std::function<void()> closeDevice)
    : queue_(std::move(queue)), closeDevice_(std::move(closeDevice)) {}

AudioStream::~AudioStream() {
    queue_->Drop();
    if (closeDevice_)
        closeDevice_();
    queue_->Close();
}

std::uint64_t AudioStream::Queue(const std::uint8_t* data, std::size_t bytes) {
    return queue_->Push(data, bytes);
}

bool AudioStream::HasPlayed(std::uint64_t ticket) const {
    return queue_->HasPlayed(ticket);
}

bool AudioStream::WaitUntilPlayed(std::uint64_t ticket, std::chrono::milliseconds timeout) {
    return queue_->WaitUntilPlayed(ticket, timeout);
}

void AudioStream::SetLevel(double left, double right) {
    queue_->SetLevel(left, right);
}

void AudioStream::DropQueued() {
    queue_->Drop();
}

void AudioStream::ReportTo(std::shared_ptr<PlayReports> reports) {
    queue_->ReportTo(std::move(reports));
}

bool IsPlayableFormat(const PcmFormat& format) {
    const int bits = format.bitsPerSample;
    const bool knownBits = bits == 8 || bits == 16 || bits == 24 || bits == 32;
    return knownBits && format.channels >= 1 && format.channels <= 8 &&
           format.sampleRate >= MinPlayableRate && format.sampleRate <= MaxPlayableRate &&
           format.blockAlign == format.channels * bits / 8;
}

std::unique_ptr<AudioStream> OpenAudioStream(const PcmFormat& format,
                                             std::shared_ptr<PlayReports> reports) {
    if (!IsPlayableFormat(format))
        return nullptr;
    AudioBackend* backend = installedBackend.load();
    auto stream = (backend ? *backend : static_cast<AudioBackend&>(sdlBackend)).Open(format);
    if (stream && reports)
        stream->ReportTo(std::move(reports));
    return stream;
}

void SetAudioBackend(AudioBackend* backend) {
    installedBackend = backend;
}

void QuitAudioOutput() {
    sharedDevice.Quit();
    ReleaseThreadState();
}

} // namespace umbrascope
