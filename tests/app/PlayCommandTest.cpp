// umbrascope --play: plays without the editing window and ends by itself at the session's
// end, or cleanly on SIGTERM and SIGINT; bad arguments and files are refused.

#include "QtTestSupport.h"
#include "model/Cp1251.h"
#include "model/ProjectFile.h"
#include "tests/common/SanitizerBuild.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <csignal>

namespace umbrascope {

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

    // Starts the program with an environment of no display, playing its sound into SDL2's
    // silent dummy device unless the test names a sound server.
    void Start(const QStringList& arguments, const QString& pulseServer = QString()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        if (pulseServer.isEmpty()) {
            environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        } else {
            environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("pulseaudio"));
            environment.insert(QStringLiteral("PULSE_SERVER"), pulseServer);
        }
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
    ASSERT_TRUE(program.waitForFinished(20000 * SanitizerSlowdown));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_FALSE(program.readAllStandardError().contains("эпилепс")); // no picture, no warning
}

TEST_F(PlayCommand, ThePictureIsPlayedAfterTheWarningOnStandardError) {
    Start({"--play", project, "--from", "299500"}); // the tests' screen is an offscreen one
    ASSERT_TRUE(program.waitForFinished(20000 * SanitizerSlowdown));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(program.readAllStandardError()).count("эпилептический припадок"),
              1);
}

TEST_F(PlayCommand, StopsCleanlyOnTerminationSignals) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        Start({"--play", project, "--sound-only"});
        QTest::qWait(700);
        ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), signal), 0);
        ASSERT_TRUE(program.waitForFinished(10000 * SanitizerSlowdown)) << signal;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(program.exitCode(), 0) << signal;
    }
}

TEST_F(PlayCommand, WithoutASoundDeviceTellsSoOnStandardErrorAndEndsWithStatusOne) {
    // A file track says so on standard error (a box would wait unseen); a tone track ends
    // silently, but a play in which no track could be heard is a failure.
    std::string wav = "RIFF";
    const auto put32 = [&wav](std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            wav += static_cast<char>(value >> (8 * i) & 0xFF);
    };
    put32(36 + 4000);
    wav += "WAVEfmt ";
    put32(16);
    put32(1 | 1 << 16); // PCM, mono
    put32(22050);
    put32(44100);
    put32(2 | 16 << 16); // two bytes a frame, 16 bits
    wav += "data";
    put32(4000);
    wav += std::string(4000, '\0');
    const QString wavPath = folder.filePath("quiet.wav");
    WriteBytes(wavPath, wav);
    Session contents;
    contents.SessionLength = 300000;
    contents.StartValues.Waves = {".&04%440@0@50", wavPath.toStdString()};
    WriteBytes(project, ProjectBytes(contents));

    Start({"--play", project, "--from", "299000", "--sound-only"},
          QStringLiteral("unix:/nonexistent/umbrascope/native"));
    ASSERT_TRUE(program.waitForFinished(20000 * SanitizerSlowdown));
    EXPECT_EQ(program.exitCode(), 1);
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    EXPECT_TRUE(errors.contains(QStringLiteral("Ошибка аудиоустройства"))) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("no track could open the sound device")));
}

TEST_F(PlayCommand, TheFrameLogHasALineForEveryFrameShownAndItsSummaryCountsThem) {
    const QString log = folder.filePath("frames.csv");
    Start({"--play", project, "--from", "299000", "--frame-log", log});
    ASSERT_TRUE(program.waitForFinished(20000 * SanitizerSlowdown));
    EXPECT_EQ(program.exitCode(), 0);
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 10); // a second of frames
    EXPECT_EQ(lines.front(), QStringLiteral("session_time_ms,shown_at_ms,interval_ms,late"));
    EXPECT_GE(lines[1].split(',').front().toInt(), 299000);
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    EXPECT_TRUE(errors.contains(QStringLiteral("%1 frames shown;").arg(lines.size() - 1)))
        << errors.toStdString();
}

TEST_F(PlayCommand, NamesTheTracksItCannotFindAsTheExportDoes) {
    Session contents;
    contents.SessionLength = 300000;
    contents.StartValues.Waves = {".&04%440@0@50", "/nowhere/rain.wav"};
    contents.StartValues.PhraseFile = "/nowhere/phrases.txt";
    contents.Events = {
        {Cp1251Literal("Аудиосопровождение -> Добавить аудиотрек"), 299600, "/nowhere/rain.wav"}};
    WriteBytes(project, ProjectBytes(contents));
    Start({"--play", project, "--from", "299500", "--sound-only"});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitCode(), 0);
    // Every missing file once, the phrase file too, as play starts.
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    EXPECT_EQ(errors.count(QStringLiteral("/nowhere/rain.wav (not found)")), 1)
        << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("/nowhere/phrases.txt (not found)")));
}

TEST_F(PlayCommand, RefusesBadArgumentsAndFiles) {
    const QString notProject = folder.filePath("bad.usp");
    WriteBytes(notProject, "not a project");
    const QString log = folder.filePath("frames.csv");
    const QList<QStringList> refused = {
        {"--play"},
        {"--play", project, "--from", "soon"},
        {"--play", project, "--loud"},
        {"--play", project, "--screen", "0"},
        {"--play", project, "--screen", "2"}, // the tests' offscreen platform has one screen
        {"--play", project, "--frame-log", folder.filePath("no folder/frames.csv")},
        {"--play", project, "--frame-log", project},
        {"--play", project, "--sound-only", "--frame-log", log},
        {"--play", folder.filePath("absent.usp"), "--sound-only"},
        {"--play", notProject, "--sound-only"}};
    QString errors;
    for (const QStringList& arguments : refused) {
        Start(arguments);
        ASSERT_TRUE(program.waitForFinished(10000 * SanitizerSlowdown));
        EXPECT_EQ(program.exitCode(), 1) << arguments.join(' ').toStdString();
        errors += QString::fromUtf8(program.readAllStandardError());
    }
    EXPECT_TRUE(errors.contains("there is no screen 2; the screens are 1 ("));
    EXPECT_TRUE(errors.contains("Неверный формат файла"));
    EXPECT_FALSE(QFileInfo::exists(log));
}

} // namespace

} // namespace umbrascope
