// The command line as scripts use it: the program is run as a separate process.

#include "ProgramRun.h"
#include "app/cli/Usage.h"
#include "model/ProjectFile.h"
#include "model/Session.h"
#include "tests/common/SanitizerBuild.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sstream>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>

namespace umbrascope {

namespace {

QJsonObject Parse(const std::string& json) {
    const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(json));
    EXPECT_TRUE(document.isObject()) << json;
    return document.object();
}

const char* const SessionJson = R"({
  "SessionName": "Вечер",
  "SessionAuthor": "A. Author",
  "SessionDescription": "one\r\ntwo",
  "SessionLength": 600000,
  "StartValues": {
    "TextPosition": 12,
    "TextColor": 16777215,
    "SpiralSpeed": 65535,
    "AudioEnabled": false,
    "Waves": [".&01%8@260@100", "C:\\Звуки\\дождь.mp3"]
  },
  "Events": [
    {"EventType": "Видеосопровождение -> Тип", "EventTime": 1000, "EventValue": "3"},
    {"EventType": "Аудиосопровождение -> Добавить аудиотрек", "EventTime": 2000,
     "EventValue": ".&03%0@50"},
    {"EventType": "Аудиосопровождение -> Громкость", "EventTime": 3000, "EventValue": "loud"}
  ],
  "CurrentValues": {"ignored": true},
  "Error": "ignored"
})";

} // namespace

TEST(CommandLine, ImportedJsonDumpsAsTheSameSession) {
    ScratchFolder folder;
    folder.Write("in.json", SessionJson);
    const auto out = folder.Path() / "out.usp";
    const ProgramRun imported = Umbrascope(
        "--import-json " + (folder.Path() / "in.json").string() + " " + out.string(), folder);
    ASSERT_EQ(imported.status, 0) << imported.err;

    const ProgramRun dumped = Umbrascope("--dump " + out.string() + " --at 2500", folder);
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    const QJsonObject session = Parse(dumped.out);
    EXPECT_EQ(session["SessionName"].toString(), QString::fromUtf8("Вечер"));
    EXPECT_EQ(session["SessionDescription"].toString(), "one\r\ntwo");
    EXPECT_EQ(session["SessionLength"].toInt(), 600000);
    const QJsonObject start = session["StartValues"].toObject();
    EXPECT_EQ(start.size(), 33);
    EXPECT_EQ(start["TextPosition"].toInt(), 12);
    EXPECT_EQ(start["SpiralSpeed"].toInt(), 65535);
    EXPECT_EQ(start["FontName"].toString(), "Arial") << "absent fields keep their defaults";
    EXPECT_EQ(start["AudioEnabled"].toBool(true), false);
    EXPECT_EQ(start["Waves"].toArray()[1].toString(), QString::fromUtf8("C:\\Звуки\\дождь.mp3"));
    EXPECT_EQ(session["Events"].toArray().size(), 3);
    const QJsonObject current = session["CurrentValues"].toObject();
    EXPECT_EQ(current["VideoType"].toInt(), 3);
    const QJsonArray waves = current["Waves"].toArray();
    ASSERT_EQ(waves.size(), 3);
    EXPECT_EQ(waves[2].toObject()["Track"].toString(), ".&03%0@50");
    EXPECT_EQ(waves[2].toObject()["AddTime"].toInt(), 2000);
    EXPECT_TRUE(session["Error"].isNull());

    const ProgramRun failed = Umbrascope("--dump " + out.string() + " --at 3001", folder);
    EXPECT_EQ(Parse(failed.out)["Error"].toString(), "'loud' is not a valid integer value");

    // Writing the dump back gives the very same file.
    folder.Write("again.json", dumped.out);
    const auto again = folder.Path() / "again.usp";
    ASSERT_EQ(Umbrascope("--import-json " + (folder.Path() / "again.json").string() + " " +
                             again.string(),
                         folder)
                  .status,
              0);
    EXPECT_EQ(ReadWholeFile(again), ReadWholeFile(out));
}

TEST(CommandLine, ValuesThatDoNotFitAreRefusedNamingTheFieldAndNothingIsWritten) {
    ScratchFolder folder;
    const auto out = folder.Path() / "out.usp";
    const std::pair<const char*, const char*> cases[] = {
        {R"({"StartValues": {"TextPosition": 300}})", "StartValues.TextPosition"},
        {R"({"StartValues": {"TextEnabled": 1}})", "StartValues.TextEnabled"},
        {R"({"SessionLength": 2.5})", "SessionLength"},
        {R"({"SessionName": "Ω"})", "SessionName"},
        {R"({"SessionAuthor": "\ud800"})", "SessionAuthor"},
        {R"({"SessionDescription": "a\u0000b"})", "SessionDescription"},
        {R"({"Events": [{"EventType": "x", "EventTime": 0, "EventValue": "\u0001"}]})",
         "Events[0].EventValue"},
        {R"({"StartValues": {"Waves": ["ok", 5]}})", "StartValues.Waves[1]"},
        {R"({"Events": [{"EventType": "x"}]})", "Events[0].EventTime"},
        {R"({"Events": [{"EventType": "x", "EventTime": -3000000000}]})", "Events[0].EventTime"},
        {R"({"StartValues": {"TextColour": 5}})", "StartValues.TextColour"},
        {R"({"Sessionname": "typo"})", "Sessionname"},
        {R"([1, 2])", "one object"},
        {R"({"SessionName": )", "not valid JSON"},
    };
    for (const auto& [json, named] : cases) {
        folder.Write("in.json", json);
        const ProgramRun run = Umbrascope(
            "--import-json " + (folder.Path() / "in.json").string() + " " + out.string(), folder);
        EXPECT_EQ(run.status, 1) << json;
        EXPECT_NE(run.err.find(named), std::string::npos) << json << " -> " << run.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << json;
    }
}

