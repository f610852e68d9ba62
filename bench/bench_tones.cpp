// One 4096-frame buffer (186 ms of sound) of each generator kind. The counter x_real_time is
// how many seconds of sound one second of computing gives. Late-session runs start 40 minutes
// into the track, where the sine arguments are large.

#include "audio/sources/Tones.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace umbrascope {

namespace {

void FillOneBuffer(benchmark::State& state, const char* descriptor, std::uint32_t startFrame) {
    ToneParams params = *ParseToneDescriptor(descriptor);
    params.SampleIndex = startFrame;
    NoiseGenerator random;
    std::vector<std::uint8_t> buffer(ToneBufferBytes);
    for (auto _ : state) {
        if (params.Kind == TrackKind::Noise)
            FillNoiseBuffer(params, random, buffer.data());
        else
            FillToneBuffer(params, buffer.data());
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    const double soundSeconds = static_cast<double>(ToneFramesPerBuffer) / ToneSampleRate;
    state.counters["x_real_time"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * soundSeconds, benchmark::Counter::kIsRate);
}

constexpr std::uint32_t FortyMinutes = 40 * 60 * 22050;

BENCHMARK_CAPTURE(FillOneBuffer, binaural, ".&01%8@260@100", 0);
BENCHMARK_CAPTURE(FillOneBuffer, modulation, ".&02%8@260@5@100", 0);
BENCHMARK_CAPTURE(FillOneBuffer, noise, ".&03%0@100", 0);
BENCHMARK_CAPTURE(FillOneBuffer, sine, ".&04%333@0@100", 0);
BENCHMARK_CAPTURE(FillOneBuffer, binaural_at_40_min, ".&01%8@260@100", FortyMinutes);
BENCHMARK_CAPTURE(FillOneBuffer, modulation_at_40_min, ".&02%8@260@5@100", FortyMinutes);
BENCHMARK_CAPTURE(FillOneBuffer, noise_at_40_min, ".&03%0@100", FortyMinutes);

} // namespace

} // namespace umbrascope

using namespace umbrascope;

BENCHMARK_MAIN();
