// umbrascope --snapshot, run as the built program on projects made with --import-json:
// the picture's size and pixels, the first phrase, errors, and no display at all.

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>
#include <fstream>

namespace umbrascope {

namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int status = -1;
    std::string errors;
};

class SnapshotCommandTest : public ::testing::Test {
protected:
    static QString Program() {
        return QString::fromLocal8Bit(qgetenv("UMBRASCOPE_BUILD_DIR")) + "/app/umbrascope";
    }

    static fs::path Temp(const std::string& name) { return TestFilePath(name); }

    static ProgramRun Umbrascope(const QStringList& arguments, bool withoutDisplay = false) {
        QProcess process;
        if (withoutDisplay) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.remove("QT_QPA_PLATFORM");
            environment.remove("DISPLAY");
            environment.remove("WAYLAND_DISPLAY");
            process.setProcessEnvironment(environment);
        }
        process.start(Program(), arguments);
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardError().toStdString()};
    }

    // A project whose start values are the defaults changed by the given JSON members.
    static QString Project(const std::string& name, const std::string& startValues) {
        const fs::path json = Temp(name + ".json"), project = Temp(name + ".usp");
        std::ofstream(json) << R"({"SessionName":"snapshot","SessionLength":300000,"StartValues":{)"
                            << startValues << R"(},"Events":[]})";
        const ProgramRun made = Umbrascope({"--import-json", QString::fromStdString(json.string()),
                                            QString::fromStdString(project.string())});
        EXPECT_EQ(made.status, 0) << made.errors;
        return QString::fromStdString(project.string());
    }

    static QImage Snapshot(const QString& project, const QStringList& options,
                           bool withoutDisplay = false) {
        const QString out = QString::fromStdString(Temp("snapshot.png").string());
        fs::remove(out.toStdString());
        const ProgramRun run =
            Umbrascope(QStringList{"--snapshot", project} + QStringList(options) + QStringList{out},
                       withoutDisplay);
        EXPECT_EQ(run.status, 0) << run.errors;
        return QImage(out);
    }
};

TEST_F(SnapshotCommandTest, SteadyFlickerFillsThePictureAndThePhraseStandsInItsCell) {
    const QString project =
        Project("flicker", R"("VideoType":0,"FlickerFreq":0,"FlickerColor":3368601,)"
                           R"("TextPosition":1,"TextColor":16777215,"OutlineEnabled":false)");
    const QImage plain = Snapshot(project, {"--at", "5000", "--size", "320x200"});
    ASSERT_EQ(plain.size(), QSize(320, 200));
    EXPECT_EQ(plain.pixel(0, 0), qRgb(0x99, 0x66, 0x33));
    EXPECT_EQ(plain.pixel(319, 199), qRgb(0x99, 0x66, 0x33));

    const QImage phrase =
        Snapshot(project, {"--at", "5000", "--size", "320x200", "--phrase", "Привет"});
    // Cell 1 at full width: the phrase covers the top rows, the bottom rows keep the ground.
    int top = 0, bottom = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x)
            if (phrase.pixel(x, y) != qRgb(0x99, 0x66, 0x33))
                (y < 150 ? top : bottom) += 1;
    EXPECT_GT(top, 500);
    EXPECT_EQ(bottom, 0);
}

TEST_F(SnapshotCommandTest, PatternsAtTheirTimes) {
    const QImage spiral =
        Snapshot(Project("spiral", R"("TextEnabled":false)"), {"--at", "0", "--size", "1024x768"});
    ASSERT_EQ(spiral.size(), QSize(1024, 768));
    EXPECT_EQ(spiral.pixel(512 + 114, 384), qRgb(255, 0, 0));
    EXPECT_EQ(spiral.pixel(512 + 171, 384), qRgb(0, 0, 255));

    const QString stripes = Project("stripes", R"("VideoType":2,"TextEnabled":false)");
    const QImage still = Snapshot(stripes, {"--at", "0", "--size", "400x300"});
    EXPECT_EQ(still.pixel(200, 40), qRgb(0, 0, 0x80));
    EXPECT_EQ(still.pixel(200, 20), qRgb(0xA6, 0xCA, 0xF0));
    const QImage moved = Snapshot(stripes, {"--at", "80", "--size", "400x300"}); // 20 pixels up
    EXPECT_EQ(moved.pixel(200, 20), qRgb(0, 0, 0x80));
    EXPECT_EQ(moved.pixel(200, 40), qRgb(0xA6, 0xCA, 0xF0));

    const QImage circles = Snapshot(Project("circles", R"("VideoType":3,"TextEnabled":false)"),
                                    {"--at", "125", "--size", "640x480"});
    EXPECT_EQ(circles.pixel(320 + 73, 240), qRgb(0x80, 0, 0)); // first ring at its widest
    EXPECT_EQ(circles.pixel(320, 240), qRgb(255, 255, 0));
}

