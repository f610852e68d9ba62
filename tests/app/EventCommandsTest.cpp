// The event commands of the main window: a new event at the cursor, the question before the
// nearest event is deleted, and the state brought back to the cursor after every editor.

#include "MainWindowFixture.h"
#include "QtTestSupport.h"
#include "app/gui/MainForm.h"
#include "dialogs/EditEventForm.h"
#include "dialogs/EventsListForm.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "ui/SpinField.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

#include <memory>

namespace umbrascope {

namespace {

class EventCommands : public MainWindowTest {};

TSessionEvent Volume(std::int32_t time, const char* value) {
    return {EventTypeName(EventKind::AudioVolume), time, value};
}

TEST_F(EventCommands, AddEventOpensTheEditorAtTheCursorInWholeSeconds) {
    Document().Events = {Volume(1000, "40")};
    PlayTransport().SessionPosition = 83456;
    form->EditEventForm->SelectType(EventKind::AudioVolume);
    QString shown;
    AnswerNextModal([&](QWidget* modal) {
        auto* editor = qobject_cast<TEditEventForm*>(modal);
        ASSERT_NE(editor, nullptr);
        shown = QStringLiteral("%1 %2 %3")
                    .arg(editor->MinuteEdit->value())
                    .arg(editor->SecondsEdit->value())
                    .arg(editor->EventTypeBox->currentText());
        editor->OkButton->click();
    });
    form->AddEventMI->trigger();
    EXPECT_EQ(shown, "1 23 Не определен");
    ASSERT_EQ(Document().Events.size(), 2u);
    EXPECT_EQ(Document().Events[1].EventTime, 83000);

    AnswerNextModal([](QWidget* modal) {
        auto* editor = qobject_cast<TEditEventForm*>(modal);
        editor->SelectType(EventKind::AudioVolume);
        editor->MinuteEdit->setValue(0); // the editor's state is the one before the event
        editor->close();
    });
    form->SpeedButtons[6]->click();
    EXPECT_EQ(Document().Events.size(), 2u) << "closed without OK";
    EXPECT_EQ(form->VolumeLabel->text(), "Громкость аудио: 40 %") << "the cursor's state again";
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(EventCommands, DeleteAsksAboutTheNearestEventAndTiesGoToTheEarlier) {
    Document().Events = {{EventTypeName(EventKind::TextOn), 125000, ""}, Volume(185000, "40")};
    PlayTransport().SessionPosition = 155000;
    QString question;
    const auto answer = [&](QMessageBox::StandardButton button) {
        AnswerNextModal([&question, button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            question = box->windowTitle() + "|" + box->text();
            EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
            box->button(button)->click();
        });
    };
    answer(QMessageBox::No);
    form->DeleteEventMI->trigger();
    EXPECT_EQ(question, "|2:5\nТекстовые фразы -> Включить\n\nУдалить событие?");
    EXPECT_EQ(Document().Events.size(), 2u);

    answer(QMessageBox::Yes);
    form->SpeedButtons[7]->click();
    ASSERT_EQ(Document().Events.size(), 1u);
    EXPECT_EQ(Document().Events[0].EventTime, 185000);
    EXPECT_EQ(form->VolumeLabel->text(), "Громкость аудио: 100 %");
}

TEST_F(EventCommands, TheEventListRefreshesTheWindowWhenItCloses) {
    Document().Events = {Volume(1000, "40")};
    PlayTransport().SessionPosition = 60000;
    form->Refresh();
    AnswerNextModal([](QWidget* modal) {
        auto* list = qobject_cast<TEventsListForm*>(modal);
        ASSERT_NE(list, nullptr);
        list->DeleteEventBtn->click();
        list->close();
    });
    form->GetEventListMI->trigger();
    EXPECT_TRUE(Document().Events.empty());
    EXPECT_EQ(form->VolumeLabel->text(), "Громкость аудио: 100 %");
    EXPECT_TRUE(form->SpeedButtons[8]->isEnabled());
}

TEST_F(EventCommands, EachChangeInTheEventListIsAStepToUndo) {
    Document().Events = {Volume(1000, "40"), Volume(2000, "50")};
    AnswerNextModal([](QWidget* modal) {
        auto* list = qobject_cast<TEventsListForm*>(modal);
        list->DeleteEventBtn->click();
        AnswerNextModal(
            [](QWidget* editor) { qobject_cast<TEditEventForm*>(editor)->OkButton->click(); });
        list->AddEventBtn->click();
        list->close();
    });
    form->GetEventListMI->trigger();
    ASSERT_EQ(Document().Events.size(), 2u);
    EXPECT_EQ(form->UndoMI->text(), "&Отменить «Добавить событие»");
    form->UndoMI->trigger();
    EXPECT_EQ(Document().Events, (std::vector<TSessionEvent>{Volume(2000, "50")}));
    EXPECT_EQ(form->UndoMI->text(), "&Отменить «Удалить событие»");
    form->UndoMI->trigger();
    EXPECT_EQ(Document().Events.size(), 2u);
}

} // namespace

} // namespace umbrascope
