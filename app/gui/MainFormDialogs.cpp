// The dialogs of the main window, created once in the program's order, and the commands that
// open them. Each command runs its dialog and then brings the state and the window up to date.

#include "MainForm.h"

#include "dialogs/AboutForm.h"
#include "dialogs/AddWaveForm.h"
#include "dialogs/FontSettingsForm.h"
#include "dialogs/SessionParametersForm.h"
#include "dialogs/SessionStartValuesForm.h"
#include "model/Common.h"
#include "ui/MessageBoxes.h"

#include <QAction>

void TMainForm::CreateDialogs() {
    SessionParametersForm = new TSessionParametersForm(this);
    SessionStartValuesForm = new TSessionStartValuesForm(this);
    // The event list and the event editor take their places here when they come.
    AboutForm = new TAboutForm(this);
    AddWaveForm = new TAddWaveForm(this);
    FontSettingsForm = new TFontSettingsForm(this);
    SessionStartValuesForm->AddWaveForm = AddWaveForm;
    SessionStartValuesForm->FontSettingsForm = FontSettingsForm;

    // Closing an editing dialog is one step to undo: the start values dialog has no Cancel.
    BindEditingCommand(SessionParametersMI, &TMainForm::SessionParametersMIClick);
    BindEditingCommand(SessionStartValuesMI, &TMainForm::SessionStartValuesMIClick);
    BindCommand(AboutMI, &TMainForm::AboutMIClick);
}

void TMainForm::SessionParametersMIClick() {
    if (IsPlaying)
        return;
    SessionParametersForm->exec();
    if (SessionLength < SessionPosition)
        SessionPosition = SessionLength > 0 ? SessionLength - 1 : 0; // a damaged file's length
    // Rescaled event times may have crossed the position.
    Refresh();
}

void TMainForm::SessionStartValuesMIClick() {
    if (IsPlaying)
        return;
    SessionStartValuesForm->exec();
    Refresh();
}

void TMainForm::AboutMIClick() {
    AboutForm->exec();
}
