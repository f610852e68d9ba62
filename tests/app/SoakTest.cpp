// Play and Stop, many times over, in the window on the virtual X display with the real sound
// server: picture (patterns switched by events, a new phrase every half second at a random
// place) and sound (a binaural tone, a WAV and an MP3 file). After a warm-up the resident
// memory stays within less than one full-screen frame of where it was, no thread is left
// behind, and every Stop returns within 500 ms. Run on a 1920 x 1080 screen, where a frame is
// 8 MB.
//
// UMBRASCOPE_SOAK_CYCLES sets the number of cycles (default 25) and UMBRASCOPE_SOAK_CURVE names
// a file that receives the curve, one line a cycle; bench/soak.sh runs 200 cycles that way.

#include "QtTestSupport.h"
#include "RealDesktop.h"
#include "TestProgram.h"
#include "audio/tracks/PlayUtils.h"
#include "model/Cp1251.h"
#include "model/ProjectFile.h"
#include "model/Session.h"
#include "tests/common/SanitizerBuild.h"
#include "ui/PhotosensitivityWarning.h"
#include "visual/FullScreenWindow.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace umbrascope {

namespace {

struct ProcessSample {
    double residentMb = 0;
    // Its parts, to tell the heap from mapped files and from memory shared with the X and
    // sound servers.
    double anonymousMb = 0;
    double fileMb = 0;
    double sharedMb = 0;
    int threads = 0;
};

// A "Name:   1234 kB" line of /proc/self/status, in MB.
double StatusMb(const std::string& status, const std::string& name) {
    const auto at = status.find(name + ':');
    return at == std::string::npos ? 0.0 : std::stod(status.substr(at + name.size() + 1)) / 1024.0;
}

ProcessSample SampleProcess() {
    ProcessSample sample;
    std::ifstream statusFile("/proc/self/status");
    const std::string status((std::istreambuf_iterator<char>(statusFile)),
                             std::istreambuf_iterator<char>());
    sample.residentMb = StatusMb(status, "VmRSS");
    sample.anonymousMb = StatusMb(status, "RssAnon");
    sample.fileMb = StatusMb(status, "RssFile");
    sample.sharedMb = StatusMb(status, "RssShmem");
    sample.threads = static_cast<int>(QDir(QStringLiteral("/proc/self/task"))
                                          .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                                          .size());
    return sample;
}

int SoakCycles() {
    bool ok = false;
    const int cycles = qEnvironmentVariableIntValue("UMBRASCOPE_SOAK_CYCLES", &ok);
    return ok && cycles > 0 ? cycles : 25;
}

bool Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitCode() == 0;
}

