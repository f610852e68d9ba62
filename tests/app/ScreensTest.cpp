// The screen a session is shown on, on an X display of two monitors side by side (made by
// two-screens.sh): «Экран показа» lists both, the primary first, and the picture covers exactly
// the one chosen, which the next run remembers. Frames are drawn in the screen's own pixels on
// a scaled desktop (run with QT_SCALE_FACTOR), and the OpenGL picture shows them unchanged (run
// with UMBRASCOPE_PRESENTATION=opengl).

#include "PlaybackWindowFixture.h"
#include "RealDesktop.h"
#include "app/gui/MainForm.h"
#include "ui/PhotosensitivityWarning.h"
#include "visual/FullScreenWindow.h"
#include "visual/GlFrameView.h"
#include "visual/PresentationScreens.h"
#include "visual/VideoFunctions.h"
#include "visual/VideoThread.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace umbrascope {

namespace {

class Screens : public PlaybackWindow {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartOnXDisplay());
        PlaybackWindow::SetUp();
        program.Settings().SetPhotosensitivityWarningWanted(false);
    }
};

// A still picture of one colour on the full-screen window, drawn by the presentation thread.
class StillPicture {
public:
    explicit StillPicture(TFullScreenForm& form) : form_(form) {
        values_.VideoType = 1;
        values_.SpiralSpeed = 0; // a spiral that stands still
        values_.TextEnabled = false;
        state_.Publish(values_);
        form.ShowOnChosenScreen();
        state_.SetPlaying(true);
        thread_.Start();
    }
    ~StillPicture() {
        thread_.Stop();
        state_.SetPlaying(false);
        form_.hide();
    }
    // What a frame of the window's size must hold.
    QImage Expected() const {
        QImage frame(form_.Frames().FrameSize(), QImage::Format_RGB32);
        DrawFrame(frame, values_, PhraseLayout{}, 0);
        return frame;
    }

private:
    TFullScreenForm& form_;
    SessionValuesInForce values_;
    PublishedState state_;
    PhraseSource phrases_;
    TVideoThread thread_{form_.Frames(), phrases_, state_, [] { return 0u; }};
};

TEST_F(Screens, TwoMonitorsAreListedPrimaryFirstAndThePictureCoversTheChosenOne) {
    const QList<QScreen*> screens = PresentationScreens();
    ASSERT_EQ(screens.size(), 2);
    EXPECT_EQ(screens[0], QGuiApplication::primaryScreen());
    const auto playOn = [](TMainForm& window) {
        window.PlayButtonClick(window.PlayButton);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.FullScreenForm.get()));
        const QRect covered = window.FullScreenForm->geometry();
        window.StopButtonClick();
        return covered;
    };
    EXPECT_EQ(playOn(*form), screens[0]->geometry());

    emit form->PresentationScreenMG->aboutToShow();
    const QList<QAction*> items = form->PresentationScreenMG->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_EQ(items[1]->text(), ScreenCaption(*screens[1]));
    items[1]->trigger();
    EXPECT_EQ(playOn(*form), screens[1]->geometry());
    form.reset();
    // The next run remembers the choice.
    form = std::make_unique<TMainForm>(QStringList{}, program.Services(messages));
    EXPECT_EQ(form->FullScreenForm->ScreenName(), screens[1]->name());
    EXPECT_EQ(playOn(*form), screens[1]->geometry());
}

TEST_F(Screens, FramesAreDrawnInTheScreensOwnPixelsAndShownUnchanged) {
    TFullScreenForm& window = *form->FullScreenForm;
    StillPicture picture(window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(WaitUntil([&] { return window.Frames().FramesShown() >= 2; }));
    const QSize native = NativeSize(*window.screen());
    EXPECT_EQ(window.Frames().FrameSize(), native);
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.size(), native);
    EXPECT_EQ(shown, picture.Expected());
}

TEST_F(Screens, TheOpenGlPictureShowsTheFramesUnchanged) {
    if (!PresentThroughOpenGL())
        GTEST_SKIP() << "run with UMBRASCOPE_PRESENTATION=opengl";
    TFullScreenForm& window = *form->FullScreenForm;
    StillPicture picture(window);
    ASSERT_NE(window.OpenGlView(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(WaitUntil([&] { return window.Frames().FramesShown() >= 2; }, 10000));
    const QImage shown =
        window.OpenGlView()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, picture.Expected());
}

} // namespace

} // namespace umbrascope
