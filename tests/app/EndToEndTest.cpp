// The program as a user meets it, on a virtual X display with the real sound server: open a
// project, press Play and meet the photosensitivity warning (Отмена plays nothing, Продолжить
// plays), the full-screen window covers the screen and the tone reaches the sound server; a
// message box pops up and takes the keyboard, yet Escape closes the full screen, the sound
// ends within 450 ms and the menus are usable again. Skipped when no sound server answers.

#include "QtTestSupport.h"
#include "RealDesktop.h"
#include "TestProgram.h"
#include "model/ProjectFile.h"
#include "model/Session.h"
#include "ui/PhotosensitivityWarning.h"
#include "visual/FullScreenWindow.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <cstdlib>
#include <functional>
#include <iostream>

namespace umbrascope {

namespace {

// Records what the sound server plays and notes when loud sound last arrived.
class SinkRecorder {
public:
    SinkRecorder() {
        clock_.start();
        QObject::connect(&parec_, &QProcess::readyReadStandardOutput, [this] { Take(); });
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                      QStringLiteral("--channels=2"), QStringLiteral("--rate=22050"),
                      QStringLiteral("--latency-msec=10"), QStringLiteral("-d"),
                      QStringLiteral("@DEFAULT_MONITOR@")});
    }
    ~SinkRecorder() {
        parec_.kill();
        parec_.waitForFinished(2000);
    }

    bool Started() { return parec_.waitForStarted(5000); }
    qint64 Now() const { return clock_.elapsed(); }
    // Arrival time of the last loud chunk, or -1.
    qint64 LastLoud() const { return lastLoud_; }

private:
    void Take() {
        const QByteArray bytes = parec_.readAllStandardOutput();
        pending_ += bytes;
        const qsizetype samples = pending_.size() / 2;
        int peak = 0;
        for (qsizetype i = 0; i < samples; ++i) {
            const auto low = static_cast<unsigned char>(pending_[2 * i]);
            const auto high = static_cast<signed char>(pending_[2 * i + 1]);
            peak = std::max(peak, std::abs(high * 256 + low));
        }
        pending_.remove(0, samples * 2);
        if (peak > 1000)
            lastLoud_ = clock_.elapsed();
    }

    QProcess parec_;
    QElapsedTimer clock_;
    QByteArray pending_;
    qint64 lastLoud_ = -1;
};

TEST(EndToEnd, PlayShowsTheScreenAndSoundAndEscapeEndsBoth) {
    ASSERT_TRUE(StartOnXDisplay());
    if (!SoundServerAnswers())
        GTEST_SKIP() << "no sound server (test.sh starts one)";

    QTemporaryDir folder;
    Session contents;
    contents.SessionLength = 300000;
    contents.StartValues.Waves = {".&04%440@0@100"};
    const QString project = folder.filePath("tone.usp");
    WriteBytes(project, ProjectBytes(contents));

    SinkRecorder sink;
    ASSERT_TRUE(sink.Started());
    TestProgram program;
    auto form = ShowMainWindow(project, program.Services());
    ASSERT_TRUE(form);
    EXPECT_EQ(form->windowTitle(), " Umbrascope - tone.usp");

    program.Settings().SetPhotosensitivityWarningWanted(true);
    {
        DialogAnswer cancel("Отмена");
        QTest::mouseClick(form->PlayButton, Qt::LeftButton);
        ASSERT_TRUE(cancel.Answered());
        EXPECT_FALSE(form->PlayTransport().IsPlaying());
        QTest::qWait(500);
        EXPECT_EQ(sink.LastLoud(), -1) << "Отмена plays nothing";
    }
    DialogAnswer go("Продолжить");
    QTest::mouseClick(form->PlayButton, Qt::LeftButton);
    ASSERT_TRUE(go.Answered());
    TFullScreenForm* screen = form->FullScreenForm.get();
    ASSERT_TRUE(WaitUntil(
        [&] { return screen->windowHandle() && screen->windowHandle()->isExposed(); }, 5000));
    EXPECT_EQ(screen->geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_FALSE(form->FileMG->menuAction()->isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return sink.LastLoud() >= 0; }, 5000))
        << "no sound reached the sink";
    QTest::qWait(300);

    QMessageBox box(QMessageBox::NoIcon, "Umbrascope", "Ошибка аудиоустройства");
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.show();
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    QTest::qWait(100);
    EXPECT_TRUE(form->PlayTransport().IsPlaying());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    const qint64 pressed = sink.Now();
    ASSERT_TRUE(WaitUntil([&] { return !form->PlayTransport().IsPlaying(); }, 1000));
    EXPECT_FALSE(screen->isVisible());
    EXPECT_TRUE(form->FileMG->menuAction()->isEnabled());
    EXPECT_TRUE(form->PlayButton->isEnabled());
    QTest::qWait(1000); // long enough to hear anything that still plays
    EXPECT_GE(sink.LastLoud(), pressed - 100);
    EXPECT_LT(sink.LastLoud() - pressed, 450);
    std::cout << "sound heard until " << sink.LastLoud() - pressed << " ms after Escape\n";

    form.reset();
    EndSoundOfTest();
}

} // namespace

} // namespace umbrascope
