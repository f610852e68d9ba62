// umbrascope --play: plays without the editing window and ends by itself at the session's
// end, or cleanly on SIGTERM and SIGINT; bad arguments and files are refused.

#include "QtTestSupport.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <csignal>

namespace {

class PlayCommand : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        Session contents;
        contents.SessionLength = 300000;
        contents.StartValues.Waves = {".&04%440@0@50"};
        project = folder.filePath("tone.usp");
        WriteBytes(project, ProjectBytes(contents));
    }

    // Starts the program with an environment of no display and no sound server.
    void Start(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.insert(QStringLiteral("HOME"), TestHome());
        const QString leaks = TestHome() + "/leaks.supp";
        WriteBytes(leaks, LibraryLeaks);
        environment.insert(QStringLiteral("LSAN_OPTIONS"), "suppressions=" + leaks);
        program.setProcessEnvironment(environment);
        program.start(qEnvironmentVariable("UMBRASCOPE_BUILD_DIR") + "/app/umbrascope", arguments);
        ASSERT_TRUE(program.waitForStarted(5000));
        clock.start();
    }

    QTemporaryDir folder;
    QString project;
    QProcess program;
    QElapsedTimer clock;
};

TEST_F(PlayCommand, SoundOnlyEndsWithTheSession) {
    Start({"--play", project, "--from", "299000", "--sound-only"});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_GE(clock.elapsed(), 900);
}

TEST_F(PlayCommand, StopsCleanlyOnTerminationSignals) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        Start({"--play", project, "--sound-only"});
        QTest::qWait(700);
        ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), signal), 0);
        ASSERT_TRUE(program.waitForFinished(10000)) << signal;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(program.exitCode(), 0) << signal;
    }
}

TEST_F(PlayCommand, RefusesBadArgumentsAndFiles) {
    const QString notProject = folder.filePath("bad.usp");
    WriteBytes(notProject, "not a project");
    const QList<QStringList> refused = {{"--play"},
                                        {"--play", project, "--from", "soon"},
                                        {"--play", project, "--loud"},
                                        {"--play", folder.filePath("absent.usp"), "--sound-only"},
                                        {"--play", notProject, "--sound-only"}};
    for (const QStringList& arguments : refused) {
        Start(arguments);
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitCode(), 1) << arguments.join(' ').toStdString();
    }
    EXPECT_TRUE(program.readAllStandardError().contains("Неверный формат файла"));
}

} // namespace
