// The event commands of the main window: add an event at the cursor, delete the event nearest
// to it, and the event list. Each runs its dialog and then brings the state and the window up
// to date, also when the dialog was closed without a change, since the editor leaves the state
// of its own time behind.

#include "MainForm.h"

#include "dialogs/EditEventForm.h"
#include "dialogs/EventsListForm.h"
#include "model/Common.h"
#include "model/SessionState.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

namespace {

// The event's minutes and seconds (without a leading zero), its type, and the question.
QString DeleteEventQuestion(const TSessionEvent& event) {
    return QStringLiteral("%1:%2\n%3\n\nУдалить событие?")
        .arg(event.EventTime / 60000)
        .arg(event.EventTime % 60000 / 1000)
        .arg(FromModelText(event.EventType));
}

} // namespace

void TMainForm::AddEventMIClick() {
    if (IsPlaying)
        return;
    // The milliseconds of the position are dropped.
    EditEventForm->PresetTime(SessionPosition / 60000, SessionPosition % 60000 / 1000);
    EditEventForm->SelectType(EventKind::Undefined);
    if (EditEventForm->exec() == QDialog::Accepted)
        InsertEvent(EditEventForm->ComposedEvent);
    Refresh();
}

void TMainForm::DeleteEventMIClick() {
    if (IsPlaying)
        return;
    const auto nearest = NearestEventIndex(Events, SessionPosition, SessionLength);
    if (!nearest || !AskYesNo(this, QString(), DeleteEventQuestion(Events[*nearest]), false, false))
        return;
    DeleteEvent(*nearest);
    Refresh();
}

void TMainForm::GetEventListMIClick() {
    if (IsPlaying)
        return;
    EventsListForm->exec();
    Refresh();
}
