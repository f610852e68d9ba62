// The event commands of the main window: add an event at the cursor, delete the event nearest
// to it, and the event list. Each runs its dialog and then brings the state and the window up
// to date.

#include "MainForm.h"

#include "dialogs/EditEventForm.h"
#include "dialogs/EventsListForm.h"
#include "model/SessionState.h"
#include "ui/MessageBoxes.h"
#include "ui/ShownText.h"
#include "ui/UiText.h"

namespace umbrascope {

namespace {

// The event's minutes and seconds (without a leading zero), its type, and the question.
QString DeleteEventQuestion(const TSessionEvent& event) {
    return TMainForm::tr("%1:%2\n%3\n\nУдалить событие?")
        .arg(event.EventTime / 60000)
        .arg(event.EventTime % 60000 / 1000)
        .arg(ShownEventTypeName(event.EventType));
}

} // namespace

void TMainForm::AddEventMIClick() {
    if (transport_.IsPlaying())
        return;
    // The milliseconds of the position are dropped.
    const std::int32_t position = transport_.SessionPosition;
    EditEventForm->PresetTime(position / 60000, position % 60000 / 1000);
    EditEventForm->SelectType(EventKind::Undefined);
    if (EditEventForm->exec() == QDialog::Accepted)
        document_.InsertEvent(EditEventForm->ComposedEvent);
    Refresh();
}

void TMainForm::DeleteEventMIClick() {
    if (transport_.IsPlaying())
        return;
    const auto& events = document_.Events;
    const auto nearest =
        NearestEventIndex(events, transport_.SessionPosition, document_.SessionLength);
    if (!nearest || !AskYesNo(this, QString(), DeleteEventQuestion(events[*nearest]), false, false))
        return;
    document_.DeleteEvent(*nearest);
    Refresh();
}

void TMainForm::GetEventListMIClick() {
    if (transport_.IsPlaying())
        return;
    EventsListForm->exec();
    Refresh();
}

} // namespace umbrascope
