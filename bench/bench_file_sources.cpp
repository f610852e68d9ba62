// What WAV and MP3 tracks cost while they play: buffers filled per second of processor time,
// reported as seconds of sound per second ("realtime_x"). One track costs 100 / realtime_x
// percent of one core.

#include "audio/sources/Mp3Source.h"
#include "audio/sources/WavSource.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace umbrascope {

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
    const double bytesPerSecond = double(format.sampleRate) * format.blockAlign;
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
    return OpenMp3Source(path, offset).source;
}
std::unique_ptr<TrackSource> OpenWav(const std::string& path, std::int32_t offset) {
    return OpenWavSource(path, offset).source;
}

BENCHMARK_CAPTURE(BM_Track, Mp3_128k_stereo, &OpenMp3, "cbr128.mp3")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Track, Wav_16bit_stereo, &OpenWav, "s16_stereo.wav")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Track, Mp3_after_6MB_tag, &OpenMp3, "cover.mp3")
    ->Unit(benchmark::kMicrosecond);

// What one buffer of a hostile MP3 file costs: the fixture's frames, then a long stretch of
// bytes without a frame, the track starting inside that stretch. Every buffer searches until
// its work allowance is spent and is finished with silence.
enum class Garbage { Zeros, Noise, HeadersEveryFiveBytes };

void BM_Mp3Garbage(benchmark::State& state, Garbage garbage) {
    const fs::path path = Fixtures() / "garbage.mp3";
    fs::copy_file(Fixtures() / "cbr128.mp3", path, fs::copy_options::overwrite_existing);
    constexpr std::uintmax_t Bytes = 400u << 20;
    if (garbage == Garbage::Zeros) {
        fs::resize_file(path, fs::file_size(path) + Bytes); // sparse
    } else {
        std::ofstream out(path, std::ios::binary | std::ios::app);
        std::vector<char> block(1 << 20);
        std::uint32_t seed = 12345;
        for (std::size_t i = 0; i < block.size(); ++i) {
            seed = seed * 1103515245 + 12345;
            block[i] = garbage == Garbage::Noise ? static_cast<char>(seed >> 16)
                       : i % 5 == 0              ? '\xFF'
                       : i % 5 == 1              ? '\xFB'
                       : i % 5 == 2              ? '\x90'
                       : i % 5 == 3              ? '\x64'
                                                 : static_cast<char>(seed >> 16);
        }
        for (std::uintmax_t written = 0; written < Bytes; written += block.size())
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    // 60 s at 128 kbit/s is 960 KB into the file, well inside the garbage.
    const auto source = OpenMp3Source(path.string(), 60000).source;
    if (!source) {
        state.SkipWithError("the file did not open");
        return;
    }
    PlayTrack(state, *source);
    fs::remove(path);
}
BENCHMARK_CAPTURE(BM_Mp3Garbage, Zeros, Garbage::Zeros)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Mp3Garbage, Noise, Garbage::Noise)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Mp3Garbage, HeadersEveryFiveBytes, Garbage::HeadersEveryFiveBytes)
    ->Unit(benchmark::kMillisecond);

} // namespace

} // namespace umbrascope

using namespace umbrascope;

BENCHMARK_MAIN();
