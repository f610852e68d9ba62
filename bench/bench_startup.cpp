// Start-up of the desktop program up to a shown main window: once cold (the application
// object, fonts and styles loaded for the first time), then again and again warm.
// Run with a display, or with QT_QPA_PLATFORM=offscreen.

#include "app/gui/MainForm.h"
#include "ui/MessageBoxes.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QWindow>

#include <memory>

namespace umbrascope {

namespace {

// The association is written into a private folder, not the user's.
QTemporaryDir& Home() {
    static QTemporaryDir home;
    return home;
}

void ShowAndWait(TMainForm& form) {
    form.show();
    while (!form.windowHandle() || !form.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents();
}

QApplication* application = nullptr;

void BM_ColdStartToShownWindow(benchmark::State& state) {
    for (auto _ : state) {
        static int argc = 1;
        static char name[] = "umbrascope";
        static char* argv[] = {name, nullptr};
        application = new QApplication(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Umbrascope"));
        Preferences preferences;
        WindowLanguage language;
        // Nobody answers a message box here.
        TMainForm form({}, {preferences, language, [](const QString&) {}});
        ShowAndWait(form);
    }
}
BENCHMARK(BM_ColdStartToShownWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_MainWindowToShown(benchmark::State& state) {
    for (auto _ : state) {
        Preferences preferences;
        WindowLanguage language;
        // Nobody answers a message box here.
        TMainForm form({}, {preferences, language, [](const QString&) {}});
        ShowAndWait(form);
    }
}
BENCHMARK(BM_MainWindowToShown)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace umbrascope

using namespace umbrascope;

int main(int argc, char** argv) {
    qputenv("XDG_DATA_HOME", (Home().path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (Home().path() + "/config").toUtf8());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete application;
    return 0;
}
