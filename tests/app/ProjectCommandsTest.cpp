// New, Open, Save and Save As: files stay byte for byte what the session holds, and a failed
// save leaves the previous file as it was.

#include "QtTestSupport.h"
#include "ScriptedForm.h"
#include "TestProgram.h"
#include "app/gui/MainForm.h"
#include "model/Cp1251.h"
#include "model/ProjectFile.h"
#include "tests/model/TestFiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

#include <sys/file.h>

#include <memory>

namespace umbrascope {

namespace {

class ProjectCommands : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        form = std::make_unique<ScriptedForm>(QStringList{}, program.Services(messages));
        // The sample's track, found beside the project.
        WriteBytes(Path("loop.wav"), "");
    }

    // A project with texts in both alphabets, tracks and events, as another copy of the
    // program might have written it (CR LF in the description, a Windows path).
    std::string SampleBytes() {
        Session contents;
        contents.SessionName = Cp1251Literal("Вечерняя сессия");
        contents.SessionAuthor = "A. Author";
        contents.SessionDescription = Cp1251Literal("Строка 1\r\nСтрока 2");
        contents.SessionLength = 600000;
        contents.StartValues.Waves = {"C:\\Music\\loop.wav", ".&03@80"};
        contents.StartValues.VideoType = 3;
        contents.Events = {{Cp1251Literal("Видеосопровождение -> Тип"), 0, "2"},
                           {Cp1251Literal("Текстовые фразы -> Выключить"), 125000, ""}};
        return ProjectBytes(contents);
    }

    QString Path(const QString& name) { return folder.filePath(name); }

    QTemporaryDir folder;
    TestProgram program;
    MessageRecorder messages;
    std::unique_ptr<ScriptedForm> form;
};

TEST_F(ProjectCommands, OpenThenSaveAsWritesTheSameBytes) {
    WriteBytes(Path("in.usp"), SampleBytes());
    form->openAnswer = Path("in.usp");
    form->OpenMIClick();
    EXPECT_EQ(form->windowTitle(), " Umbrascope - in.usp");
    EXPECT_EQ(form->PlayTransport().SessionPosition, 0);
    EXPECT_EQ(form->WavesListBox->count(), 2);

    form->saveAnswer = Path("out.usp");
    form->SaveAsMIClick();
    EXPECT_EQ(ReadBytes(Path("out.usp")), SampleBytes());
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(ProjectCommands, ADamagedProjectOpensMarkedAndSaveOffersAnotherFile) {
    std::string cut = SampleBytes();
    cut.resize(cut.size() - 10);
    WriteBytes(Path("cut.usp"), cut);
    form->OpenProjectPath(Path("cut.usp"));
    EXPECT_EQ(form->WavesListBox->count(), 2);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains(Path("cut.usp") + "» обрывается в списке событий"))
        << messages.texts[0].toStdString();
    EXPECT_TRUE(form->windowTitle().contains("повреждён"));

    form->saveAnswer = Path("mended.usp");
    form->SaveMIClick();
    EXPECT_EQ(ReadBytes(Path("cut.usp")), cut);
    EXPECT_TRUE(QFileInfo::exists(Path("mended.usp")));
    EXPECT_EQ(form->windowTitle(), " Umbrascope - mended.usp");
}

TEST_F(ProjectCommands, MissingMediaAreMarkedAndListedInOneMessage) {
    Session contents;
    contents.StartValues.PhraseFile = "/nowhere/phrases.txt";
    contents.StartValues.Waves = {"/nowhere/gone.wav", ".&03@80", "C:\\Music\\loop.wav"};
    WriteBytes(Path("media.usp"), ProjectBytes(contents));
    form->OpenProjectPath(Path("media.usp"));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains("/nowhere/phrases.txt\n/nowhere/gone.wav"))
        << messages.texts[0].toStdString();
    EXPECT_EQ(form->WavesListBox->item(0)->text(), "gone.wav (файл не найден)");
    EXPECT_EQ(form->WavesListBox->item(2)->text(), "loop.wav");
    EXPECT_EQ(form->TextFileEdit->text(), "phrases.txt (файл не найден)");
}

