// Nothing is lost: New, Open, Exit and closing the window ask before a changed session goes,
// the caption marks unsaved changes, every editing step can be undone and redone exactly, and
// the recent projects come back in the File menu.

#include "QtTestSupport.h"
#include "ScriptedForm.h"
#include "TestProgram.h"
#include "app/gui/MainForm.h"
#include "dialogs/SessionParametersForm.h"
#include "dialogs/SessionStartValuesForm.h"
#include "model/ProjectFile.h"
#include "model/SessionState.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "ui/SpinField.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace umbrascope {

namespace {

class UnsavedChanges : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        form = std::make_unique<ScriptedForm>(QStringList{}, program.Services(messages));
        form->show();
    }

    // An editing command as the menus run one.
    void Rename(const std::string& name) {
        form->RunEditingCommand(UserText::Verbatim("Основные параметры"),
                                [&] { form->Document().SessionName = name; });
    }

    QString Project(const QString& name) {
        const QString path = folder.filePath(name);
        WriteBytes(path, ProjectBytes(Session{}));
        return path;
    }

    QTemporaryDir folder;
    TestProgram program;
    MessageRecorder messages;
    std::unique_ptr<ScriptedForm> form;
};

TEST_F(UnsavedChanges, AnUnchangedSessionGoesWithoutAQuestion) {
    DialogAnswer guard("Отмена");
    form->openAnswer = Project("a.usp");
    form->OpenMIClick();
    form->NewMIClick();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(guard.Answered());
}

TEST_F(UnsavedChanges, EachAnswerOfTheQuestion) {
    Rename("edited");
    EXPECT_EQ(form->windowTitle(), " Umbrascope - Новый проект*");
    {
        DialogAnswer cancel("Отмена");
        form->NewMIClick();
        EXPECT_EQ(cancel.question, "Сохранить изменения в проекте «Новый проект»?");
        EXPECT_EQ(form->Document().SessionName, "edited");
    }
    {
        DialogAnswer yes("Да"); // the save dialog is cancelled: nothing is discarded
        form->ExitMIClick();
        EXPECT_TRUE(yes.Answered());
        EXPECT_TRUE(form->isVisible());
    }
    {
        DialogAnswer yes("Да");
        form->saveAnswer = folder.filePath("kept.usp");
        form->openAnswer = Project("other.usp");
        form->OpenMIClick();
        EXPECT_TRUE(yes.Answered());
        EXPECT_EQ(form->windowTitle(), " Umbrascope - other.usp");
        Session kept;
        kept.SessionName = "edited";
        EXPECT_EQ(ReadBytes(folder.filePath("kept.usp")), ProjectBytes(kept));
    }
    Rename("again");
    {
        DialogAnswer no("Нет");
        EXPECT_TRUE(form->close());
        EXPECT_EQ(no.question, "Сохранить изменения в проекте «other.usp»?");
    }
}

TEST_F(UnsavedChanges, UndoAndRedoGiveBackTheSessionAsSaved) {
    form->OpenProjectPath(Project("p.usp"));
    const std::string opened = ReadBytes(folder.filePath("p.usp"));
    form->RunEditingCommand(UserText::Verbatim("Начальные значения"), [this] {
        form->Document().StartValues.VideoType = 3;
        form->Document().InsertEvent({"Видеосопровождение -> Тип", 1000, "2"});
    });
    Rename("renamed");
    form->RunEditingCommand(UserText::Verbatim("Ничего"),
                            [] {}); // a command that changed nothing is no step
    EXPECT_EQ(form->UndoMI->text(), "&Отменить «Основные параметры»");

    form->UndoMI->trigger();
    form->UndoMI->trigger();
    EXPECT_EQ(form->RedoMI->text(), "&Повторить «Начальные значения»");
    EXPECT_FALSE(form->UndoMI->isEnabled());
    EXPECT_EQ(form->windowTitle(), " Umbrascope - p.usp"); // back to the file: no mark
    form->SaveMIClick();
    EXPECT_EQ(ReadBytes(folder.filePath("p.usp")), opened);

    form->RedoMI->trigger();
    EXPECT_EQ(form->PlayTransport().CurrentValues.VideoType,
              3); // the state follows, as after the command
    EXPECT_EQ(form->windowTitle(), " Umbrascope - p.usp*");

    DialogAnswer no("Нет");
    form->NewMIClick(); // a new session starts a new history
    EXPECT_TRUE(no.Answered());
    EXPECT_FALSE(form->UndoMI->isEnabled());
    EXPECT_FALSE(form->RedoMI->isEnabled());
}

