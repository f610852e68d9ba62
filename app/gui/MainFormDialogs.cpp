// The dialogs of the main window, created once in the program's order, and the commands that
// open them. Each command runs its dialog and then brings the state and the window up to date.

#include "MainForm.h"

#include "dialogs/AboutForm.h"
#include "dialogs/AddWaveForm.h"
#include "dialogs/EditEventForm.h"
#include "dialogs/EventsListForm.h"
#include "dialogs/FontSettingsForm.h"
#include "dialogs/SessionParametersForm.h"
#include "dialogs/SessionStartValuesForm.h"
#include "ui/MessageBoxes.h"

#include <QAction>

namespace umbrascope {

void TMainForm::CreateDialogs() {
    SessionParametersForm = new TSessionParametersForm(document_, this);
    SessionStartValuesForm = new TSessionStartValuesForm(document_.StartValues, preferences_, this);
    EventsListForm = new TEventsListForm(document_, this);
    EditEventForm = new TEditEventForm(document_, preferences_, this);
    AboutForm = new TAboutForm(this);
    AddWaveForm = new TAddWaveForm(preferences_, this);
    FontSettingsForm = new TFontSettingsForm(this);
    SessionStartValuesForm->AddWaveForm = AddWaveForm;
    SessionStartValuesForm->FontSettingsForm = FontSettingsForm;
    EventsListForm->EditEventForm = EditEventForm;
    EditEventForm->AddWaveForm = AddWaveForm;

    // Closing an editing dialog is one step to undo: the start values dialog has no Cancel.
    // The captions are those RetranslateUi gives the menu items.
    BindEditingCommand(SessionParametersMI,
                       Translatable("umbrascope::TMainForm", "&Основные параметры"),
                       &TMainForm::SessionParametersMIClick);
    BindEditingCommand(SessionStartValuesMI,
                       Translatable("umbrascope::TMainForm", "&Начальные значения"),
                       &TMainForm::SessionStartValuesMIClick);
    BindEditingCommand(AddEventMI, Translatable("umbrascope::TMainForm", "&Добавить событие"),
                       &TMainForm::AddEventMIClick);
    BindEditingCommand(DeleteEventMI, Translatable("umbrascope::TMainForm", "&Удалить событие"),
                       &TMainForm::DeleteEventMIClick);
    // Each change the event list makes is a step of its own, named by the list's button.
    BindCommand(GetEventListMI, &TMainForm::GetEventListMIClick);
    EventsListForm->ChangeEvents = [this](const UserText& step,
                                          const std::function<void()>& change) {
        RunEditingCommand(step, change);
    };
    BindCommand(AboutMI, &TMainForm::AboutMIClick);
}

void TMainForm::SessionParametersMIClick() {
    if (transport_.IsPlaying())
        return;
    SessionParametersForm->exec();
    transport_.KeepPositionInSession(document_.SessionLength);
    // Rescaled event times may have crossed the position.
    Refresh();
}

void TMainForm::SessionStartValuesMIClick() {
    if (transport_.IsPlaying())
        return;
    SessionStartValuesForm->ProjectFolder = document_.ProjectFolder();
    SessionStartValuesForm->exec();
    Refresh();
}

void TMainForm::AboutMIClick() {
    AboutForm->exec();
}

} // namespace umbrascope