TEST_F(ProjectCommands, SaveAsAdoptsTheNewFileForTheNextSave) {
    WriteBytes(Path("old.usp"), SampleBytes());
    form->OpenProjectPath(Path("old.usp"));
    form->SaveProjectAs(Path("new.usp"));
    EXPECT_EQ(form->windowTitle(), " Umbrascope - new.usp");
    EXPECT_EQ(Cp1251ToUtf8(form->Document().ProjectFileName), Path("new.usp").toStdString());

    form->Document().SessionName = "changed";
    form->SaveMIClick();
    EXPECT_EQ(ReadBytes(Path("old.usp")), SampleBytes());
    EXPECT_NE(ReadBytes(Path("new.usp")), SampleBytes());
    EXPECT_EQ(form->saveDialogs, 0);
}

TEST_F(ProjectCommands, SaveAsAppendsTheExtensionUnlessItIsThere) {
    form->SaveProjectAs(Path("session"));
    form->SaveProjectAs(Path("upper.USP"));
    form->SaveProjectAs(Path("a.txt"));
    EXPECT_TRUE(QFileInfo::exists(Path("session.usp")));
    EXPECT_TRUE(QFileInfo::exists(Path("upper.USP")));
    EXPECT_FALSE(QFileInfo::exists(Path("upper.USP.usp")));
    EXPECT_TRUE(QFileInfo::exists(Path("a.txt.usp")));
    EXPECT_EQ(form->windowTitle(), " Umbrascope - a.txt.usp");
}

TEST_F(ProjectCommands, SaveOfANewProjectAsksForAName) {
    form->NewMIClick();
    form->saveAnswer = Path("fresh");
    form->SaveMIClick();
    EXPECT_EQ(form->saveDialogs, 1);
    EXPECT_EQ(ReadBytes(Path("fresh.usp")), ProjectBytes(form->Document().Contents()));

    form->saveAnswer.reset(); // cancelled: nothing written, nothing said
    form->NewMIClick();
    form->SaveMIClick();
    EXPECT_EQ(form->saveDialogs, 2);
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(ProjectCommands, AFailedSaveShowsTheSystemMessageAndKeepsTheOldFile) {
    // The disk takes no more than a few bytes (full, or a quota), after the old file exists.
    const QString name = QString(246, u'x') + ".usp";
    WriteBytes(Path(name), SampleBytes());
    form->OpenProjectPath(Path(name));
    form->Document().SessionName = "changed";
    {
        const FileSizeLimit full(16);
        form->SaveMIClick();
    }
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains("File too large")) << messages.texts[0].toStdString();
    EXPECT_EQ(ReadBytes(Path(name)), SampleBytes());

    messages.texts.clear();
    form->SaveProjectAs(Path("missing-folder/x.usp"));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains("No such file or directory"));
    EXPECT_EQ(form->windowTitle(), QString(" Umbrascope - ") + name);
}

TEST_F(ProjectCommands, ASaveWaitingForAnotherProgramsLockShowsItAndCancelEndsIt) {
    WriteBytes(Path("locked.usp"), SampleBytes());
    form->OpenProjectPath(Path("locked.usp"));
    form->Document().SessionName = "changed";
    // Any user who may read the file can hold this lock, and need never let go.
    QFile reader(Path("locked.usp"));
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    ASSERT_EQ(flock(reader.handle(), LOCK_SH), 0);
    bool shown = false;
    // The window goes on handling its events meanwhile, this timer's among them.
    QTimer::singleShot(1000, form.get(), [&] {
        auto* wait = form->findChild<QProgressDialog*>(QStringLiteral("SaveLockWait"));
        shown = wait && wait->isVisible() && wait->isModal();
        if (wait)
            wait->cancel();
    });
    form->SaveMIClick();
    EXPECT_TRUE(shown);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains("another program holds this file locked"))
        << messages.texts[0].toStdString();
    EXPECT_EQ(ReadBytes(Path("locked.usp")), SampleBytes());
}