TEST_F(UnsavedChanges, EachDialogClosingIsOneStepUndoneExactly) {
    Session contents;
    contents.Events = {{"Аудиосопровождение -> Громкость", 600000, "40"}};
    const QString path = folder.filePath("d.usp");
    WriteBytes(path, ProjectBytes(contents));
    form->OpenProjectPath(path);
    const std::string opened = ReadBytes(path);

    AnswerNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<TSessionParametersForm*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->LongEdit->setValue(60); // every event moves
        dialog->OkButton->click();
    });
    form->SessionParametersMI->trigger();
    AnswerNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<TSessionStartValuesForm*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->VideoEnabledBox->setChecked(false);
        dialog->close(); // no Cancel: closing keeps the edits
    });
    form->SessionStartValuesMI->trigger();
    ASSERT_FALSE(form->Document().StartValues.VideoEnabled);
    const std::string edited = ProjectBytes(form->Document().Contents());

    form->UndoMI->trigger();
    EXPECT_TRUE(form->Document().StartValues.VideoEnabled);
    form->UndoMI->trigger();
    form->SaveMIClick();
    EXPECT_EQ(ReadBytes(path), opened);
    form->RedoMI->trigger();
    form->RedoMI->trigger();
    form->SaveMIClick();
    EXPECT_EQ(ReadBytes(path), edited);
}

TEST_F(UnsavedChanges, ShortcutsRunTheirCommands) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const auto press = [&](QKeyCombination key) { QTest::keySequence(form.get(), key); };
    form->openAnswer = Project("o.usp");
    press(Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(form->windowTitle(), " Umbrascope - o.usp");
    Rename("x");
    press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(form->Document().SessionName, "");
    press(Qt::CTRL | Qt::Key_Y);
    EXPECT_EQ(form->Document().SessionName, "x");
    press(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(form->windowTitle(), " Umbrascope - o.usp");
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_Z); // nothing left to redo
    EXPECT_EQ(form->Document().SessionName, "x");
    form->saveAnswer = folder.filePath("as.usp");
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    EXPECT_EQ(form->windowTitle(), " Umbrascope - as.usp");
    press(Qt::CTRL | Qt::Key_N);
    EXPECT_EQ(form->windowTitle(), " Umbrascope - Новый проект");
    press(Qt::CTRL | Qt::Key_Q);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(UnsavedChanges, RecentProjectsListTheLastEight) {
    for (int i = 0; i < 9; ++i)
        form->OpenProjectPath(Project(QStringLiteral("r%1.usp").arg(i)));
    QFile::remove(folder.filePath("r7.usp"));
    emit form->RecentProjectsMG->aboutToShow();
    const QList<QAction*> items = form->RecentProjectsMG->actions();
    ASSERT_EQ(items.size(), MaxRecentProjects);
    EXPECT_EQ(items[0]->text(), "&1 " + folder.filePath("r8.usp")) << "numbered: a key each";
    EXPECT_FALSE(items[1]->isEnabled()); // r7 has gone
    EXPECT_EQ(items[7]->text(), "&8 " + folder.filePath("r1.usp"));

    items[2]->trigger();
    EXPECT_EQ(form->windowTitle(), " Umbrascope - r6.usp");
    EXPECT_EQ(program.Settings().RecentProjects().first(), folder.filePath("r6.usp"));
}

TEST_F(UnsavedChanges, RecentProjectsNeitherTurnAroundNorSpanTheScreen) {
    const QString reversed = folder.filePath(QString::fromUtf16(u"\u202Eusp.evil"));
    const QString endless = folder.filePath(QString(100000, u'x') + ".usp");
    program.Settings().RememberRecentProject(endless);
    program.Settings().RememberRecentProject(reversed);
    emit form->RecentProjectsMG->aboutToShow();
    const QList<QAction*> items = form->RecentProjectsMG->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_FALSE(items[0]->text().contains(QChar(0x202E)));
    EXPECT_TRUE(items[0]->text().endsWith("\\u{202E}usp.evil")) << items[0]->text().toStdString();
    EXPECT_LE(items[1]->text().size(), 90);
    EXPECT_TRUE(items[1]->text().startsWith("&2 " + folder.path()));
    EXPECT_TRUE(items[1]->text().endsWith("xxx.usp"));
    EXPECT_EQ(items[1]->toolTip(), endless) << "the whole path stays in the tip";
}

} // namespace

} // namespace umbrascope
