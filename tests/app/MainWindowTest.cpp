// The main window as the user meets it: start-up, labels, menus, the timeline under the mouse
// and the layout.

#include "QtTestSupport.h"
#include "TestProgram.h"
#include "app/gui/Association.h"
#include "app/gui/MainForm.h"
#include "model/Cp1251.h"
#include "model/ProjectFile.h"
#include "model/SessionState.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "ui/PaintBox.h"
#include "ui/UiText.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace umbrascope {

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        ASSERT_TRUE(folder.isValid());
    }

    std::unique_ptr<TMainForm> Start(const QStringList& arguments = {}) {
        auto form = std::make_unique<TMainForm>(arguments, program.Services(messages));
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }

    QString SampleProject(const QString& name) {
        Session contents;
        contents.SessionName = Cp1251Literal("Пример");
        contents.SessionLength = 300000;
        contents.StartValues.Waves = {".&01@200@10@50", "/music/loop.wav"};
        contents.StartValues.PhraseFile = "/texts/phrases.txt";
        contents.Events = {{Cp1251Literal("Аудиосопровождение -> Громкость"), 60000, "40"}};
        const QString path = folder.filePath(name);
        WriteBytes(path, ProjectBytes(contents));
        // The media lie beside the project, where a moved project finds them.
        WriteBytes(folder.filePath("loop.wav"), "");
        WriteBytes(folder.filePath("phrases.txt"), "");
        return path;
    }

    QTemporaryDir folder;
    TestProgram program;
    MessageRecorder messages;
};

void PressOnStrip(PaintBox* strip, QPoint at, Qt::MouseButton button) {
    QTest::mousePress(strip, button, {}, at);
    QTest::mouseRelease(strip, button, {}, at);
}

void DragOnStrip(PaintBox* strip, QPoint to, Qt::MouseButtons held) {
    QMouseEvent move(QEvent::MouseMove, to, strip->mapToGlobal(to), Qt::NoButton, held,
                     Qt::NoModifier);
    QApplication::sendEvent(strip, &move);
}

