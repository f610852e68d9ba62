// One tick of the playback clock in a session of 100,000 events: the timeline strip redrawn
// at 1920 pixels and the check for the next event due. Reported as the median of repetitions.

#include "audio/tracks/PlayUtils.h"
#include "model/Cp1251.h"
#include "model/Session.h"
#include "model/SessionState.h"
#include "play/PlaybackController.h"
#include "visual/Timeline.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTimer>

namespace umbrascope {

namespace {

constexpr int EventCount = 100000;

void FillSession(SessionDocument& document) {
    document.SessionLength = 1800000;
    const std::string volume = Cp1251Literal("Аудиосопровождение -> Громкость");
    document.Events.reserve(EventCount);
    for (int i = 0; i < EventCount; ++i)
        document.Events.push_back(
            {volume,
             static_cast<std::int32_t>(std::int64_t{i} * document.SessionLength / EventCount),
             "50"});
}

void BM_TimelineRepaint1920(benchmark::State& state) {
    SessionDocument document;
    FillSession(document);
    QImage strip(1920, 35, QImage::Format_RGB32);
    std::int32_t position = 0;
    for (auto _ : state) {
        DrawTimeline(strip, document.Events, position, document.SessionLength);
        position = (position + 50) % document.SessionLength;
        benchmark::DoNotOptimize(strip.constBits());
    }
}
BENCHMARK(BM_TimelineRepaint1920)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_ClockTick(benchmark::State& state) {
    SessionDocument document;
    FillSession(document);
    Transport transport;
    (void)transport.ComputeStateAt(document.Contents(), 0);
    QTimer clock;
    QImage strip(1920, 35, QImage::Format_RGB32);
    PlaybackDisplay display;
    display.UpdateDisplay = [] {};
    display.RepaintTimeline = [&strip, &document, &transport] {
        DrawTimeline(strip, document.Events, transport.SessionPosition, document.SessionLength);
    };
    display.ShowPlaying = [](bool) {};
    display.Report = [](const UserText&) {};
    PlaybackController controller(document, transport, clock, nullptr, std::move(display));
    controller.PlayButtonClick(false);
    for (auto _ : state) {
        controller.ControlTimerTimer();
        benchmark::DoNotOptimize(strip.constBits());
    }
    state.counters["events_applied"] = controller.LastEventIndex() + 1;
    controller.StopButtonClick();
}
BENCHMARK(BM_ClockTick)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

} // namespace umbrascope

using namespace umbrascope;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char name[] = "bench_tick";
    char* qtArgv[] = {name, nullptr};
    QApplication application(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
