#include "AudioStream.h"

#include "PcmQueue.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

// SDL2 opens at most 15 devices per program, fewer than the tracks a session may play at once,
// so every stream plays through one shared SDL device: its callback converts each stream to the
// device format with an SDL_AudioStream and mixes them, as a sound card mixes the streams of
// several programs. The callback takes whole buffers from each stream's queue and so knows the
// moment a buffer has been handed on (the completion signal the track threads wait for) and the
// moment a stream runs dry. SDL2 has no per-stream volume; the queue applies the level to the
// samples it hands on. The device is opened with the first stream and closed with the last.

namespace {

std::atomic<AudioBackend*> installedBackend{nullptr};

constexpr int MixRate = 44100;
constexpr int MixChannels = 2;
constexpr Uint16 MixBufferFrames = 1024; // about 23 ms: the sound after a stop stays short

// SDL keeps per-thread state (its error text) that it frees only for threads it created itself;
// track threads hand theirs back whenever they are done with SDL.
void ReleaseThreadState() {
    SDL_TLSCleanup();
}

SDL_AudioFormat SdlSampleFormat(const PcmFormat& deviceFormat) {
    switch (deviceFormat.BitsPerSample) {
    case 8:
        return AUDIO_U8;
    case 16:
        return AUDIO_S16LSB;
    default:
        return AUDIO_S32LSB;
    }
}

class SharedDevice {
public:
    // Thread safe. Adds a stream to the mix, opening the device for the first one. Zero when
    // SDL or the device refuses.
    int Add(std::shared_ptr<PcmQueue> queue) {
        std::lock_guard opening(sdlMutex_);
        if (!sdlReady_)
            sdlReady_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        if (!sdlReady_)
            return 0;
        const PcmFormat& format = queue->DeviceFormat();
        SDL_AudioStream* converter =
            SDL_NewAudioStream(SdlSampleFormat(format), static_cast<Uint8>(format.Channels),
                               format.SampleRate, AUDIO_F32SYS, MixChannels, MixRate);
        if (!converter)
            return 0;
        if (!OpenDeviceIfClosed()) {
            SDL_FreeAudioStream(converter);
            return 0;
        }
        std::lock_guard mixing(mixMutex_);
        inputs_.push_back(Input{++lastId_, std::move(queue), converter});
        return lastId_;
    }

    // Thread safe. Takes the stream out of the mix; the last one out closes the device.
    void Remove(int id) {
        std::lock_guard closing(sdlMutex_);
        SDL_AudioDeviceID toClose = 0;
        {
            std::lock_guard mixing(mixMutex_);
            std::erase_if(inputs_, [&](Input& input) {
                if (input.id != id)
                    return false;
                SDL_FreeAudioStream(input.converter);
                return true;
            });
            if (inputs_.empty())
                std::swap(toClose, device_);
        }
        // Never under the mix lock: closing waits for a callback that may be waiting for it.
        if (toClose != 0)
            SDL_CloseAudioDevice(toClose);
    }

    void Quit() {
        std::lock_guard closing(sdlMutex_);
        SDL_AudioDeviceID toClose = 0;
        {
            std::lock_guard mixing(mixMutex_);
            std::swap(toClose, device_);
        }
        if (toClose != 0)
            SDL_CloseAudioDevice(toClose);
        if (sdlReady_)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlReady_ = false;
        SDL_Quit();
    }

private:
    struct Input {
        int id;
        std::shared_ptr<PcmQueue> queue;
        SDL_AudioStream* converter;
    };

    // Call with sdlMutex_ held.
    bool OpenDeviceIfClosed() {
        {
            std::lock_guard mixing(mixMutex_);
            if (device_ != 0)
                return true;
        }
        SDL_AudioSpec wanted{};
        wanted.freq = MixRate;
        wanted.format = AUDIO_F32SYS;
        wanted.channels = MixChannels;
        wanted.samples = MixBufferFrames;
        wanted.callback = [](void* self, Uint8* out, int bytes) {
            const std::size_t samples = static_cast<std::size_t>(bytes) / sizeof(float);
            try {
                static_cast<SharedDevice*>(self)->Mix(reinterpret_cast<float*>(out), samples);
            } catch (...) {
                // Nothing may unwind into SDL: a mix that cannot be made plays silence.
                std::fill_n(reinterpret_cast<float*>(out), samples, 0.0f);
            }
        };
        wanted.userdata = this;
        SDL_AudioSpec obtained{};
        // No changes allowed: SDL converts the mix to whatever the server wants.
        const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (device == 0)
            return false;
        {
            std::lock_guard mixing(mixMutex_);
            device_ = device;
        }
        // Not under the mix lock: unpausing waits for the device thread, which may be mixing.
        SDL_PauseAudioDevice(device, 0);
        return true;
    }

