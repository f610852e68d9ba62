// The full-screen window: covering the screen, the cursor kept hidden only while shown, the
// keys that ask to stop, and showing the frames the presentation thread hands over.

#include "visual/FullScreenWindow.h"
#include "GuiTestApplication.h"
#include "TestClock.h"
#include "model/Session.h"
#include "tests/common/SanitizerBuild.h"
#include "visual/VideoThread.h"

#include <gtest/gtest.h>

#include <QScreen>
#include <QTest>

#include <algorithm>
#include <optional>
#include <vector>

namespace umbrascope {

namespace {

class FullScreenWindowTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureGuiApplication(); }
};

bool CursorHidden() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::BlankCursor;
}

TEST_F(FullScreenWindowTest, CoversThePrimaryScreenWithoutFrameWhenTheChosenOneIsGone) {
    TFullScreenForm form;
    form.resize(10, 10);
    form.SetScreenName(QStringLiteral("a projector no longer connected"));
    form.ShowOnChosenScreen();
    EXPECT_EQ(form.geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.Frames().FrameSize(), form.size() * form.devicePixelRatio());
}

TEST_F(FullScreenWindowTest, CursorIsHiddenWhileShownAndBalancedHoweverOftenShown) {
    {
        TFullScreenForm form;
        EXPECT_TRUE(form.CursorShown());
        for (int i = 0; i < 5; ++i) {
            form.ShowOnChosenScreen();
            form.ShowOnChosenScreen(); // shown twice, hidden once
            EXPECT_TRUE(CursorHidden());
            EXPECT_FALSE(form.CursorShown());
            form.hide();
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
            form.hide();
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        }
        form.ShowOnChosenScreen();
    } // destroyed while shown
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(FullScreenWindowTest, KeysThatProduceACharacterAskToStop) {
    TFullScreenForm form;
    form.ShowOnChosenScreen();
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_5, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter,
                              Qt::Key_Escape, Qt::Key_Backspace}) {
        form.ClearStopRequest();
        QTest::keyClick(&form, key);
        EXPECT_TRUE(form.StopRequested()) << key;
    }
    for (const Qt::Key key :
         {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Left, Qt::Key_Down, Qt::Key_F5}) {
        form.ClearStopRequest();
        QTest::keyClick(&form, key);
        EXPECT_FALSE(form.StopRequested()) << key;
    }
    form.ClearStopRequest();
    QTest::keyClick(&form, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(form.StopRequested());
}

TEST_F(FullScreenWindowTest, ShowsTheThreadsFramesAndReleasesItsBuffersWhenHidden) {
    TFullScreenForm form;
    SessionValuesInForce values;
    values.VideoType = 0;
    values.FlickerFreq = 0;
    values.FlickerColor = 0x00336699;
    PublishedState state;
    state.Publish(values);
    PhraseSource phrases;
    form.ShowOnChosenScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    state.SetPlaying(true);
    {
        TVideoThread thread(form.Frames(), phrases, state, SessionTimeFromNow());
        thread.Start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.Frames().FramesShown() >= 3; },
                                    5000 * SanitizerSlowdown));
        thread.Stop(); // the thread goes before the window releases its buffers
    }
    state.SetPlaying(false);
    const QImage shown = form.grab().toImage();
    EXPECT_EQ(shown.pixel(5, 5), qRgb(0x99, 0x66, 0x33));
    EXPECT_EQ(shown.pixel(shown.width() - 1, shown.height() - 1), qRgb(0x99, 0x66, 0x33));
    form.hide();
    EXPECT_EQ(form.Frames().BeginFrame(), nullptr);
}

TEST_F(FullScreenWindowTest, TheFrameLogHoldsEveryFrameShownAndItsSummaryAgrees) {
    TFullScreenForm form;
    std::optional<FrameLog> finished;
    form.OnFrameLog([&](const FrameLog& log) { finished = log; });
    PublishedState state;
    state.Publish(SessionValuesInForce{});
    PhraseSource phrases;
    form.ShowOnChosenScreen();
    state.SetPlaying(true);
    {
        TVideoThread thread(form.Frames(), phrases, state,
                            [clock = SessionTimeFromNow()] { return 5000 + clock(); });
        thread.Start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.Frames().FramesShown() >= 10; },
                                    5000 * SanitizerSlowdown));
        thread.Stop();
    }
    state.SetPlaying(false);
    form.hide();
    ASSERT_TRUE(finished);
    const std::vector<FrameRecord>& frames = finished->Frames();
    ASSERT_EQ(frames.size(), form.Frames().FramesShown());
    EXPECT_GE(frames.front().frameTime, 5000u);
    const QStringList lines =
        QString::fromStdString(finished->Csv()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(frames.size()) + 1);
    std::vector<double> intervals;
    int late = 0;
    for (std::size_t i = 1; i < frames.size(); ++i) {
        EXPECT_GT(frames[i].frameTime, frames[i - 1].frameTime);
        const QStringList fields = lines[static_cast<qsizetype>(i) + 1].split(',');
        ASSERT_EQ(fields.size(), 4);
        EXPECT_EQ(fields[0].toUInt(), frames[i].frameTime);
        intervals.push_back(fields[2].toDouble());
        EXPECT_NEAR(intervals.back(), fields[1].toDouble() - lines[i].split(',')[1].toDouble(),
                    0.0015);
        late += fields[3] == QStringLiteral("1") ? 1 : 0;
    }
    const FrameLogSummary summary = finished->Summary();
    EXPECT_EQ(summary.frames, frames.size());
    EXPECT_EQ(summary.late, static_cast<std::size_t>(late));
    std::sort(intervals.begin(), intervals.end());
    const auto nearestRank = [&](std::size_t percent) {
        return intervals[(intervals.size() * percent + 99) / 100 - 1];
    };
    EXPECT_NEAR(summary.medianInterval.count() / 1000.0, nearestRank(50), 0.0015);
    EXPECT_NEAR(summary.p99Interval.count() / 1000.0, nearestRank(99), 0.0015);
}

TEST_F(FullScreenWindowTest, SessionRunsWhileTheWindowIsNeverShown) {
    TFullScreenForm form;
    PhraseSource phrases;
    PublishedState state;
    state.SetPlaying(true);
    TVideoThread thread(form.Frames(), phrases, state, SessionTimeFromNow());
    thread.Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return thread.Passes() >= 3; }, 5000 * SanitizerSlowdown));
    thread.Stop();
    state.SetPlaying(false);
    EXPECT_EQ(form.Frames().FramesHandedOver(), 0u);
}

} // namespace

} // namespace umbrascope
