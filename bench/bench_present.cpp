// The presenting run: the full-screen window with the spiral and a phrase every second, drawn
// by the presentation thread for 10 s. Counts the frames the window showed, the passes that
// fell behind the 13 ms + drawing rhythm, and frames replaced before the window showed them.
// Needs a display.
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

namespace {

void BM_PresentSpiral(benchmark::State& state) {
    QTemporaryDir folder;
    const QString phraseFile = folder.filePath("phrases.txt");
    QFile file(phraseFile);
    if (!file.open(QIODevice::WriteOnly))
        return state.SkipWithError("no phrase file");
    file.write("First phrase\nSecond phrase\nThird one\n");
    file.close();

    TCurrentValues values;
    values.VideoType = 1;
    values.Transparency = 50;
    PublishedState published;
    published.Publish(values);
    TFullScreenForm form;
    TPhraseSource phrases;
    for (auto _ : state) {
        phrases.Replace(OpenPhraseFile(phraseFile.toStdString()));
        form.ClearStopRequest();
        form.ShowOnPrimaryScreen();
        SetClockBase(0);
        published.SetPlaying(true);
        const auto shownBefore = form.Frames().FramesShown();
        const auto droppedBefore = form.Frames().FramesDropped();
        TVideoThread thread(form.Frames(), phrases, published, SessionTimeNow);
        QElapsedTimer timer;
        timer.start();
        thread.Start();
        QEventLoop loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        published.SetPlaying(false);
        thread.Stop();
        const double seconds = timer.elapsed() / 1000.0;
        form.hide();
        phrases.Close();
        state.counters["frames_per_s"] = (form.Frames().FramesShown() - shownBefore) / seconds;
        state.counters["passes"] = static_cast<double>(thread.Passes());
        state.counters["late_passes"] = static_cast<double>(thread.LatePasses());
        state.counters["dropped_frames"] =
            static_cast<double>(form.Frames().FramesDropped() - droppedBefore);
        state.counters["width"] = form.width();
        state.counters["height"] = form.height();
    }
}
BENCHMARK(BM_PresentSpiral)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
