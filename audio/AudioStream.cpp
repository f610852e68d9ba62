#include "AudioStream.h"

#include "PcmQueue.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <mutex>

// Each stream opens an SDL device of its own with a callback (rather than SDL_QueueAudio):
// the callback hands on whole buffers from the stream's queue and knows the moment a buffer
// has been taken, which is the completion signal the track threads wait for, and the moment
// a stream runs dry. SDL2 has no per-stream volume, so the queue applies the level to the
// samples it hands on.

namespace {

std::atomic<AudioBackend*> installedBackend{nullptr};

// SDL's device list is not safe to change from several threads at once: opening, closing and
// initialising are serialised.
std::mutex sdlMutex;
bool sdlAudioReady = false;

bool EnsureSdlAudio() {
    if (!sdlAudioReady)
        sdlAudioReady = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    return sdlAudioReady;
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

// About 20 ms per device buffer keeps the sound that follows a stop short.
Uint16 DeviceBufferFrames(int sampleRate) {
    Uint16 frames = 256;
    while (frames < sampleRate / 50 && frames < 8192)
        frames = static_cast<Uint16>(frames * 2);
    return frames;
}

void FeedDevice(void* userdata, Uint8* out, int bytes) {
    static_cast<PcmQueue*>(userdata)->Consume(out, static_cast<std::size_t>(bytes));
}

class SdlBackend final : public AudioBackend {
public:
    std::unique_ptr<AudioStream> Open(const PcmFormat& format) override {
        auto queue = std::make_shared<PcmQueue>(format);
        SDL_AudioSpec wanted{};
        wanted.freq = format.SampleRate;
        wanted.format = SdlSampleFormat(queue->DeviceFormat());
        wanted.channels = static_cast<Uint8>(format.Channels);
        wanted.samples = DeviceBufferFrames(format.SampleRate);
        wanted.callback = FeedDevice;
        wanted.userdata = queue.get();

        std::lock_guard lock(sdlMutex);
        if (!EnsureSdlAudio())
            return nullptr;
        SDL_AudioSpec obtained{};
        // No changes allowed: SDL converts to whatever the server wants.
        const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (device == 0)
            return nullptr;
        SDL_PauseAudioDevice(device, 0);
        return std::make_unique<AudioStream>(std::move(queue), [device] {
            std::lock_guard closing(sdlMutex);
            SDL_CloseAudioDevice(device);
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
    return knownBits && format.Channels >= 1 && format.Channels <= 8 && format.SampleRate > 0 &&
           format.SampleRate <= 768000 && format.BlockAlign == format.Channels * bits / 8;
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
    std::lock_guard lock(sdlMutex);
    if (sdlAudioReady)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    sdlAudioReady = false;
    SDL_Quit();
}
