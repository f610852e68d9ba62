// The window ends as it closes on SIGTERM and SIGHUP: an export in progress is cancelled first,
// and an unsaved session is kept and offered again at the next start.

#include "ProgramRun.h"
#include "QtTestSupport.h"
#include "TestProgram.h"
#include "app/gui/MainForm.h"
#include "app/gui/RecoveryCopy.h"
#include "model/ProjectFile.h"
#include "tests/model/TestFiles.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <csignal>
#include <memory>
#include <sys/wait.h>

namespace umbrascope {

namespace {

TEST(SignalEnd, TheProgramEndsCleanlyOnSIGTERMAndSIGHUP) {
    TestApplication();
    ScratchFolder folder;
    const auto project = folder.Write("p.usp", ProjectBytes(Session{}));
    for (const int signal : {SIGTERM, SIGHUP}) {
        // A data folder of its own, whose desktop entry tells that the window has started.
        const QString data =
            QString::fromStdString((folder.Path() / "data").string()) + QString::number(signal);
        const QString leaks = TestHome() + "/leaks.supp";
        WriteBytes(leaks, LibraryLeaks);
        const pid_t program = StartProgram(
            {project.string()}, {"XDG_DATA_HOME=" + data.toStdString(), "SDL_AUDIODRIVER=dummy",
                                 "LSAN_OPTIONS=suppressions=" + leaks.toStdString()});
        ASSERT_GT(program, 0);
        const bool started = WaitUntil(
            [&] { return QFile::exists(data + "/applications/umbrascope.desktop"); }, 20000);
        kill(program, started ? signal : SIGKILL);
        int status = 0;
        const bool ended =
            WaitUntil([&] { return waitpid(program, &status, WNOHANG) == program; }, 20000);
        if (!ended) {
            kill(program, SIGKILL);
            waitpid(program, &status, 0);
        }
        ASSERT_TRUE(started);
        EXPECT_TRUE(ended) << signal;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << signal << " " << status;
    }
    EXPECT_FALSE(FindRecoveryCopy()) << "nothing unsaved, nothing kept";
}

TEST(SignalEnd, AnExportIsCancelledAndTheUnsavedSessionOfferedAtTheNextStart) {
    TestApplication();
    TestProgram program;
    MessageRecorder messages;
    ScratchFolder folder;
    Session contents;
    contents.SessionLength = 3600000;
    contents.StartValues.Waves = {".&04%440@0@50"};
    const auto project = folder.Write("p.usp", ProjectBytes(contents));
    const QString projectPath = QString::fromStdString(project.string());
    auto form = std::make_unique<TMainForm>(QStringList{projectPath}, program.Services(messages));
    form->RunEditingCommand(UserText::Verbatim("edit"),
                            [&] { form->Document().SessionName = "changed"; });
    bool ended = false;
    QObject::connect(form.get(), &TMainForm::Ended, [&] { ended = true; });

    // The signal comes while the export waits in its own event loop: the end waits for it.
    QTimer::singleShot(300, form.get(), [&] { form->EndOnSignal(); });
    form->ExportSoundTo(QString::fromStdString((folder.Path() / "long.wav").string()));
    EXPECT_FALSE(ended);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "only the project is there: the export was cancelled and left nothing";
    ASSERT_TRUE(WaitUntil([&] { return ended; }));
    EXPECT_EQ(ReadWholeFile(project), ProjectBytes(contents)) << "the project file is untouched";
    form.reset();

    {
        DialogAnswer open("Да");
        form = std::make_unique<TMainForm>(QStringList{}, program.Services(messages));
        EXPECT_TRUE(open.Answered());
    }
    EXPECT_EQ(form->Document().SessionName, "changed");
    EXPECT_EQ(form->Document().ProjectFileName, ModelPath(project));
    EXPECT_TRUE(form->Document().History().Modified()) << "still to be saved";
    EXPECT_FALSE(FindRecoveryCopy()) << "offered once";
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('\n').toStdString();
}

} // namespace

} // namespace umbrascope
