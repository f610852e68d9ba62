// Offline render of a session's sound at 44.1 kHz, 16 bits with dither, without writing a file:
//   one_track      30 minutes, one binaural track (260 Hz, 8 Hz, 50 %)
//   three_tracks   30 minutes, binaural, white noise and a 128 kbit/s MP3 track
//   five_tracks    60 minutes, one track of every generated kind and the MP3 track
// Reports the multiple of real time and the peak memory. The whole command, file included, is
// timed by bench/export-command.sh.
//   build/bench/bench_export

#include "audio/export/SessionExport.h"
#include "model/Cp1251.h"
#include "model/Session.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <vector>

namespace umbrascope {

namespace {

const std::filesystem::path Mp3Path =
    std::filesystem::temp_directory_path() / "umbrascope-bench-export.mp3";

std::string Mp3() {
    if (!std::filesystem::exists(Mp3Path)) {
        const std::string wav =
            (std::filesystem::temp_directory_path() / "umbrascope-bench-export.wav").string();
        const std::string command = "sox -q -n -r 44100 -c 2 " + wav +
                                    " synth 30 sine 440 && lame --quiet -b 128 " + wav + " " +
                                    Mp3Path.string();
        if (std::system(command.c_str()) != 0)
            std::abort();
    }
    return Utf8ToCp1251(Mp3Path.string()).value();
}

void Export(benchmark::State& state, int minutes, std::vector<std::string> tracks) {
    for (auto _ : state) {
        Session session;
        session.SessionLength = minutes * 60000;
        session.StartValues.Waves = tracks;
        SessionRenderer renderer(session, "", 0, session.SessionLength, 44100);
        std::vector<std::int16_t> block(65536 * 2);
        while (renderer.Render(block.data(), 65536) > 0)
            benchmark::DoNotOptimize(block.data());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["realtime_multiple"] = benchmark::Counter(
        minutes * 60.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_OneTrack(benchmark::State& state) {
    Export(state, 30, {".&01%8@260@50"});
}

void BM_ThreeTracks(benchmark::State& state) {
    Export(state, 30, {".&01%8@260@30", ".&03%0@20", Mp3()});
}

void BM_FiveTracks(benchmark::State& state) {
    Export(state, 60, {".&01%8@260@25", ".&02%8@260@5@25", ".&03%0@25", ".&04%333@0@25", Mp3()});
}

} // namespace

BENCHMARK(BM_OneTrack)->Iterations(3)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_ThreeTracks)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_FiveTracks)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace umbrascope

using namespace umbrascope;

BENCHMARK_MAIN();
