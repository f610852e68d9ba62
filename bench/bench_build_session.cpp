// Building a session with 100 MB of media against copying the same bytes.
//   build/bench/bench_build_session --benchmark_repetitions=5
//   --benchmark_report_aggregates_only=true
// The program copied into the built file is this benchmark's own file; the plain copies take
// the same program and the same media.

#include "base/Bundle.h"
#include "base/FileUtils.h"
#include "model/BuiltSession.h"
#include "model/Cp1251.h"
#include "model/Session.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

namespace umbrascope {

namespace {

const std::filesystem::path Folder =
    std::filesystem::temp_directory_path() / "umbrascope-bench-build";
const std::filesystem::path Media = Folder / "media.wav";
const std::filesystem::path Target = Folder / "session.run";
constexpr std::size_t MediaBytes = 100u << 20;

// Bytes that no file system can compress or share.
void MakeMedia() {
    std::filesystem::create_directories(Folder);
    if (std::filesystem::exists(Media) && std::filesystem::file_size(Media) == MediaBytes)
        return;
    std::mt19937_64 random(1);
    std::vector<std::uint64_t> block((1 << 20) / 8);
    std::ofstream out(Media, std::ios::binary);
    for (std::size_t written = 0; written < MediaBytes; written += 1 << 20) {
        for (auto& word : block)
            word = random();
        out.write(reinterpret_cast<const char*>(block.data()), 1 << 20);
    }
}

Session SessionWithMedia() {
    Session session;
    session.StartValues.Waves = {Utf8ToCp1251(Media.string()).value()};
    return session;
}

std::uint64_t BytesOfTheBuiltFile() {
    return std::filesystem::file_size(RunningProgramFile()) + MediaBytes;
}

void BM_BuildSession(benchmark::State& state) {
    MakeMedia();
    const Session session = SessionWithMedia();
    for (auto _ : state)
        BuildSessionFile(session, "", RunningProgramFile(), Target);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BytesOfTheBuiltFile()));
}

// What cp does: the program and the media copied by the kernel, nothing flushed to the disk;
// with range(0) the copies are then flushed, as a safe write must be.
void BM_CopyTheSameBytes(benchmark::State& state) {
    MakeMedia();
    const auto options = std::filesystem::copy_options::overwrite_existing;
    for (auto _ : state) {
        std::filesystem::copy_file(RunningProgramFile(), Folder / "program.copy", options);
        std::filesystem::copy_file(Media, Folder / "media.copy", options);
        if (state.range(0) != 0)
            for (const char* name : {"program.copy", "media.copy"}) {
                const int fd = open((Folder / name).c_str(), O_RDONLY);
                fsync(fd);
                close(fd);
            }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BytesOfTheBuiltFile()));
}

// What a built session does at its start: its media copied into a private folder.
void BM_OpenBuiltSessionWithItsMedia(benchmark::State& state) {
    MakeMedia();
    BuildSessionFile(SessionWithMedia(), "", RunningProgramFile(), Target);
    const BundleIndex index = ReadBundleIndex(Target);
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadBuiltSession(Target, index, BundledMedia::Unpacked));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * MediaBytes));
}

BENCHMARK(BM_BuildSession)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_CopyTheSameBytes)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);
BENCHMARK(BM_OpenBuiltSessionWithItsMedia)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);

} // namespace

} // namespace umbrascope

using namespace umbrascope;

// The 300 MB of files go with the run.
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Folder);
}