TEST_F(MainWindow, StartsWithANewProjectAndItsLabels) {
    auto form = Start();
    EXPECT_EQ(form->windowTitle(), " Umbrascope - Новый проект");
    EXPECT_EQ(form->TextFrameLongLabel->text(), "Длительность показа фразы: 50 мс");
    EXPECT_EQ(form->TextFrameIntervalLabel->text(), "Интервал между показами: 1000 мс");
    EXPECT_EQ(form->VolumeLabel->text(), "Громкость аудио: 100 %");
    EXPECT_EQ(form->WavesListBox->count(), 0);
    EXPECT_EQ(form->TimeLabel->text(), "0:00 / 30:00");
    EXPECT_EQ(form->TextFileEdit->text(), "");
    EXPECT_TRUE(form->PlayButton->isEnabled());
    EXPECT_TRUE(form->PlaySoundButton->isEnabled());
    EXPECT_FALSE(form->StopButton->isEnabled());
    EXPECT_EQ(form->PlayButton->toolTip(), "Начать воспроизведение с текущей позиции");
    EXPECT_EQ(form->PlaySoundButton->toolTip(), "Воспроизводить только звук");
    EXPECT_EQ(form->ControlTimer->interval(), 50);
    EXPECT_FALSE(form->ControlTimer->isActive());
    // 700 x 500 is the outer size, frame included, and the smallest.
    const QSize frame = form->frameGeometry().size() - form->size();
    EXPECT_EQ(form->frameGeometry().size(), QSize(700, 500));
    EXPECT_EQ(form->minimumSize() + frame, QSize(700, 500));
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(MainWindow, MenusAndToolbarCarryTheirCaptionsAndHints) {
    auto form = Start();
    QStringList groups;
    for (QAction* action : form->menuBar()->actions())
        groups << WithoutAccessKey(action->text());
    EXPECT_EQ(groups, QStringList({"Файл", "Правка", "Настройки сессии", "Редактирование событий",
                                   "Язык", "Справка"}));
    QStringList fileItems;
    for (QAction* action : form->FileMG->actions())
        fileItems << (action->isSeparator() ? "-" : WithoutAccessKey(action->text()));
    EXPECT_EQ(fileItems, QStringList({"Новый", "Открыть", "Недавние проекты", "-", "Сохранить",
                                      "Сохранить как..", "Скомпилировать сессию",
                                      "Экспорт звука...", "Экспорт видео...", "-", "Выход"}));
    EXPECT_EQ(WithoutAccessKey(form->GetEventListMI->text()), "Вывести список событий");
    EXPECT_EQ(WithoutAccessKey(form->AboutMI->text()), "О программе");
    EXPECT_EQ(AccessKeyFaults(*form), "");
    EXPECT_EQ(AccessKeyFaults(form->menuBar()->actions()), "");
    for (QAction* group : form->menuBar()->actions())
        EXPECT_EQ(AccessKeyFaults(group->menu()->actions()), "") << group->text().toStdString();

    const char* hints[] = {nullptr,
                           "Настроить основные параметры сессии",
                           "Создать новый проект",
                           "Открыть существующий проект",
                           "Сохранить проект",
                           "Изменить начальные значения",
                           "Добавить событие",
                           "Удалить событие",
                           "Редактировать список событий",
                           "Справка",
                           "О программе",
                           "Скомпилировать сессию"};
    for (int n = 1; n <= 11; ++n) {
        EXPECT_EQ(form->SpeedButtons[n]->toolTip(), QString::fromUtf8(hints[n])) << n;
        EXPECT_EQ(form->SpeedButtons[n]->accessibleName(), QString::fromUtf8(hints[n])) << n;
    }
    // Left to right: New, Open, Save, Build, parameters, start values, events, help, about.
    const int order[] = {2, 3, 4, 11, 1, 5, 6, 7, 8, 9, 10};
    for (int i = 1; i < 11; ++i)
        EXPECT_LT(form->SpeedButtons[order[i - 1]]->x(), form->SpeedButtons[order[i]]->x());
    for (int n = 1; n <= 11; ++n)
        EXPECT_TRUE(form->SpeedButtons[n]->isEnabled()) << n;
}

TEST_F(MainWindow, DisablingAndEnablingControlsKeepsCommandsThatAreOffOff) {
    auto form = Start();
    form->DisableControls();
    EXPECT_FALSE(form->FileMG->menuAction()->isEnabled());
    EXPECT_FALSE(form->HelpMG->menuAction()->isEnabled());
    EXPECT_FALSE(form->EditMG->menuAction()->isEnabled()); // no undo while a session plays
    EXPECT_FALSE(form->SpeedButtons[3]->isEnabled());
    form->EnableControls();
    EXPECT_TRUE(form->FileMG->menuAction()->isEnabled());
    EXPECT_TRUE(form->EventsMG->menuAction()->isEnabled());
    EXPECT_TRUE(form->SpeedButtons[3]->isEnabled());

    // A command switched off or on brings its toolbar button along.
    form->DeleteEventMI->setEnabled(false);
    EXPECT_FALSE(form->SpeedButtons[7]->isEnabled());
    form->DisableControls();
    form->EnableControls();
    EXPECT_FALSE(form->SpeedButtons[7]->isEnabled());
    form->DeleteEventMI->setEnabled(true);
    EXPECT_TRUE(form->SpeedButtons[7]->isEnabled());
    form->DisableControls();
    form->EnableControls();
    EXPECT_TRUE(form->SpeedButtons[7]->isEnabled());
}

TEST_F(MainWindow, OpensTheProjectNamedOnTheCommandLine) {
    const QString path = SampleProject("Session.UsP");
    QDir::setCurrent(folder.path());
    auto form = Start({"Session.UsP", "ignored"});
    EXPECT_EQ(form->windowTitle(), " Umbrascope - Session.UsP");
    EXPECT_EQ(Cp1251ToUtf8(form->Document().ProjectFileName), path.toStdString());
    EXPECT_EQ(form->WavesListBox->count(), 2);
    EXPECT_EQ(form->WavesListBox->item(1)->text(), "loop.wav");
    EXPECT_EQ(form->TextFileEdit->text(), "phrases.txt");
    EXPECT_EQ(form->TimeLabel->text(), "0:00 / 5:00");
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(MainWindow, IgnoresAMissingFileOrAnotherExtensionSilently) {
    const QString other = folder.filePath("notes.txt");
    WriteBytes(other, ProjectBytes({}));
    for (const QString& argument : {other, folder.filePath("absent.usp")}) {
        auto form = Start({argument});
        EXPECT_EQ(form->windowTitle(), " Umbrascope - Новый проект");
        EXPECT_TRUE(form->Document().ProjectFileName.empty());
    }
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(MainWindow, AWrongMagicOnTheCommandLineGivesANewProject) {
    const QString path = folder.filePath("bad.usp");
    WriteBytes(path, "USP 3.0 garbage");
    auto form = Start({path});
    EXPECT_EQ(messages.texts, QStringList({"Неверный формат файла: " + path}));
    EXPECT_EQ(form->windowTitle(), " Umbrascope - Новый проект");
    EXPECT_TRUE(form->Document().ProjectFileName.empty());
}

TEST_F(MainWindow, GreysTheSettingsThatAreSwitchedOff) {
    auto form = Start();
    EXPECT_TRUE(form->TextFileEdit->isEnabled());
    EXPECT_TRUE(form->WavesListBox->isEnabled());
    form->Document().StartValues.TextEnabled = false;
    form->Document().StartValues.AudioEnabled = false;
    form->Document().StartValues.AudioVolume = 7;
    form->Refresh();
    EXPECT_FALSE(form->TextFileEdit->isEnabled());
    EXPECT_FALSE(form->TextFrameLongLabel->isEnabled());
    EXPECT_FALSE(form->TextFrameIntervalLabel->isEnabled());
    EXPECT_FALSE(form->WavesListBox->isEnabled());
    EXPECT_FALSE(form->VolumeLabel->isEnabled());
    EXPECT_EQ(form->VolumeLabel->text(), "Громкость аудио: 7 %");
}

TEST_F(MainWindow, ClicksAndDragsOnTheTimelineMoveThePosition) {
    auto form = Start();
    form->Document().Events = {{Cp1251Literal("Аудиосопровождение -> Громкость"), 600000, "30"}};
    PaintBox* strip = form->TrackBox;
    const int w = strip->width();
    PressOnStrip(strip, {2, 17}, Qt::LeftButton);
    EXPECT_EQ(form->PlayTransport().SessionPosition, 0);
    PressOnStrip(strip, {w - 9, 17}, Qt::LeftButton);
    EXPECT_EQ(form->PlayTransport().SessionPosition, form->Document().SessionLength - 1);
    EXPECT_EQ(form->TimeLabel->text(), "29:59 / 30:00");
    // The state follows the cursor: past the event the volume is 30.
    EXPECT_EQ(form->VolumeLabel->text(), "Громкость аудио: 30 %");

    const int middle = 5 + (w - 10) / 2;
    QTest::mousePress(strip, Qt::LeftButton, {}, {10, 17});
    DragOnStrip(strip, {middle, 17}, Qt::LeftButton);
    EXPECT_NEAR(form->PlayTransport().SessionPosition, 900000, 1800000.0 / (w - 10));
    QTest::mouseRelease(strip, Qt::LeftButton, {}, {middle, 17});

    const std::int32_t before = form->PlayTransport().SessionPosition;
    PressOnStrip(strip, {20, 17}, Qt::RightButton);
    DragOnStrip(strip, {30, 17}, Qt::RightButton);
    DragOnStrip(strip, {40, 17}, Qt::NoButton);
    EXPECT_EQ(form->PlayTransport().SessionPosition, before);
}

TEST_F(MainWindow, TheTimelineIgnoresTheMouseWhileASessionPlays) {
    auto form = Start();
    form->PlayTransport().SessionPosition = 65000;
    form->Refresh();
    EXPECT_EQ(form->TimeLabel->text(), "1:05 / 30:00");
    form->PlayTransport().SetPlaying(true);
    PressOnStrip(form->TrackBox, {300, 17}, Qt::LeftButton);
    form->PlayTransport().SetPlaying(false);
    EXPECT_EQ(form->PlayTransport().SessionPosition, 65000);
}

TEST_F(MainWindow, KeysMoveThePositionOnTheTimeline) {
    auto form = Start();
    QWidget* strip = form->TrackBox;
    EXPECT_EQ(strip->focusPolicy(), Qt::StrongFocus);
    QTest::keyClick(strip, Qt::Key_Right);
    QTest::keyClick(strip, Qt::Key_PageUp);
    EXPECT_EQ(form->PlayTransport().SessionPosition, 61000);
    EXPECT_EQ(form->TimeLabel->text(), "1:01 / 30:00");
    QTest::keyClick(strip, Qt::Key_PageDown);
    QTest::keyClick(strip, Qt::Key_PageDown);
    EXPECT_EQ(form->PlayTransport().SessionPosition, 0);
    QTest::keyClick(strip, Qt::Key_End);
    QTest::keyClick(strip, Qt::Key_Right);
    EXPECT_EQ(form->PlayTransport().SessionPosition, 1799999);
}

TEST_F(MainWindow, LayoutFollowsTheWindowSize) {
    auto form = Start();
    const QWidget* client = form->centralWidget();
    EXPECT_GE(form->ScreenPreviewBox->width(), 400);
    EXPECT_GE(form->ScreenPreviewBox->height(), 300);

    // The large time figures are not cut at the bottom edge of the smallest window.
    const QRect time = form->TimeLabel->geometry();
    EXPECT_LE(time.bottom(), client->height() - 1);
    EXPECT_NEAR(time.center().y(), form->PlayButton->geometry().center().y(), 1);
    EXPECT_GE(time.height(), form->TimeLabel->fontMetrics().height());

    form->resize(1200, 900);
    QApplication::processEvents();
    const int cw = client->width();
    const int ch = client->height();
    EXPECT_EQ(form->PlayButton->y(), ch - form->PlayButton->height() - 10);
    EXPECT_EQ(form->TrackBox->width(), cw - 10);
    EXPECT_EQ(form->TrackBox->y(), ch - form->PlayButton->height() - form->TrackBox->height() - 20);
    const int room = form->TrackBox->y() - 50;
    const QRect preview = form->ScreenPreviewBox->geometry();
    EXPECT_EQ(preview.left(), 10);
    EXPECT_LE(preview.height(), std::max(room, 300));
    EXPECT_NEAR(preview.width() * 3.0 / 4, preview.height(), 1.0);
    EXPECT_EQ(preview.top(), form->ToolBarPanel->height() + 10) << "no band under the toolbar";
    EXPECT_EQ(form->TextFileBox->x(), preview.right() + 1 + 10);
    EXPECT_EQ(form->TextFileBox->geometry().right() + 1, cw - 10);
    EXPECT_EQ(form->TextFileBox->y(), preview.top());
    EXPECT_EQ(form->AudioWavesGroupBox->geometry().bottom(), preview.bottom());
    EXPECT_EQ(form->WavesListBox->height(), form->AudioWavesGroupBox->height() - 50);
    EXPECT_EQ(form->VolumeLabel->y(), form->WavesListBox->height() + 27);
}

TEST_F(MainWindow, WritesTheAssociationAtStartAndReportsAFailure) {
    auto form = Start();
    const QString data = TestHome() + "/data";
    const std::string entry = ReadBytes(data + "/applications/umbrascope.desktop");
    EXPECT_NE(entry.find("MimeType=application/x-umbrascope-project;"), std::string::npos);
    EXPECT_NE(entry.find("Exec=\""), std::string::npos);
    EXPECT_NE(ReadBytes(data + "/mime/packages/umbrascope-project.xml").find("*.usp"),
              std::string::npos);
    EXPECT_TRUE(QDir(TestHome() + "/config/Halvard/Umbrascope").exists());

    // A data folder that cannot be made (a file there): one line on standard error naming the
    // folder and the reason, no box at every start, and start-up goes on.
    const QString blocked = folder.filePath("blocked");
    WriteBytes(blocked, "x");
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", blocked.toUtf8());
    const QString project = SampleProject("a.usp");
    testing::internal::CaptureStderr();
    auto second = Start({project});
    const QString told = QString::fromStdString(testing::internal::GetCapturedStderr());
    qputenv("XDG_DATA_HOME", saved);
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('\n').toStdString();
    EXPECT_EQ(told.count("umbrascope: "), 1) << told.toStdString();
    EXPECT_TRUE(told.contains("umbrascope: Не удалось связать файлы .usp")) << told.toStdString();
    EXPECT_TRUE(told.contains(blocked + "/mime/packages: Not a directory")) << told.toStdString();
    EXPECT_EQ(second->windowTitle(), " Umbrascope - a.usp");
}

TEST(Association, AnInstalledProgramLeavesTheUserFoldersAlone) {
    TestApplication();
    QTemporaryDir prefix;
    QDir().mkpath(prefix.filePath("bin"));
    QDir().mkpath(prefix.filePath("share/applications"));
    const QString program = prefix.filePath("bin/umbrascope");
    WriteBytes(program, "");
    WriteBytes(prefix.filePath("share/applications/umbrascope.desktop"), "[Desktop Entry]\n");
    const QString userEntry = TestHome() + "/data/applications/umbrascope.desktop";
    const QByteArray saved = qgetenv("XDG_DATA_DIRS");

    // An installation the desktop does not search, like a build folder: the user's entry.
    QFile::remove(userEntry);
    qputenv("XDG_DATA_DIRS", "/usr/share");
    EXPECT_FALSE(RegisterProjectAssociation(program));
    EXPECT_TRUE(QFile::exists(userEntry));

    QFile::remove(userEntry);
    qputenv("XDG_DATA_DIRS", (prefix.filePath("share") + ":/usr/share").toUtf8());
    EXPECT_FALSE(RegisterProjectAssociation(program));
    qputenv("XDG_DATA_DIRS", saved);
    EXPECT_FALSE(QFile::exists(userEntry));
}

TEST(Association, QuotesTheProgramPathForTheDesktopEntry) {
    const QString entry = ProgramDesktopEntry("/opt/my apps/umbra$cope\\x%y");
    EXPECT_TRUE(entry.contains("Exec=\"/opt/my apps/umbra\\\\$cope\\\\\\\\x%%y\" %f\n"));

    // A folder named with a line end would add a line of its choosing to the entry.
    QTemporaryDir data;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const auto refused = RegisterProjectAssociation("/tmp/x\nExec=sh -c evil\n/umbrascope");
    qputenv("XDG_DATA_HOME", saved);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->contains("управляющий символ")) << refused->toStdString();
    EXPECT_FALSE(QFileInfo::exists(data.filePath("applications/umbrascope.desktop")));
}

} // namespace

} // namespace umbrascope