TEST(CommandLine, ImportReadsABoundedTextAndEchoesNamesShort) {
    ScratchFolder folder;
    const auto out = folder.Path() / "out.usp";
    const ProgramRun endless = Umbrascope("--import-json /dev/zero " + out.string(), folder);
    EXPECT_EQ(endless.status, 1);
    EXPECT_NE(endless.err.find("256 MB"), std::string::npos) << endless.err;

    folder.Write("in.json", "{\"" + std::string(1 << 20, 'k') + "\": 1}");
    const ProgramRun unknown = Umbrascope(
        "--import-json " + (folder.Path() / "in.json").string() + " " + out.string(), folder);
    EXPECT_EQ(unknown.status, 1);
    EXPECT_LT(unknown.err.size(), 400u) << unknown.err.substr(0, 400);
    EXPECT_NE(unknown.err.find("1048576 characters"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(CommandLine, AnOutputThatIsTheInputIsRefused) {
    ScratchFolder folder;
    const std::string project = MakeProject(folder, R"({"SessionLength": 1000})");
    const auto hardLink = folder.Path() / "hard.usp";
    std::filesystem::create_hard_link(project, hardLink);
    const auto link = folder.Path() / "link.usp";
    std::filesystem::create_symlink(project, link);
    ASSERT_EQ(
        Umbrascope("--build-session " + project + " " + (folder.Path() / "s.run").string(), folder)
            .status,
        0);
    const std::string built = (folder.Path() / "s.run").string();
    const std::string projectBytes = ReadWholeFile(project);
    const std::string builtBytes = ReadWholeFile(built);
    const std::string cases[] = {
        "--export-audio " + project + " " + project,
        "--export-video " + project + " " + hardLink.string(),
        "--snapshot " + project + " --at 0 --size 8x8 " + link.string(),
        "--build-session " + project + " " + hardLink.string(),
        "--extract-project " + built + " " + built,
    };
    for (const auto& arguments : cases) {
        const ProgramRun run = Umbrascope(arguments, folder);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_NE(run.err.find("input file"), std::string::npos) << arguments << ": " << run.err;
    }
    EXPECT_EQ(ReadWholeFile(project), projectBytes);
    EXPECT_EQ(ReadWholeFile(built), builtBytes);
}

TEST(CommandLine, AnOutputThatIsOneOfTheSessionsOwnFilesIsRefused) {
    ScratchFolder folder;
    folder.Write("music.wav", "track");
    folder.Write("phrases.png", "phrases");
    folder.Write("clip.mp4", "clip");
    const std::string json = R"({"SessionLength": 1000, "StartValues": {"PhraseFile":
        "phrases.png", "Waves": ["music.wav", "clip.mp4", ")" +
                             (folder.Path() / "gone.wav").string() + R"("]}})";
    const std::string project = MakeProject(folder, json);
    const std::string built = (folder.Path() / "s.run").string();
    ASSERT_EQ(Umbrascope("--build-session " + project + " " + built, folder).status, 0);
    folder.Write("gone.wav", "came back after the build");
    const auto path = [&](const char* name) { return (folder.Path() / name).string(); };
    std::filesystem::create_hard_link(path("music.wav"), path("hard.wav"));
    std::filesystem::create_symlink(path("phrases.png"), path("link.png"));
    const std::string cases[] = {
        "--export-audio " + project + " " + path("hard.wav"),
        "--export-video " + project + " " + path("clip.mp4"),
        "--snapshot " + project + " --at 0 --size 8x8 " + path("link.png"),
        "--build-session " + project + " " + path("phrases.png"),
        "--import-json " + path("p.json") + " " + path("music.wav"),
        "--play " + project + " --frame-log " + path("music.wav"),
        "--extract-project " + built + " " + path("gone.wav"),
    };
    for (const std::string& arguments : cases) {
        const ProgramRun run = Umbrascope(arguments, folder);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_NE(run.err.find("which the session plays or shows; nothing was written"),
                  std::string::npos)
            << arguments << ": " << run.err;
    }
    EXPECT_EQ(ReadWholeFile(path("music.wav")), "track");
    EXPECT_EQ(ReadWholeFile(path("phrases.png")), "phrases");
    EXPECT_EQ(ReadWholeFile(path("clip.mp4")), "clip");
    EXPECT_EQ(ReadWholeFile(path("gone.wav")), "came back after the build");
}