// A session rich enough to exercise every cache a play fills: each pattern in turn, phrases of
// many texts at random places, generated and file tracks.
QString WriteSoakProject(const QTemporaryDir& folder) {
    const QString wav = folder.filePath("loop.wav");
    const QString mp3 = folder.filePath("loop.mp3");
    if (!Run("sox",
             {"-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "3", "sine", "330"}) ||
        !Run("lame", {"--silent", wav, mp3}))
        return {};
    QString phrases;
    for (int line = 0; line < 200; ++line)
        phrases += QStringLiteral("Фраза номер %1: спокойствие и ясность, phrase %2\n")
                       .arg(line)
                       .arg(line * 7919 % 1000);
    const QString phraseFile = folder.filePath("phrases.txt");
    WriteBytes(phraseFile, *Utf8ToCp1251(phrases.toStdString()));

    Session contents;
    contents.SessionLength = 3600000;
    TSessionValues& start = contents.StartValues;
    start.PhraseFile = phraseFile.toStdString();
    start.PhraseInterval = 500;
    start.TextPosition = 12;
    start.Transparency = 30;
    start.AudioVolume = 20;
    start.Waves = {".&01%8@260@60", wav.toStdString(), mp3.toStdString()};
    const std::string videoType = Cp1251Literal("Видеосопровождение -> Тип");
    for (std::int32_t time = 2000; time < contents.SessionLength; time += 2000)
        contents.Events.push_back({videoType, time, std::to_string(time / 2000 % 4)});
    const QString project = folder.filePath("soak.usp");
    WriteBytes(project, ProjectBytes(contents));
    return project;
}

TEST(Soak, PlayAndStopKeepMemoryAndThreadsFlat) {
    ASSERT_TRUE(StartOnXDisplay());
    if (!SoundServerAnswers())
        GTEST_SKIP() << "no sound server (test.sh starts one)";
    // The program's own style, with the pixmaps it caches.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QTemporaryDir folder;
    const QString project = WriteSoakProject(folder);
    ASSERT_FALSE(project.isEmpty()) << "sox and lame make the sound files";
    TestProgram program;
    program.Settings().SetPhotosensitivityWarningWanted(false);
    auto form = ShowMainWindow(project, program.Services());
    ASSERT_TRUE(form);
    TFullScreenForm& screen = *form->FullScreenForm;

    const auto trackThreadsGone = [&form] {
        form->PlayTransport().Tracks().ReclaimFinished();
        return form->PlayTransport().Tracks().Count() == 0;
    };
    const int cycles = SoakCycles();
    std::vector<ProcessSample> curve;
    qint64 longestStop = 0;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        const std::uint64_t shownBefore = screen.Frames().FramesShown();
        QTest::mouseClick(form->PlayButton, Qt::LeftButton);
        ASSERT_TRUE(form->PlayTransport().IsPlaying());
        // Long enough for a phrase or two and a pattern change now and then.
        ASSERT_TRUE(WaitUntil([&] { return screen.Frames().FramesShown() >= shownBefore + 20; }))
            << "cycle " << cycle << ": the picture did not show";
        QTest::qWait(300);
        QElapsedTimer stopping;
        stopping.start();
        QTest::mouseClick(form->StopButton, Qt::LeftButton);
        longestStop = std::max(longestStop, stopping.elapsed());
        ASSERT_FALSE(form->PlayTransport().IsPlaying());
        ASSERT_TRUE(WaitUntil(trackThreadsGone)) << "cycle " << cycle << ": tracks still play";
        curve.push_back(SampleProcess());
    }

    std::ofstream curveFile(qEnvironmentVariable("UMBRASCOPE_SOAK_CURVE").toStdString());
    for (std::size_t cycle = 0; cycle < curve.size(); ++cycle) {
        if (curveFile)
            curveFile << cycle + 1 << ' ' << curve[cycle].residentMb << ' ' << curve[cycle].threads
                      << '\n';
        if (cycle % 10 == 9 || cycle + 1 == curve.size())
            std::cout << "cycle " << cycle + 1 << ": " << curve[cycle].residentMb << " MB ("
                      << curve[cycle].anonymousMb << " anonymous, " << curve[cycle].fileMb
                      << " files, " << curve[cycle].sharedMb << " shared), " << curve[cycle].threads
                      << " threads\n";
    }
    std::cout << "longest Stop: " << longestStop << " ms\n";
    EXPECT_LT(longestStop, 500 * SanitizerSlowdown);

    const std::size_t warmUp = std::min<std::size_t>(10, curve.size() / 3);
    ProcessSample most = curve[warmUp];
    for (std::size_t cycle = warmUp; cycle < curve.size(); ++cycle) {
        most.residentMb = std::max(most.residentMb, curve[cycle].residentMb);
        most.threads = std::max(most.threads, curve[cycle].threads);
    }
    if (AddressSanitizerBuild)
        std::cout << "memory left unbounded: the address sanitizer keeps freed blocks\n";
    else
        EXPECT_LT(most.residentMb - curve[warmUp].residentMb, 5.0)
            << "resident memory grows after warm-up";
    EXPECT_LE(most.threads, curve[warmUp].threads) << "threads are left behind";

    form.reset();
    EndSoundOfTest();
}

} // namespace

} // namespace umbrascope
