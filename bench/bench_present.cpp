// The presenting run: the full-screen window with the spiral and a phrase every second, drawn
// by the presentation thread for 10 s. Counts the frames the window showed, the passes that
// began late (the drawing took longer than the 13 ms rhythm allows), frames replaced before the
// window showed them, and from the frame log the median and 99th-percentile interval between
// frames shown and the frames late by more than 1.5 refresh intervals. Needs a display.
//
// Run: xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/bench_present

#include "model/Session.h"
#include "play/SessionClock.h"
#include "visual/FullScreenWindow.h"
#include "visual/VideoThread.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

namespace umbrascope {

namespace {

void BM_PresentSpiral(benchmark::State& state) {
    QTemporaryDir folder;
    const QString phraseFile = folder.filePath("phrases.txt");
    QFile file(phraseFile);
    if (!file.open(QIODevice::WriteOnly))
        return state.SkipWithError("no phrase file");
    file.write("First phrase\nSecond phrase\nThird one\n");
    file.close();

    SessionValuesInForce values;
    values.VideoType = 1;
    values.Transparency = 50;
    PublishedState published;
    published.Publish(values);
    TFullScreenForm form;
    FrameLogSummary shown;
    form.OnFrameLog([&shown](const FrameLog& log) { shown = log.Summary(); });
    PhraseSource phrases;
    MonotonicClock clock;
    for (auto _ : state) {
        phrases.Replace(OpenPhraseFile(phraseFile.toStdString()));
        form.ClearStopRequest();
        form.ShowOnChosenScreen();
        clock.SetClockBase(0);
        published.SetPlaying(true);
        const auto shownBefore = form.Frames().FramesShown();
        const auto droppedBefore = form.Frames().FramesDropped();
        TVideoThread thread(form.Frames(), phrases, published,
                            [&clock] { return clock.SessionTimeNow(); });
        QElapsedTimer timer;
        timer.start();
        thread.Start();
        QEventLoop loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        published.SetPlaying(false);
        thread.Stop();
        const double seconds = timer.elapsed() / 1000.0;
        state.counters["width"] = form.Frames().FrameSize().width(); // while shown
        state.counters["height"] = form.Frames().FrameSize().height();
        form.hide();
        phrases.Close();
        state.counters["frames_per_s"] = (form.Frames().FramesShown() - shownBefore) / seconds;
        state.counters["passes"] = static_cast<double>(thread.Passes());
        state.counters["late_passes"] = static_cast<double>(thread.LatePasses());
        state.counters["dropped_frames"] =
            static_cast<double>(form.Frames().FramesDropped() - droppedBefore);
        state.counters["interval_median_ms"] = shown.medianInterval.count() / 1000.0;
        state.counters["interval_p99_ms"] = shown.p99Interval.count() / 1000.0;
        state.counters["late_frames"] = static_cast<double>(shown.late);
        state.counters["opengl"] = form.OpenGlView() ? 1 : 0;
    }
}
BENCHMARK(BM_PresentSpiral)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

} // namespace umbrascope

using namespace umbrascope;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
