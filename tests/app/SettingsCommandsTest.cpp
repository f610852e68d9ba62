// The session settings commands of the main window: each opens its dialog from the menu or
// the toolbar and then brings the state and the window up to date.

#include "MainWindowFixture.h"
#include "QtTestSupport.h"
#include "app/gui/MainForm.h"
#include "dialogs/SessionParametersForm.h"
#include "model/Cp1251.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "ui/SpinField.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <limits>
#include <memory>

namespace umbrascope {

namespace {

class SettingsCommands : public MainWindowTest {};

void ConfirmLength(int minutes) {
    AnswerNextModal([minutes](QWidget* modal) {
        auto* dialog = qobject_cast<TSessionParametersForm*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->LongEdit->setValue(minutes);
        dialog->OkButton->click();
    });
}

TEST_F(SettingsCommands, SessionParametersMoveThePositionAndRecomputeTheState) {
    Document().Events = {{Cp1251Literal("Аудиосопровождение -> Громкость"), 400000, "40"}};
    PlayTransport().SessionPosition = 600000;
    form->Refresh();
    ASSERT_EQ(form->VolumeLabel->text(), "Громкость аудио: 40 %");

    ConfirmLength(60);
    form->SpeedButtons[1]->click();
    EXPECT_EQ(Document().Events[0].EventTime, 800000);
    EXPECT_EQ(form->VolumeLabel->text(), "Громкость аудио: 100 %")
        << "the event moved past the position";

    PlayTransport().SessionPosition = 1200000;
    ConfirmLength(10);
    form->SessionParametersMI->trigger();
    EXPECT_EQ(PlayTransport().SessionPosition, 599999);
    EXPECT_EQ(form->TimeLabel->text(), "9:59 / 10:00");
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(SettingsCommands, AnEditOfASessionOfNegativeLengthPutsThePositionAtZero) {
    Document().SessionLength =
        std::numeric_limits<std::int32_t>::min(); // as a damaged file may hold it
    PlayTransport().SessionPosition = 5;
    AnswerNextModal([](QWidget* modal) { modal->close(); });
    form->SessionStartValuesMI->trigger();
    EXPECT_EQ(PlayTransport().SessionPosition, 0);
}

} // namespace

} // namespace umbrascope