TEST(CommandLine, NamesFromAProjectCannotActOnTheTerminal) {
    ScratchFolder folder;
    folder.Write("\x1b]0;owned\x07.wav", "not a WAV file");
    const std::string project = MakeProject(
        folder, R"({"SessionLength": 1000, "StartValues": {"PhraseFile": "\u001b[2J.txt",
                   "Waves": ["\u001b]0;owned\u0007.wav", "/gone/\u001b[31m.wav"]}})");
    for (const std::string& arguments :
         {"--export-audio " + project + " " + (folder.Path() / "out.wav").string(),
          "--build-session " + project + " " + (folder.Path() / "out.run").string()}) {
        const ProgramRun run = Umbrascope(arguments, folder);
        EXPECT_EQ(run.err.find_first_of("\x1b\x07"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("/gone/\\x1B[31m.wav"), std::string::npos) << run.err;
    }
}

TEST(CommandLine, DumpRefusesWrongFilesWithTheirMessages) {
    ScratchFolder folder;
    const auto wrong = folder.Write("wrong.usp", "USP 4.0 ........");
    ProgramRun run = Umbrascope("--dump " + wrong.string(), folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Неверный формат файла"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());

    run = Umbrascope("--dump " + (folder.Path() / "missing.usp").string(), folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("No such file"), std::string::npos) << run.err;

    const auto empty = folder.Write("magic.usp", "USP 4.1 ");
    EXPECT_EQ(Umbrascope("--dump " + empty.string() + " --at -5", folder).status, 1);
    EXPECT_EQ(Umbrascope("--dump " + empty.string() + " --at x", folder).status, 1);
    // A file that ends too early is dumped as far as it goes, with a warning beside the JSON.
    run = Umbrascope("--dump " + empty.string(), folder);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("magic.usp» обрывается в заголовке"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.starts_with("{")) << run.out;
    EXPECT_EQ(Umbrascope("--no-such-option", folder).status, 2);
    const std::string version = Umbrascope("--version", folder).out;
    EXPECT_TRUE(version.starts_with("Umbrascope 4.1\nLicense GPLv3+: GNU GPL version 3 or later"))
        << version;
}

TEST(CommandLine, HelpFitsAnEightyColumnTerminal) {
    std::istringstream lines(UsageText());
    for (std::string line; std::getline(lines, line);)
        EXPECT_LE(line.size(), 80u) << line;
}

TEST(CommandLine, WithoutADisplayTheWindowsAreRefusedWithAMessage) {
    ScratchFolder folder;
    const auto project = folder.Write("magic.usp", "USP 4.1 ");
    const std::string program =
        std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") +
        std::getenv("UMBRASCOPE_BUILD_DIR") + "/app/umbrascope";
    const auto err = folder.Path() / "err.txt";
    EXPECT_EQ(std::system((program + " 2>" + err.string()).c_str()), 1 << 8);
    EXPECT_NE(ReadWholeFile(err).find("no display"), std::string::npos);
    EXPECT_EQ(std::system((program + " --play " + project.string() + " 2>" + err.string()).c_str()),
              1 << 8);
    EXPECT_NE(ReadWholeFile(err).find("--sound-only"), std::string::npos);
}

TEST(CommandLine, AnOutputAnotherProgramHoldsLockedIsWaitedForUntilInterrupted) {
    ScratchFolder folder;
    const auto json = folder.Write("in.json", R"({"SessionName": "new"})");
    const auto output = folder.Write("out.usp", "previous");
    // Any user who may read the file can hold this lock, and need never let go.
    const int reader = open(output.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(reader, LOCK_SH), 0);
    const auto errPath = folder.Path() / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::string program = std::string(std::getenv("UMBRASCOPE_BUILD_DIR")) + "/app/umbrascope";
    std::string command = "--import-json", in = json.string(), out = output.string();
    char* argv[] = {program.data(), command.data(), in.data(), out.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    const auto started = std::chrono::steady_clock::now();
    const auto said = [&errPath] {
        return ReadWholeFile(errPath).find("another program holds this file locked") !=
               std::string::npos;
    };
    while (!said() && std::chrono::steady_clock::now() - started < std::chrono::seconds(5))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_LT(std::chrono::steady_clock::now() - started,
              std::chrono::milliseconds(1500) * SanitizerSlowdown)
        << "the wait is told within a second: " << ReadWholeFile(errPath);
    kill(pid, SIGINT);
    const auto interrupted = std::chrono::steady_clock::now();
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - interrupted,
              std::chrono::milliseconds(500) * SanitizerSlowdown);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_NE(ReadWholeFile(errPath).find("up to 60 s"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(output), "previous");
    close(reader);
}

} // namespace umbrascope
