// One complete presentation frame as the presentation thread draws it, in bands on every core:
// the pattern, then a showing phrase with outline at 50 % transparency blended over it, for
// each pattern and the blank frame, at 1920 x 1080 and 3840 x 2160. Also a frame whose phrase
// is new (its glyphs traced afresh), drawn in one band and in bands, and the layout of one new
// phrase. Times are wall-clock: the bands run on several threads.
//
// Run: build/bench/bench_frames --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include "bench/BenchSupport.h"
#include "model/Cp1251.h"
#include "model/Session.h"
#include "visual/FrameBands.h"
#include "visual/FrameExchange.h"
#include "visual/VideoFunctions.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <string>
#include <vector>

namespace umbrascope {

namespace {

SessionValuesInForce PhraseValues() {
    SessionValuesInForce values;
    values.OutlineEnabled = true;
    values.Transparency = 50;
    values.TextWidth = 100;
    values.TextPosition = 5;
    values.PhraseDuration = 50;
    return values;
}

const std::string SamplePhrase = Cp1251Literal("Текстовая фраза");

// range(0): 0..3 the patterns, 4 the blank frame; range(1): the width (1920 or 3840).
void BM_Frame(benchmark::State& state) {
    SessionValuesInForce values = PhraseValues();
    const bool blank = state.range(0) == 4;
    values.VideoEnabled = !blank;
    values.VideoType = static_cast<std::uint8_t>(blank ? 1 : state.range(0));
    const QSize size = state.range(1) == 3840 ? QSize(3840, 2160) : QSize(1920, 1080);
    PhraseLayout phrase;
    phrase.PhraseText = SamplePhrase;
    LayOutPhrase(phrase, values, size);
    QImage frame = PresentationFrame(size);
    FrameBands bands;
    std::uint32_t frameTime = 123456;
    for (auto _ : state) {
        phrase.PhraseStart = frameTime; // the phrase shows in every frame
        bands.Draw(frame, values, phrase, frameTime);
        benchmark::DoNotOptimize(frame.constBits());
        frameTime += 16;
    }
    static const char* const Names[] = {"flicker", "spiral", "stripes", "circles", "blank"};
    state.SetLabel(std::string(Names[state.range(0)]) + " " + std::to_string(size.width()) + "x" +
                   std::to_string(size.height()) + ", " + std::to_string(bands.Count()) + " bands");
}
BENCHMARK(BM_Frame)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {1920, 3840}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(0.5);

// The first frame of each phrase traces the phrase's glyphs; the following frames of the same
// phrase reuse that. Here every frame has a new phrase: sixteen take turns, more than the drawing
// threads keep traced. range(2): bands (0 one per core).
void BM_FrameWithNewPhrase(benchmark::State& state) {
    SessionValuesInForce values = PhraseValues();
    values.VideoType = static_cast<std::uint8_t>(state.range(0));
    const QSize size = state.range(1) == 3840 ? QSize(3840, 2160) : QSize(1920, 1080);
    FrameBands bands(static_cast<int>(state.range(2)));
    std::vector<PhraseLayout> phrases(16);
    for (std::size_t i = 0; i < phrases.size(); ++i) {
        phrases[i].PhraseText = SamplePhrase + " " + std::to_string(10 + i);
        LayOutPhrase(phrases[i], values, size);
    }
    QImage frame = PresentationFrame(size);
    std::uint32_t frameTime = 123456;
    std::size_t next = 0;
    for (auto _ : state) {
        PhraseLayout& phrase = phrases[next];
        next = (next + 1) % phrases.size();
        phrase.PhraseStart = frameTime;
        bands.Draw(frame, values, phrase, frameTime);
        benchmark::DoNotOptimize(frame.constBits());
        frameTime += 16;
    }
    state.SetLabel(std::to_string(bands.Count()) + " bands");
}
BENCHMARK(BM_FrameWithNewPhrase)
    ->ArgsProduct({{1}, {1920, 3840}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(0.5);

void BM_LayOutPhrase(benchmark::State& state) {
    const SessionValuesInForce values = PhraseValues();
    const QSize size = state.range(0) == 3840 ? QSize(3840, 2160) : QSize(1920, 1080);
    for (auto _ : state) {
        PhraseLayout phrase;
        phrase.PhraseText = SamplePhrase;
        LayOutPhrase(phrase, values, size);
        benchmark::DoNotOptimize(phrase.PhraseBoxWidth);
    }
}
BENCHMARK(BM_LayOutPhrase)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace umbrascope

using namespace umbrascope;

int main(int argc, char** argv) {
    return RunWithGuiApplication(argc, argv);
}
