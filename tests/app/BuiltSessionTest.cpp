// A built session as a user meets it: built from a project whose media then go away and copied
// alone to another folder, it plays by itself, its generated track and its sound file sound
// with its phrases, --dump shows the project, and a damaged copy fails with a message, in a
// window too when started from the desktop. Building names every file that goes into it and
// leaves system files out; extracting holds a few descriptors however many media.

#include "model/BuiltSession.h"
#include "ProgramRun.h"
#include "QtTestSupport.h"
#include "app/cli/Cli.h"
#include "audio/device/MemoryAudioBackend.h"
#include "audio/tracks/PlayUtils.h"
#include "model/Cp1251.h"
#include "model/ProjectFile.h"
#include "model/Session.h"
#include "play/PlaybackController.h"
#include "tests/common/SanitizerBuild.h"
#include "tests/common/SoundServer.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <unistd.h>

namespace umbrascope {

namespace {

constexpr std::int16_t Level = 12345;

// 16-bit stereo at 22050 Hz holding one level throughout: any buffer of it shows it is there.
std::string LevelWav(int frames) {
    std::string bytes;
    const auto put = [&bytes](std::uint32_t value, int width) {
        for (int i = 0; i < width; ++i, value >>= 8)
            bytes += static_cast<char>(value & 0xFF);
    };
    const std::uint32_t data = static_cast<std::uint32_t>(frames) * 4;
    bytes += "RIFF";
    put(36 + data, 4);
    bytes += "WAVEfmt ";
    for (const auto& [value, width] :
         {std::pair{16u, 4}, {1u, 2}, {2u, 2}, {22050u, 4}, {88200u, 4}, {4u, 2}, {16u, 2}})
        put(value, width);
    bytes += "data";
    put(data, 4);
    for (int i = 0; i < frames * 2; ++i)
        put(static_cast<std::uint16_t>(Level), 2);
    return bytes;
}

QJsonObject Json(const ProgramRun& run) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

class BuiltSession : public ::testing::Test {
protected:
    // A generated tone from the start, a sound file added by an event and a phrase file, all
    // beside the project; the session is built, then the media go away.
    void SetUp() override {
        TestApplication();
        Session contents;
        contents.SessionLength = 2000;
        contents.StartValues.Waves = {".&04%440@0@50"};
        contents.StartValues.PhraseFile = ModelPath(media.Write("phrases.txt", "one\ntwo\n"));
        contents.Events = {{Cp1251Literal("Аудиосопровождение -> Добавить аудиотрек"), 100,
                            ModelPath(media.Write("level.wav", LevelWav(22050)))}};
        const auto project = media.Write("session.usp", ProjectBytes(contents));
        projectDump = Json(Umbrascope("--dump " + project.string(), media));
        const ProgramRun build = Umbrascope(
            "--build-session " + project.string() + " " + (media.Path() / "s.run").string(), media);
        ASSERT_EQ(build.status, 0) << build.err;
        std::filesystem::create_directory(elsewhere.Path() / "alone");
        built = elsewhere.Path() / "alone" / "s.run";
        std::filesystem::copy_file(media.Path() / "s.run", built);
        for (const char* name : {"phrases.txt", "level.wav", "session.usp", "s.run"})
            std::filesystem::remove(media.Path() / name);
    }