TEST_F(ProjectCommands, NothingIsWrittenOverTheSessionsOwnFiles) {
    WriteBytes(Path("in.usp"), SampleBytes());
    form->OpenProjectPath(Path("in.usp")); // its track is loop.wav, found beside it
    messages.texts.clear();
    ASSERT_TRUE(QFile::link(Path("loop.wav"), Path("link.usp")));
    ASSERT_TRUE(QFile::link(Path("loop.wav"), Path("link.run")));
    form->ExportSoundTo(Path("loop.wav"));
    form->ExportVideoTo(Path("in.usp"), QSize(64, 48), 10);
    form->BuildSessionAs(Path("link.run"));
    EXPECT_FALSE(form->SaveProjectAs(Path("link.usp")));
    ASSERT_EQ(messages.texts.size(), 4) << messages.texts.join('\n').toStdString();
    for (const QString& text : messages.texts)
        EXPECT_TRUE(text.contains("Ничего не записано")) << text.toStdString();
    EXPECT_TRUE(messages.texts[0].contains(Path("loop.wav")));
    EXPECT_TRUE(messages.texts[1].contains("это файл самого проекта"));
    EXPECT_EQ(ReadBytes(Path("loop.wav")), "");
    EXPECT_EQ(ReadBytes(Path("in.usp")), SampleBytes());
    EXPECT_EQ(form->windowTitle(), " Umbrascope - in.usp");
}

TEST_F(ProjectCommands, OpenFailuresLeaveANewProject) {
    WriteBytes(Path("good.usp"), SampleBytes());
    form->OpenProjectPath(Path("good.usp"));

    form->OpenProjectPath(Path("absent.usp")); // nothing there: nothing happens
    EXPECT_EQ(form->windowTitle(), " Umbrascope - good.usp");
    EXPECT_TRUE(messages.texts.isEmpty());

    WriteBytes(Path("bad.usp"), "not a project");
    form->OpenProjectPath(Path("bad.usp"));
    EXPECT_EQ(messages.texts, QStringList({"Неверный формат файла: " + Path("bad.usp")}));
    EXPECT_EQ(form->windowTitle(), " Umbrascope - Новый проект");
    EXPECT_TRUE(form->Document().ProjectFileName.empty());
    EXPECT_TRUE(form->Document().Events.empty());

    messages.texts.clear();
    QDir(folder.path()).mkdir("folder.usp");
    form->OpenProjectPath(Path("folder.usp"));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith(Path("folder.usp")));
}

TEST_F(ProjectCommands, PathsThatWindows1251CannotHoldAreRefused) {
    form->SaveProjectAs(Path("сессия-文件.usp"));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains("Windows-1251"));
    EXPECT_FALSE(QFileInfo::exists(Path("сессия-文件.usp")));

    // Cyrillic names are fine.
    form->SaveProjectAs(Path("сессия.usp"));
    EXPECT_EQ(ReadBytes(Path("сессия.usp")), ProjectBytes(form->Document().Contents()));
    EXPECT_EQ(form->windowTitle(), " Umbrascope - сессия.usp");
}

TEST_F(ProjectCommands, NewDiscardsTheSession) {
    WriteBytes(Path("in.usp"), SampleBytes());
    form->OpenProjectPath(Path("in.usp"));
    form->PlayTransport().SessionPosition = 5000;
    form->NewMIClick();
    EXPECT_EQ(form->windowTitle(), " Umbrascope - Новый проект");
    EXPECT_TRUE(form->Document().Events.empty());
    EXPECT_EQ(form->PlayTransport().SessionPosition, 0);
    EXPECT_EQ(form->Document().SessionLength, DefaultSessionLength);
    EXPECT_EQ(form->WavesListBox->count(), 0);
}

} // namespace

} // namespace umbrascope
