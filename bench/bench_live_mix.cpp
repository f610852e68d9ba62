// The shared sound device's callback, one call of 1024 frames at 44.1 kHz, for 1, 16 and 64
// generated streams at 22050 Hz:
//   - SdlConverterInCallback: as the callback worked before the live mix moved to libsoxr:
//     each stream's bytes copied out of its queue and brought to the device's rate by SDL2's
//     converter inside the callback (replayed here the way the callback did it);
//   - MixOfConvertedStreams: the callback now: the queues hold frames already converted, and
//     the callback adds them up at their levels (StreamMix).
// And the work that moved to the track thread: converting one queued buffer (4096 frames at
// 22050 Hz) to 44.1 and 48 kHz, and opening a stream's converter. No sound server needed.

#include "audio/device/PcmQueue.h"
#include "audio/device/StreamMix.h"
#include "audio/sources/Tones.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace umbrascope {

namespace {

constexpr int DeviceRate = 44100;
constexpr std::size_t CallbackFrames = 1024;

// The calling thread's processor time: on a shared machine the wall clock also counts the
// time other programs had the core.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Ten buffers of a generated tone, played in a loop by every stream.
std::vector<std::uint8_t> ToneBytes() {
    ToneParams params = *ParseToneDescriptor(".&01%8@260@50");
    std::vector<std::uint8_t> bytes(10 * ToneBufferBytes);
    for (std::size_t at = 0; at < bytes.size(); at += ToneBufferBytes)
        FillToneBuffer(params, bytes.data() + at);
    return bytes;
}

// The timed part's microseconds per stream and call (benchmark's rate counters divide by the
// processor time of the whole loop, untimed parts included).
void SetPerStream(benchmark::State& state, double seconds, std::size_t streams) {
    state.counters["per_stream_us"] =
        seconds * 1e6 / static_cast<double>(state.iterations()) / static_cast<double>(streams);
}

void SdlConverterInCallback(benchmark::State& state) {
    const auto streams = static_cast<std::size_t>(state.range(0));
    const std::vector<std::uint8_t> tone = ToneBytes();
    struct Stream {
        SDL_AudioStream* converter;
        std::size_t at = 0;
    };
    std::vector<Stream> inputs;
    for (std::size_t i = 0; i < streams; ++i)
        inputs.push_back(
            {SDL_NewAudioStream(AUDIO_S16LSB, 2, 22050, AUDIO_F32SYS, 2, DeviceRate), 0});
    std::vector<float> out(CallbackFrames * 2), converted(CallbackFrames * 2);
    std::vector<std::uint8_t> source;
    const std::size_t wanted = out.size() * sizeof(float);
    double timed = 0;
    for (auto _ : state) {
        const double began = ThreadSeconds();
        std::fill(out.begin(), out.end(), 0.0f);
        for (Stream& input : inputs) {
            // Fed from the queue until the converter holds what the device asks for.
            for (int round = 0; round < 8; ++round) {
                const auto available =
                    static_cast<std::size_t>(SDL_AudioStreamAvailable(input.converter));
                if (available >= wanted)
                    break;
                const std::size_t inFrames =
                    ((wanted - available) / 8 + 1) * 22050 / DeviceRate + 16;
                source.resize(inFrames * 4);
                for (std::size_t copied = 0; copied < source.size();) {
                    const std::size_t count =
                        std::min(source.size() - copied, tone.size() - input.at);
                    std::memcpy(source.data() + copied, tone.data() + input.at, count);
                    copied += count;
                    input.at = (input.at + count) % tone.size();
                }
                SDL_AudioStreamPut(input.converter, source.data(), static_cast<int>(source.size()));
            }
            const int got =
                SDL_AudioStreamGet(input.converter, converted.data(), static_cast<int>(wanted));
            for (std::size_t i = 0; i < static_cast<std::size_t>(got) / sizeof(float); ++i)
                out[i] += converted[i];
        }
        for (float& sample : out)
            sample = std::clamp(sample, -1.0f, 1.0f);
        benchmark::DoNotOptimize(out.data());
        const double seconds = ThreadSeconds() - began;
        state.SetIterationTime(seconds);
        timed += seconds;
    }
    for (Stream& input : inputs)
        SDL_FreeAudioStream(input.converter);
    SetPerStream(state, timed, streams);
}

void MixOfConvertedStreams(benchmark::State& state) {
    const auto streams = static_cast<std::size_t>(state.range(0));
    const std::vector<std::uint8_t> tone = ToneBytes();
    std::vector<std::shared_ptr<PcmQueue>> queues;
    std::vector<std::size_t> next(streams, 0);
    for (std::size_t i = 0; i < streams; ++i) {
        queues.push_back(std::make_shared<PcmQueue>(PcmFormat{}, DeviceRate));
        queues.back()->SetLevel(0.5, 0.5); // a level as the master volume sets it
    }
    std::vector<float> out(CallbackFrames * 2);
    double timed = 0;
    for (auto _ : state) {
        // The track threads' part, not timed: two buffers in flight.
        for (std::size_t i = 0; i < streams; ++i) {
            while (queues[i]->QueuedBuffers() < 2) {
                queues[i]->Push(tone.data() + next[i], ToneBufferBytes);
                next[i] = (next[i] + ToneBufferBytes) % tone.size();
            }
        }
        const double began = ThreadSeconds();
        MixStreams(queues, out.data(), CallbackFrames);
        benchmark::DoNotOptimize(out.data());
        const double seconds = ThreadSeconds() - began;
        state.SetIterationTime(seconds);
        timed += seconds;
    }
    SetPerStream(state, timed, streams);
}

void ConvertOneQueuedBuffer(benchmark::State& state) {
    const std::vector<std::uint8_t> tone = ToneBytes();
    PcmQueue queue(PcmFormat{}, static_cast<int>(state.range(0)));
    std::size_t next = 0;
    double timed = 0;
    for (auto _ : state) {
        const double began = ThreadSeconds();
        queue.Push(tone.data() + next, ToneBufferBytes);
        const double seconds = ThreadSeconds() - began;
        state.SetIterationTime(seconds);
        timed += seconds;
        next = (next + ToneBufferBytes) % tone.size();
        queue.Drop();
    }
    // The share of one core a stream's conversion takes: a buffer lasts 4096 / 22050 s.
    const double bufferSeconds = static_cast<double>(ToneFramesPerBuffer) / ToneSampleRate;
    state.counters["core_percent"] =
        100 * timed / static_cast<double>(state.iterations()) / bufferSeconds;
}

void OpenAStream(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(PcmQueue(PcmFormat{}, static_cast<int>(state.range(0))));
}

BENCHMARK(SdlConverterInCallback)
    ->Arg(1)
    ->Arg(16)
    ->Arg(64)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(MixOfConvertedStreams)
    ->Arg(1)
    ->Arg(16)
    ->Arg(64)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ConvertOneQueuedBuffer)
    ->Arg(44100)
    ->Arg(48000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenAStream)->Arg(44100)->Arg(48000)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace umbrascope

using namespace umbrascope;

BENCHMARK_MAIN();
