// What WAV and MP3 tracks cost while they play: buffers filled per second of processor time,
// reported as seconds of sound per second ("realtime_x"). One track costs 100 / realtime_x
// percent of one core.

#include "audio/Mp3Source.h"
#include "audio/WavSource.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The fixture files of the tests, made once into a temporary folder.
const fs::path& Fixtures() {
    static const fs::path folder = [] {
        const char* source = std::getenv("UMBRASCOPE_SOURCE_DIR");
        const fs::path top =
            source ? fs::path(source) : fs::path(__FILE__).parent_path().parent_path();
        const fs::path target = fs::temp_directory_path() / "umbrascope-bench-sound";
        const std::string command =
            (top / "tests/fixtures/make-sound-fixtures.sh").string() + " '" + target.string() + "'";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("the sound fixture script failed");
        return target;
    }();
    return folder;
}

void PlayTrack(benchmark::State& state, TrackSource& source) {
    const PcmFormat format = source.Format();
    const double bytesPerSecond = double(format.SampleRate) * format.BlockAlign;
    std::vector<std::uint8_t> buffer(source.BufferBytes());
    for (auto _ : state) {
        source.Fill(buffer.data());
        source.AfterSwitch();
        benchmark::DoNotOptimize(buffer.data());
    }
    const double bytes = double(state.iterations()) * double(buffer.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["realtime_x"] =
        benchmark::Counter(bytes / bytesPerSecond, benchmark::Counter::kIsRate);
}

using TrackOpener = std::unique_ptr<TrackSource> (*)(const std::string&, std::int32_t);

void BM_Track(benchmark::State& state, TrackOpener open, const char* fixture) {
    const auto source = open((Fixtures() / fixture).string(), 0);
    if (!source) {
        state.SkipWithError("the fixture did not open");
        return;
    }
    PlayTrack(state, *source);
}
std::unique_ptr<TrackSource> OpenMp3(const std::string& path, std::int32_t offset) {
    return OpenMp3Source(path, offset);
}

BENCHMARK_CAPTURE(BM_Track, Mp3_128k_stereo, &OpenMp3, "cbr128.mp3")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Track, Wav_16bit_stereo, &OpenWavSource, "s16_stereo.wav")
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