    // SDL's device thread: the next samples of every stream, summed and clipped.
    void Mix(float* out, std::size_t samples) {
        std::fill_n(out, samples, 0.0f);
        std::lock_guard mixing(mixMutex_);
        if (mixed_.size() < samples)
            mixed_.resize(samples);
        for (Input& input : inputs_) {
            Fetch(input, samples * sizeof(float));
            const int got = SDL_AudioStreamGet(input.converter, mixed_.data(),
                                               static_cast<int>(samples * sizeof(float)));
            for (std::size_t i = 0; i < static_cast<std::size_t>(std::max(got, 0)) / sizeof(float);
                 ++i)
                out[i] += mixed_[i];
        }
        for (std::size_t i = 0; i < samples; ++i)
            out[i] = std::clamp(out[i], -1.0f, 1.0f);
    }

    // Feeds the converter from the stream's queue (silence where it has run dry) until it holds
    // the bytes the device asks for.
    void Fetch(Input& input, std::size_t wanted) {
        const PcmFormat& format = input.queue->DeviceFormat();
        const auto frameBytes = static_cast<std::size_t>(format.BlockAlign);
        const std::size_t outFrameBytes = MixChannels * sizeof(float);
        for (int round = 0; round < 8; ++round) {
            const auto available =
                static_cast<std::size_t>(std::max(SDL_AudioStreamAvailable(input.converter), 0));
            if (available >= wanted)
                return;
            const std::size_t missingFrames = (wanted - available) / outFrameBytes + 1;
            const std::size_t inFrames =
                missingFrames * static_cast<std::size_t>(format.SampleRate) / MixRate + 16;
            source_.resize(inFrames * frameBytes);
            input.queue->Consume(source_.data(), source_.size());
            SDL_AudioStreamPut(input.converter, source_.data(), static_cast<int>(source_.size()));
        }
    }

    std::mutex sdlMutex_; // SDL's device list is not safe to change from several threads at once
    bool sdlReady_ = false;
    std::mutex mixMutex_; // the inputs, the device and the mixing buffers
    SDL_AudioDeviceID device_ = 0;
    std::vector<Input> inputs_;
    int lastId_ = 0;
    std::vector<float> mixed_;
    std::vector<std::uint8_t> source_;
};

SharedDevice sharedDevice;

class SdlBackend final : public AudioBackend {
public:
    std::unique_ptr<AudioStream> Open(const PcmFormat& format) override {
        auto queue = std::make_shared<PcmQueue>(format);
        const int id = sharedDevice.Add(queue);
        if (id == 0) {
            ReleaseThreadState();
            return nullptr;
        }
        return std::make_unique<AudioStream>(std::move(queue), [id] {
            sharedDevice.Remove(id);
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

bool IsPlayableFormat(const PcmFormat& format) {
    const int bits = format.BitsPerSample;
    const bool knownBits = bits == 8 || bits == 16 || bits == 24 || bits == 32;
    return knownBits && format.Channels >= 1 && format.Channels <= 8 &&
           format.SampleRate >= MinPlayableRate && format.SampleRate <= MaxPlayableRate &&
           format.BlockAlign == format.Channels * bits / 8;
}

std::unique_ptr<AudioStream> OpenAudioStream(const PcmFormat& format) {
    if (!IsPlayableFormat(format))
        return nullptr;
    AudioBackend* backend = installedBackend.load();
    return (backend ? *backend : static_cast<AudioBackend&>(sdlBackend)).Open(format);
}

void SetAudioBackend(AudioBackend* backend) {
    installedBackend = backend;
}

void QuitAudioOutput() {
    sharedDevice.Quit();
    ReleaseThreadState();
}
