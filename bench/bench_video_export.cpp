// The whole video export of a spiral session with a phrase every second and two generated
// tracks, at 1280 x 720 and 1920 x 1080, 60 frames a second: frames per second, the multiple of
// real time, the processor cores used and each stage's share of the processor time (drawing,
// colour conversion, sound; encoding is the rest: libx264's threads and the container).
//
// Run when the machine is otherwise idle (uptime):
//   build/bench/bench_video_export
// UMBRASCOPE_BENCH_SECONDS sets the seconds of session exported (default 20).

#include "bench/BenchSupport.h"
#include "export/VideoExport.h"
#include "model/Cp1251.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace umbrascope {

namespace {

const std::filesystem::path Folder = std::filesystem::temp_directory_path();

int SecondsExported() {
    const char* seconds = std::getenv("UMBRASCOPE_BENCH_SECONDS");
    return seconds ? std::max(1, std::atoi(seconds)) : 20;
}

Session SpiralSession() {
    const auto phrases = Folder / "umbrascope-bench-phrases.txt";
    std::ofstream(phrases, std::ios::binary)
        << Cp1251Literal("Текстовая фраза\nВторая фраза\nТретья фраза\n");
    Session session;
    session.SessionLength = 3600000;
    session.StartValues.VideoType = 1; // spiral
    session.StartValues.Transparency = 30;
    session.StartValues.TextPosition = 10;
    session.StartValues.PhraseFile = phrases.string();
    session.StartValues.Waves = {".&01%8@200@40", ".&02%8@260@5@40"};
    return session;
}

// range(0): the height (720 or 1080) of a 16:9 frame.
void BM_ExportVideo(benchmark::State& state) {
    const int height = static_cast<int>(state.range(0));
    VideoExportSettings settings;
    settings.to = SecondsExported() * 1000;
    settings.size = QSize(height * 16 / 9, height);
    const auto target = Folder / "umbrascope-bench-video.mp4";
    double processor = 0, wall = 0;
    VideoExportTimes times;
    std::uint64_t frames = 0;
    for (auto _ : state) {
        const double processorBefore = ProcessorSeconds();
        const auto started = std::chrono::steady_clock::now();
        VideoExport video(SpiralSession(), "", target, settings);
        video.Run([](std::uint64_t) { return true; });
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        processor += ProcessorSeconds() - processorBefore;
        times = video.Times();
        frames += video.TotalFrames();
    }
    std::filesystem::remove(target);
    const double encoding = processor - times.drawing - times.conversion - times.sound;
    state.counters["fps"] = static_cast<double>(frames) / wall;
    state.counters["x_real_time"] =
        SecondsExported() * static_cast<double>(state.iterations()) / wall;
    state.counters["cores_used"] = processor / wall;
    state.counters["drawing_%"] = 100 * times.drawing / processor;
    state.counters["conversion_%"] = 100 * times.conversion / processor;
    state.counters["sound_%"] = 100 * times.sound / processor;
    state.counters["encoding_%"] = 100 * encoding / processor;
}
BENCHMARK(BM_ExportVideo)
    ->Arg(720)
    ->Arg(1080)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

} // namespace

} // namespace umbrascope

using namespace umbrascope;

int main(int argc, char** argv) {
    return RunWithGuiApplication(argc, argv);
}
