// Project files, the state computation and the buffered reader against plain stdio.
//   build/bench/bench_project --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "base/FileUtils.h"
#include "model/Cp1251.h"
#include "model/EventCatalogue.h"
#include "model/MediaPath.h"
#include "model/ProjectFile.h"
#include "model/SessionDocument.h"
#include "model/SessionState.h"
#include "play/Transport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace umbrascope {

namespace {

const std::filesystem::path Folder = std::filesystem::temp_directory_path();
const std::filesystem::path ProjectPath = Folder / "umbrascope-bench.usp";
const std::filesystem::path PlainPath = Folder / "umbrascope-bench.plain";
const std::filesystem::path BigPath = Folder / "umbrascope-bench-64mb.bin";

// A long session: 1,000 start tracks and events of every kind spread over 60 minutes.
Session LargeSession(int eventCount) {
    Session session;
    session.SessionName = Cp1251Literal("Большой сеанс");
    session.SessionLength = 3600000;
    for (int i = 0; i < 1000; ++i)
        session.StartValues.Waves.push_back("/home/user/sounds/track" + std::to_string(i) + ".mp3");
    for (int i = 0; i < eventCount; ++i) {
        const auto kind = static_cast<EventKind>(1 + i % 38);
        std::string value = "1";
        // Every removal takes away the track added just before it, as sessions do.
        if (kind == EventKind::AddTrack || kind == EventKind::RemoveTrack)
            value = ".&01%8@" + std::to_string(200 + (i / 38) % 50) + "@100";
        else if (kind == EventKind::TextFont)
            value = "Arial";
        session.Events.push_back({EventTypeName(kind), static_cast<std::int32_t>(i * 36), value});
    }
    return session;
}

std::string ProjectPathInModel() {
    return Utf8ToCp1251(ProjectPath.string()).value();
}

void PlainRead(const std::filesystem::path& path, std::size_t piece) {
    FILE* file = std::fopen(path.c_str(), "rb");
    std::vector<char> buffer(piece);
    std::size_t total = 0;
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file))
        total += got;
    std::fclose(file);
    benchmark::DoNotOptimize(total);
}

void BM_OpenProject(benchmark::State& state) {
    SaveProjectFile(ProjectPathInModel(), LargeSession(100000));
    for (auto _ : state)
        benchmark::DoNotOptimize(OpenProjectFile(ProjectPathInModel()));
    state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(ProjectPath));
}

void BM_PlainReadOfTheSameBytes(benchmark::State& state) {
    for (auto _ : state)
        PlainRead(ProjectPath, 65536);
    state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(ProjectPath));
}

// The same bytes read line by line into strings with stdio, as a plain text reader would.
void BM_PlainLineByLineRead(benchmark::State& state) {
    for (auto _ : state) {
        FILE* file = std::fopen(ProjectPath.c_str(), "rb");
        std::vector<std::string> lines;
        char* line = nullptr;
        std::size_t capacity = 0;
        ssize_t length = 0;
        while ((length = getline(&line, &capacity, file)) > 0)
            lines.emplace_back(line, static_cast<std::size_t>(length));
        std::free(line);
        std::fclose(file);
        benchmark::DoNotOptimize(lines.data());
    }
}

void BM_SaveProject(benchmark::State& state) {
    const Session session = LargeSession(100000);
    for (auto _ : state)
        SaveProjectFile(ProjectPathInModel(), session);
}

void PlainWrite(const std::string& bytes, bool sync) {
    FILE* file = std::fopen(PlainPath.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fflush(file);
    if (sync)
        fsync(fileno(file));
    std::fclose(file);
}

void BM_PlainWriteOfTheSameBytes(benchmark::State& state) {
    const std::string bytes = ProjectBytes(LargeSession(100000));
    for (auto _ : state)
        PlainWrite(bytes, state.range(0) != 0);
}

void BM_ComputeStateAtTheEnd(benchmark::State& state) {
    SessionDocument document;
    document.ReplaceSession(LargeSession(static_cast<int>(state.range(0))), "");
    Transport transport;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            transport.ComputeStateAt(document.Contents(), document.SessionLength));
    state.SetComplexityN(state.range(0));
}

void MakeBigFile() {
    if (std::filesystem::exists(BigPath) && std::filesystem::file_size(BigPath) == 64u << 20)
        return;
    FILE* file = std::fopen(BigPath.c_str(), "wb");
    std::vector<char> block(1 << 20, 'x');
    for (int i = 0; i < 64; ++i)
        std::fwrite(block.data(), 1, block.size(), file);
    std::fclose(file);
}

void BM_TFileReadIn24576BytePieces(benchmark::State& state) {
    MakeBigFile();
    PlainRead(BigPath, 65536); // into the page cache
    std::vector<char> piece(24576);
    for (auto _ : state) {
        TFile file(BigPath);
        for (std::uint32_t position = 0; position < file.Size();)
            position = file.Read(piece.data(), position, 24576);
        benchmark::DoNotOptimize(piece.data());
    }
    state.SetBytesProcessed(state.iterations() * (64ll << 20));
}

void BM_FreadIn24576BytePieces(benchmark::State& state) {
    MakeBigFile();
    for (auto _ : state)
        PlainRead(BigPath, 24576);
    state.SetBytesProcessed(state.iterations() * (64ll << 20));
}

} // namespace

BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReadOfTheSameBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainLineByLineRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWriteOfTheSameBytes)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComputeStateAtTheEnd)
    ->RangeMultiplier(2)
    ->Range(12500, 100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TFileReadIn24576BytePieces)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreadIn24576BytePieces)->Unit(benchmark::kMillisecond);

} // namespace umbrascope

using namespace umbrascope;

BENCHMARK_MAIN();