TEST_F(SnapshotCommandTest, FirstLineOfThePhraseFileIsTheFirstPhrase) {
    const fs::path phrases = Temp("phrases.txt");
    std::ofstream(phrases, std::ios::binary) << "First\r\nSecond\r\n";
    const QString project = Project("phrasefile", R"("PhraseFile":")" + phrases.string() + R"(")");
    const QImage fromFile = Snapshot(project, {"--at", "0", "--size", "640x480"});
    const QImage given = Snapshot(project, {"--at", "0", "--size", "640x480", "--phrase", "First"});
    const QImage other =
        Snapshot(project, {"--at", "0", "--size", "640x480", "--phrase", "Second"});
    EXPECT_EQ(fromFile, given);
    EXPECT_NE(fromFile, other);
    // A blank phrase shows as the hashes a blank line of the file shows.
    EXPECT_EQ(Snapshot(project, {"--at", "0", "--size", "640x480", "--phrase", "   "}),
              Snapshot(project, {"--at", "0", "--size", "640x480", "--phrase", "#####"}));
}

TEST_F(SnapshotCommandTest, WorksWithoutAnyDisplay) {
    const QImage image = Snapshot(Project("nodisplay", ""),
                                  {"--at", "1000", "--size", "64x48", "--phrase", "x"}, true);
    EXPECT_EQ(image.size(), QSize(64, 48));
}

TEST_F(SnapshotCommandTest, WrongInputGivesAMessageAndStatusOne) {
    const QString project = Project("errors", "");
    const QString out = QString::fromStdString(Temp("never.png").string());
    const fs::path notProject = Temp("not-a-project.usp");
    std::ofstream(notProject) << "something else entirely";
    const std::vector<std::pair<QStringList, std::string>> cases = {
        {{QString::fromStdString(Temp("missing.usp").string()), "--at", "0", "--size", "64x48",
          out},
         "missing.usp"},
        {{QString::fromStdString(notProject.string()), "--at", "0", "--size", "64x48", out},
         "Неверный формат файла"},
        {{project, "--at", "0", "--size", "0x48", out}, "--size"},
        {{project, "--at", "0", "--size", "64by48", out}, "--size"},
        {{project, "--at", "0", "--size", "99999x48", out}, "--size"},
        {{project, "--at", "-5", "--size", "64x48", out}, "--at"},
        {{project, "--size", "64x48", out}, "usage"},
        {{project, "--at", "0", "--size", "64x48"}, "usage"},
        {{project, "--at", "0", "--size", "64x48", out, "--phrase"}, "--phrase"},
        {{project, "--at", "0", "--size", "64x48", "--phrase", "€漢", out}, "Windows-1251"},
        {{project, "--at", "0", "--size", "64x48",
          QString::fromStdString(Temp("no/such/folder/x.png").string())},
         "x.png"},
    };
    for (const auto& [arguments, message] : cases) {
        const ProgramRun run = Umbrascope(QStringList{"--snapshot"} + arguments);
        EXPECT_EQ(run.status, 1) << arguments.join(' ').toStdString();
        EXPECT_NE(run.errors.find(message), std::string::npos) << run.errors;
        EXPECT_FALSE(fs::exists(out.toStdString()));
    }
}

} // namespace

} // namespace umbrascope
