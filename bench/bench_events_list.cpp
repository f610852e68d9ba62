// The event list dialog with 100,000 events: opening it (list rebuilt and drawn), adding an
// event after the selected one, changing the last event so that it moves to the front, and
// deleting one; each through the dialog's own handler and, as in the program, as a step of the
// main window's undo history, with the event editor confirmed at once instead of by a person.
// Also the main window's refresh that follows when the dialog closes.
// Run with QT_QPA_PLATFORM=offscreen or a display.

#include "app/gui/MainForm.h"
#include "dialogs/EditEventForm.h"
#include "dialogs/EventsListForm.h"
#include "ui/MessageBoxes.h"
#include "ui/PaintBox.h"
#include "ui/SpinField.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace umbrascope {

namespace {

constexpr int EventCount = 100000;

// Events of every kind spread over a 60-minute session.
std::vector<TSessionEvent> ManyEvents() {
    std::vector<TSessionEvent> events;
    events.reserve(EventCount);
    for (int i = 0; i < EventCount; ++i) {
        const auto kind = static_cast<EventKind>(i % EventTypeCount);
        const bool number =
            EventTypeOf(kind).valueKind != EventValueKind::Switch && kind != EventKind::Undefined;
        events.push_back({EventTypeName(kind), i * 35, number ? "1" : ""});
    }
    return events;
}

// The main window whose document the dialogs edit and whose history takes each change, made
// once the application exists.
TMainForm* window = nullptr;

SessionDocument& Document() {
    return window->Document();
}

void UseManyEvents() {
    Document().ResetProject();
    Document().SessionLength = 3600000;
    Document().Events = ManyEvents();
}

// The list with the editor answered by code: compose sets the editor's controls, then "OK".
class ScriptedList : public TEventsListForm {
public:
    using TEventsListForm::TEventsListForm;
    std::function<void(TEditEventForm&)> compose;

protected:
    bool RunEditor() override {
        compose(*EditEventForm);
        EditEventForm->OkButtonClick();
        return true;
    }
};

struct Dialogs {
    Dialogs() {
        list.EditEventForm = &editor;
        list.compose = [](TEditEventForm&) {};
        list.ChangeEvents = [](const UserText& step, const std::function<void()>& change) {
            window->RunEditingCommand(step, change);
        };
    }
    Preferences preferences; // in the benchmark's own configuration folder
    TEditEventForm editor{Document(), preferences};
    ScriptedList list{Document()};
};

// Shown and drawn, as the user sees it open.
void ShowDrawn(TEventsListForm& list) {
    list.show();
    QApplication::processEvents();
    list.EventsListBox->viewport()->repaint();
}

void BM_OpenList(benchmark::State& state) {
    UseManyEvents();
    Dialogs dialogs;
    for (auto _ : state) {
        ShowDrawn(dialogs.list);
        state.PauseTiming();
        dialogs.list.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenList)->Unit(benchmark::kMillisecond);

// Runs action on a fresh copy of the events with the given line selected; the copy is made
// outside the measured time.
template <typename Action> void MeasureOnList(benchmark::State& state, int line, Action action) {
    UseManyEvents();
    const std::vector<TSessionEvent> original = Document().Events;
    Dialogs dialogs;
    ShowDrawn(dialogs.list);
    for (auto _ : state) {
        state.PauseTiming();
        Document().Events = original;
        dialogs.list.RefreshList();
        dialogs.list.SelectLine(line);
        state.ResumeTiming();
        action(dialogs);
        dialogs.list.EventsListBox->viewport()->repaint();
    }
}

void BM_AddEvent(benchmark::State& state) {
    MeasureOnList(state, EventCount / 2, [](Dialogs& d) { d.list.AddEventBtnClick(); });
}
BENCHMARK(BM_AddEvent)->Unit(benchmark::kMillisecond);

void BM_ChangeLastEventToTheFront(benchmark::State& state) {
    MeasureOnList(state, EventCount - 1, [](Dialogs& d) {
        d.list.compose = [](TEditEventForm& editor) {
            editor.MinuteEdit->setValue(0);
            editor.SecondsEdit->setValue(0);
        };
        d.list.EditEventBtnClick();
    });
}
BENCHMARK(BM_ChangeLastEventToTheFront)->Unit(benchmark::kMillisecond);

void BM_DeleteEvent(benchmark::State& state) {
    MeasureOnList(state, EventCount / 2, [](Dialogs& d) { d.list.DeleteEventBtnClick(); });
}
BENCHMARK(BM_DeleteEvent)->Unit(benchmark::kMillisecond);

// What the main window does when the dialog closes: the state at the cursor, the labels and
// the timeline strip with every event's mark.
void BM_MainWindowRefreshAfterTheList(benchmark::State& state) {
    window->show();
    UseManyEvents();
    window->PlayTransport().SessionPosition = Document().SessionLength - 1;
    for (auto _ : state) {
        window->Refresh();
        window->TrackBox->repaint();
    }
    window->hide();
}
BENCHMARK(BM_MainWindowRefreshAfterTheList)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace umbrascope

using namespace umbrascope;

int main(int argc, char** argv) {
    QTemporaryDir home; // the main window writes the file association here, not for the user
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    QApplication application(argc, argv);
    Preferences preferences;
    WindowLanguage language;
    // Nobody answers a message box here.
    TMainForm mainWindow({}, {preferences, language, [](const QString&) {}});
    window = &mainWindow;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
