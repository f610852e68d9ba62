// Editing as a user does it, on a virtual X display: open a project, change the start values
// or the events through their dialogs, save, and read the file back with --dump.

#include "ProgramRun.h"
#include "QtTestSupport.h"
#include "RealDesktop.h"
#include "TestProgram.h"
#include "app/gui/MainForm.h"
#include "dialogs/AddWaveForm.h"
#include "dialogs/EditEventForm.h"
#include "dialogs/EventsListForm.h"
#include "dialogs/SessionStartValuesForm.h"
#include "model/Cp1251.h"
#include "model/ProjectFile.h"
#include "model/Session.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "ui/PaintBox.h"
#include "ui/SpinField.h"
#include "visual/Colors.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace umbrascope {

namespace {

// The program's window on the X display, opened on the project.
std::unique_ptr<TMainForm> OpenOnDisplay(const std::filesystem::path& project,
                                         TestProgram& program) {
    EXPECT_TRUE(StartOnXDisplay());
    auto form = ShowMainWindow(QString::fromStdString(project.string()), program.Services());
    EXPECT_TRUE(form);
    return form;
}

TEST(EndToEndEditing, StartValuesChangedFromTheMenuAreSaved) {
    ScratchFolder folder;
    Session contents;
    contents.SessionLength = 300000;
    contents.StartValues.Waves = {".&03%0@50"};
    const auto project = folder.Write("edit.usp", ProjectBytes(contents));
    TestProgram program;
    auto form = OpenOnDisplay(project, program);
    ASSERT_TRUE(form);

    AnswerNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<TSessionStartValuesForm*>(modal);
        ASSERT_NE(dialog, nullptr);
        AnswerNextModal([](QWidget* picker) {
            qobject_cast<QColorDialog*>(picker)->setCurrentColor(QColor(10, 20, 30));
            qobject_cast<QColorDialog*>(picker)->accept();
        });
        QTest::mouseClick(dialog->Button3, Qt::LeftButton);
        QTest::keyClick(dialog->SpiralSpeed, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dialog->SpiralSpeed, "150");
        AnswerNextModal([](QWidget* modal) {
            auto* addWave = qobject_cast<TAddWaveForm*>(modal);
            // On the button's circle: a radio button takes clicks on its circle and caption.
            QTest::mouseClick(addWave->SinusRB, Qt::LeftButton, {},
                              QPoint(6, addWave->SinusRB->height() / 2));
            QTest::mouseClick(addWave->Button1, Qt::LeftButton);
        });
        QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
        dialog->close();
    });
    form->SessionStartValuesMI->trigger();
    EXPECT_EQ(form->WavesListBox->count(), 2) << "the main window shows the new track";
    form->SaveMI->trigger();
    form.reset();

    const ProgramRun dump = Umbrascope("--dump " + project.string(), folder);
    ASSERT_EQ(dump.status, 0) << dump.err;
    const QJsonObject start = QJsonDocument::fromJson(QByteArray::fromStdString(dump.out))
                                  .object()["StartValues"]
                                  .toObject();
    EXPECT_EQ(start["SpiralColor"].toInteger(), qint64{StoredRgb(10, 20, 30)});
    EXPECT_EQ(start["SpiralSpeed"].toInt(), 208 - 150);
    EXPECT_EQ(start["Waves"].toArray(), (QJsonArray{".&03%0@50", ".&04%333@0@100"}));
}

// The timeline cursor put where a click on the strip puts it; returns the position.
std::int32_t ClickTimeline(TMainForm& form, double share) {
    const int x = 5 + static_cast<int>(share * (form.TrackBox->width() - 10));
    QTest::mouseClick(form.TrackBox, Qt::LeftButton, {}, QPoint(x, form.TrackBox->height() / 2));
    return form.PlayTransport().SessionPosition;
}

void TypeInto(QWidget* field, const QString& text) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

TEST(EndToEndEditing, EventsAddedChangedAndDeletedInTheWindowAreSaved) {
    ScratchFolder folder;
    Session contents;
    contents.SessionLength = 300000;
    contents.Events = {{Cp1251Literal("Текстовые фразы -> Выключить"), 200000, ""}};
    const auto project = folder.Write("events.usp", ProjectBytes(contents));
    TestProgram program;
    auto form = OpenOnDisplay(project, program);
    ASSERT_TRUE(form);

    // A pattern change at the cursor, from the menu.
    const std::int32_t cursor = ClickTimeline(*form, 0.2);
    ASSERT_GT(cursor, 0);
    AnswerNextModal([](QWidget* modal) {
        auto* editor = qobject_cast<TEditEventForm*>(modal);
        ASSERT_NE(editor, nullptr);
        editor->EventTypeBox->setCurrentIndex(static_cast<int>(EventKind::VideoType));
        editor->VideoTypeBox->setCurrentIndex(3);
        QTest::mouseClick(editor->OkButton, Qt::LeftButton);
    });
    form->AddEventMI->trigger();
    ASSERT_EQ(form->Document().Events.size(), 2u);

    // Moved to half a minute past its minute in the event list.
    AnswerNextModal([](QWidget* modal) {
        auto* list = qobject_cast<TEventsListForm*>(modal);
        ASSERT_NE(list, nullptr);
        AnswerNextModal([](QWidget* modal) {
            auto* editor = qobject_cast<TEditEventForm*>(modal);
            TypeInto(editor->SecondsEdit, "30");
            QTest::mouseClick(editor->OkButton, Qt::LeftButton);
        });
        QTest::mouseClick(list->EditEventBtn, Qt::LeftButton);
        list->close();
    });
    form->GetEventListMI->trigger();

    // The other event deleted with the toolbar button, near the cursor.
    ClickTimeline(*form, 0.66);
    AnswerNextModal([](QWidget* modal) {
        auto* question = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(question, nullptr);
        QTest::mouseClick(question->button(QMessageBox::Yes), Qt::LeftButton);
    });
    QTest::mouseClick(form->SpeedButtons[7], Qt::LeftButton);
    form->SaveMI->trigger();
    form.reset();

    const ProgramRun dump = Umbrascope("--dump " + project.string() + " --at 299000", folder);
    ASSERT_EQ(dump.status, 0) << dump.err;
    const QJsonObject session =
        QJsonDocument::fromJson(QByteArray::fromStdString(dump.out)).object();
    const QJsonArray events = session["Events"].toArray();
    ASSERT_EQ(events.size(), 1) << dump.out;
    const QJsonObject event = events[0].toObject();
    EXPECT_EQ(event["EventType"].toString(), "Видеосопровождение -> Тип");
    EXPECT_EQ(event["EventTime"].toInt(), cursor / 60000 * 60000 + 30000);
    EXPECT_EQ(event["EventValue"].toString(), "3");
    EXPECT_EQ(session["CurrentValues"].toObject()["VideoType"].toInt(), 3);
}

} // namespace

} // namespace umbrascope
