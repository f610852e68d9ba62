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

namespace {

class FullScreenWindowTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureGuiApplication(); }
};

bool CursorHidden() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::BlankCursor;
}

TEST_F(FullScreenWindowTest, CoversThePrimaryScreenWithoutFrame) {
    TFullScreenForm form;
    form.resize(10, 10);
    form.ShowOnPrimaryScreen();
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
            form.ShowOnPrimaryScreen();
            form.ShowOnPrimaryScreen(); // shown twice, hidden once
            EXPECT_TRUE(CursorHidden());
            EXPECT_FALSE(form.CursorShown());
            form.hide();
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
            form.hide();
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        }
        form.ShowOnPrimaryScreen();
    } // destroyed while shown
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(FullScreenWindowTest, KeysThatProduceACharacterAskToStop) {
    TFullScreenForm form;
    form.ShowOnPrimaryScreen();
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
    TCurrentValues values;
    values.VideoType = 0;
    values.FlickerFreq = 0;
    values.FlickerColor = 0x00336699;
    PublishedState state;
    state.Publish(values);
    TPhraseSource phrases;
    form.ShowOnPrimaryScreen();
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

TEST_F(FullScreenWindowTest, SessionRunsWhileTheWindowIsNeverShown) {
    TFullScreenForm form;
    TPhraseSource phrases;
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