    ScratchFolder media;
    ScratchFolder elsewhere;
    QJsonObject projectDump;
    std::filesystem::path built;
};

TEST_F(BuiltSession, CopiedAloneItShowsItsProjectAndPlaysItsTracksAndPhrases) {
    // --dump shows the project, the bundled media under their own names.
    QJsonObject expected = projectDump;
    QJsonObject start = expected["StartValues"].toObject();
    start["PhraseFile"] = "phrases.txt";
    expected["StartValues"] = start;
    QJsonObject current = expected["CurrentValues"].toObject();
    current["PhraseFile"] = "phrases.txt";
    expected["CurrentValues"] = current;
    QJsonArray events = expected["Events"].toArray();
    QJsonObject added = events[0].toObject();
    added["EventValue"] = "level.wav";
    events[0] = added;
    expected["Events"] = events;
    const ProgramRun dumped = Umbrascope("--dump " + built.string(), elsewhere);
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    EXPECT_EQ(Json(dumped), expected);

    // Played here on the in-memory device: both tracks sound, phrases are read.
    MemoryAudioBackend backend;
    const ScopedAudioBackend scoped(backend);
    BuiltSessionLoad opened =
        LoadBuiltSession(built, ReadBundleIndex(built), BundledMedia::Unpacked);
    ASSERT_TRUE(opened.load.Opened()) << opened.load.message.Text();
    SessionDocument document;
    document.ReplaceSession(std::move(opened.load.session), std::move(opened.load.projectFileName));
    Transport transport;
    ASSERT_FALSE(transport.Rewind(document.Contents()));
    QTimer timer;
    timer.setInterval(50);
    PlaybackDisplay display;
    display.UpdateDisplay = display.RepaintTimeline = [] {};
    display.ShowPlaying = [](bool) {};
    display.Report = [](const UserText&) {};
    PlaybackController controller(document, transport, timer, nullptr, std::move(display));
    QObject::connect(&timer, &QTimer::timeout, [&controller] { controller.ControlTimerTimer(); });
    controller.PlayButtonClick(false);
    EXPECT_TRUE(controller.HasPhraseReader());
    const auto tone = backend.Stream(0, std::chrono::seconds(5));
    ASSERT_TRUE(tone);
    ASSERT_TRUE(WaitUntil([&] { return backend.StreamsOpened() == 2; }));
    const auto sound =
        backend.Stream(1, std::chrono::seconds(5))->ConsumeBuffer(std::chrono::seconds(5));
    ASSERT_TRUE(sound && !sound->empty());
    EXPECT_EQ((*sound)[0] * 32768, Level); // the device plays at the file's rate
    controller.StopButtonClick();
}

TEST_F(BuiltSession, StartedByItselfItPlaysToTheEndLeavingNothingBehind) {
    if (!SoundServerAnswers())
        GTEST_SKIP() << "no sound server (test.sh starts one)";
    std::filesystem::create_directory(elsewhere.Path() / "tmp");
    QElapsedTimer clock;
    clock.start();
    const auto leaks = elsewhere.Write("leaks.supp", LibraryLeaks);
    const ProgramRun played =
        RunCommand("cd " + built.parent_path().string() +
                       " && env -u DISPLAY TMPDIR=" + (elsewhere.Path() / "tmp").string() +
                       " LSAN_OPTIONS=suppressions=" + leaks.string() + " ./s.run --sound-only",
                   elsewhere);
    EXPECT_EQ(played.status, 0) << played.err;
    EXPECT_GE(clock.elapsed(), 1900);
    for (const auto& left : std::filesystem::directory_iterator(elsewhere.Path() / "tmp"))
        EXPECT_FALSE(left.path().filename().string().starts_with("umbrascope")) << left.path();
}

TEST_F(BuiltSession, ADamagedCopyFailsWithAMessage) {
    std::filesystem::resize_file(built, std::filesystem::file_size(built) - 10);
    const ProgramRun started = RunCommand("env -u DISPLAY " + built.string(), elsewhere);
    EXPECT_EQ(started.status, 1);
    EXPECT_NE(started.err.find("damaged"), std::string::npos) << started.err;
    const ProgramRun dumped = Umbrascope("--dump " + built.string(), elsewhere);
    EXPECT_EQ(dumped.status, 1);
    EXPECT_NE(dumped.err.find("damaged"), std::string::npos) << dumped.err;
}

// An environment variable as given (or unset) while it lives.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* previous = std::getenv(name))
            previous_ = previous;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable() {
        if (previous_)
            setenv(name_, previous_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

TEST_F(BuiltSession, StartedFromTheDesktopADamagedCopyTellsWhyInAWindow) {
    std::filesystem::resize_file(built, std::filesystem::file_size(built) - 10);
    DialogAnswer ok("OK");
    // As a file manager starts it: a display, and standard error read by nobody.
    const ScopedVariable display("DISPLAY", ":0");
    const ScopedVariable platform("QT_QPA_PLATFORM", nullptr);
    const int terminal = dup(STDERR_FILENO);
    const int nobody = open((elsewhere.Path() / "stderr.txt").c_str(), O_WRONLY | O_CREAT, 0600);
    dup2(nobody, STDERR_FILENO);
    const auto status = RunBuiltSessionIfBuilt({}, built);
    dup2(terminal, STDERR_FILENO);
    close(terminal);
    close(nobody);
    EXPECT_EQ(status, 1);
    ASSERT_TRUE(ok.Answered());
    EXPECT_TRUE(ok.question.contains("damaged")) << ok.question.toStdString();
}

TEST(BuildingASession, ListsEveryFileItBundlesAndLeavesSystemFilesOut) {
    ScratchFolder folder;
    const auto sound = folder.Write("level.wav", LevelWav(100));
    const auto environment = folder.Path() / "environment.txt";
    std::filesystem::create_symlink("/proc/self/environ", environment);
    const std::string project =
        MakeProject(folder, R"({"StartValues": {"PhraseFile": ")" + environment.string() +
                                R"(", "Waves": [")" + sound.string() + "\"]}}");
    const auto built = folder.Path() / "s.run";
    const ProgramRun build =
        Umbrascope("--build-session " + project + " " + built.string(), folder);
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_EQ(build.out, "bundled: " + sound.string() + "\n");
    EXPECT_NE(build.err.find("system, under /proc, /sys or /dev, is never bundled): " +
                             environment.string()),
              std::string::npos)
        << build.err;
    EXPECT_EQ(ReadBundleIndex(built).entries.size(), 2u) << "the project and the sound alone";
}

TEST(BuiltSessionCopies, ExtractingHoldsAFewDescriptorsHoweverManyMedia) {
    ScratchFolder folder;
    Session session;
    for (int i = 0; i < 200; ++i)
        session.StartValues.Waves.push_back(
            ModelPath(folder.Write(std::to_string(i) + ".wav", "RIFF")));
    const auto built = folder.Path() / "s.run";
    BuildSessionFile(session, "", folder.Write("program", "#!/bin/sh\n"), built);
    const auto back = folder.Path() / "back";
    std::filesystem::create_directory(back);
    const ProgramRun extracted =
        RunCommand("ulimit -n 64 && " + std::string(std::getenv("UMBRASCOPE_BUILD_DIR")) +
                       "/app/umbrascope --extract-project " + built.string() + " " +
                       (back / "back.usp").string(),
                   folder);
    EXPECT_EQ(extracted.status, 0) << extracted.err;
    EXPECT_TRUE(std::filesystem::exists(back / "199.wav"));
}

TEST(BuiltSessionCopies, AnInterruptionEndsThemAtOnceAndLeavesNothing) {
    // A large medium, so that every copy of it takes a while.
    ScratchFolder folder;
    const auto big = folder.Path() / "big.wav";
    std::ofstream(big).close();
    std::filesystem::resize_file(big, 200 << 20);
    const std::string project = MakeProject(
        folder, R"({"SessionLength": 60000, "StartValues": {"Waves": [")" + big.string() + "\"]}}");
    const auto built = folder.Path() / "s.run";
    ASSERT_EQ(Umbrascope("--build-session " + project + " " + built.string(), folder).status, 0);

    // While a built session's media are unpacked for an export.
    const auto temporary = folder.Path() / "tmp";
    std::filesystem::create_directory(temporary);
    const InterruptedRun unpacking = InterruptWhileWritingIn(
        {"--export-audio", built.string(), (folder.Path() / "out.wav").string()}, temporary,
        SIGTERM, {"TMPDIR=" + temporary.string()});
    EXPECT_EQ(unpacking.status, 1);
    EXPECT_TRUE(std::filesystem::is_empty(temporary));

    // While a session is built, or its project and media are taken back out.
    const auto again = folder.Path() / "again.run";
    const InterruptedRun building = InterruptWhileWritingIn(
        {"--build-session", project, again.string()}, folder.Path(), SIGINT);
    const auto back = folder.Path() / "back";
    std::filesystem::create_directory(back);
    const InterruptedRun extracting = InterruptWhileWritingIn(
        {"--extract-project", built.string(), (back / "back.usp").string()}, back, SIGINT);
    for (const InterruptedRun& run : {building, extracting}) {
        EXPECT_EQ(run.status, 1);
        EXPECT_LT(run.secondsAfterSignal, 0.5 * SanitizerSlowdown);
    }
    EXPECT_FALSE(std::filesystem::exists(again));
    EXPECT_FALSE(HasTemporaryOf(folder.Path(), "again.run"));
    EXPECT_TRUE(std::filesystem::is_empty(back));
}

} // namespace

} // namespace umbrascope
