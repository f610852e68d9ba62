// Offline render of a 60-minute session: four generated tracks and one 128 kbit/s MP3 track.
//   build/bench/bench_export
// Reports the multiple of real time and the peak memory; the whole command, file writing
// included, is timed with: time build/app/umbrascope --export-audio SESSION.usp OUT.wav

#include "audio/SessionExport.h"
#include "model/Common.h"
#include "model/Cp1251.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <vector>

namespace {

const std::filesystem::path Mp3Path =
    std::filesystem::temp_directory_path() / "umbrascope-bench-export.mp3";

void MakeMp3() {
    if (std::filesystem::exists(Mp3Path))
        return;
    const std::string wav =
        (std::filesystem::temp_directory_path() / "umbrascope-bench-export.wav").string();
    const std::string command = "sox -q -n -r 44100 -c 2 " + wav +
                                " synth 30 sine 440 && lame --quiet -b 128 " + wav + " " +
                                Mp3Path.string();
    if (std::system(command.c_str()) != 0)
        std::abort();
}

void BM_ExportSixtyMinutes(benchmark::State& state) {
    MakeMp3();
    const std::int32_t minutes = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        ResetProject();
        SessionLength = minutes * 60000;
        StartValues.Waves = {".&01%8@260@25", ".&02%8@260@5@25", ".&03%0@25", ".&04%333@0@25",
                             Utf8ToCp1251(Mp3Path.string()).value()};
        SessionRenderer renderer(OpenSession(), OpenProjectFolder(), 0, SessionLength, 44100);
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

} // namespace

BENCHMARK(BM_ExportSixtyMinutes)
    ->Arg(10)
    ->Arg(60)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK_MAIN();
