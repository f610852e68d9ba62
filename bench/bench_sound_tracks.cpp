// Sixteen generated tracks (four of each kind) playing at once through the real sound server
// for UMBRASCOPE_BENCH_SECONDS seconds (default 60). Counts the times a stream ran dry while
// its track was playing, and the process's processor use. Needs a sound server: run it under
// scripts/pulse.sh's private server, see docs/PERFORMANCE.md.

#include "audio/device/AudioStream.h"
#include "audio/device/PcmQueue.h"
#include "audio/tracks/PlayUtils.h"
#include "bench/BenchSupport.h"
#include "model/Session.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace umbrascope {

namespace {

void SixteenTracks(benchmark::State& state) {
    const char* setting = std::getenv("UMBRASCOPE_BENCH_SECONDS");
    const int seconds = setting ? std::max(1, std::atoi(setting)) : 60;
    if (!OpenAudioStream({22050, 2, 16, 4})) {
        state.SkipWithError("no sound server to play to");
        return;
    }
    // Sound on at full volume, as a new session starts.
    const auto published = std::make_shared<PublishedState>();
    TrackThreads threads;
    for (auto _ : state) {
        const char* tracksSetting = std::getenv("UMBRASCOPE_BENCH_TRACKS");
        const int groups = tracksSetting ? std::max(1, std::atoi(tracksSetting) / 4) : 4;
        for (int i = 0; i < groups; ++i) {
            const std::string carrier = std::to_string(200 + 10 * i);
            threads.Start(published, ".&01%8@" + carrier + "@20", 0);
            threads.Start(published, ".&02%8@" + carrier + "@5@20", 0);
            threads.Start(published, ".&03%0@5", 0);
            threads.Start(published, ".&04%" + carrier + "@0@20", 0);
        }
        // Start-up is not counted: the streams settle first.
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const std::uint64_t underrunsBefore = AudioUnderrunCount();
        const double processorBefore = ProcessorSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        state.counters["underruns"] = static_cast<double>(AudioUnderrunCount() - underrunsBefore);
        state.counters["cpu_percent"] = 100 * (ProcessorSeconds() - processorBefore) / seconds;
        threads.ReclaimFinished(); // what remains is still playing
        state.counters["tracks"] = static_cast<double>(threads.Count());
        threads.StopAndJoinAll();
    }
    QuitAudioOutput();
}

BENCHMARK(SixteenTracks)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

} // namespace umbrascope

using namespace umbrascope;

BENCHMARK_MAIN();
