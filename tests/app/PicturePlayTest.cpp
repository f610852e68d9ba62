// Play with picture from the main window: the full-screen window covers the screen while the
// presentation thread draws, and a key in it ends the session at the next tick. Kept out of
// the race-detector run: Qt's own queued hand-over of frames, which the detector is told not
// to follow inside Qt, is all that would be checked here.

#include "PlaybackWindowFixture.h"
#include "QtTestSupport.h"
#include "app/gui/MainForm.h"
#include "app/gui/PlaybackController.h"
#include "audio/MemoryAudioBackend.h"
#include "audio/PlayUtils.h"
#include "model/Common.h"
#include "visual/FullScreenWindow.h"
#include "visual/VideoThread.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

TEST_F(PlaybackWindow, AKeyInTheFullScreenWindowEndsThePicturePlay) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTest::mouseClick(form->PlayButton, Qt::LeftButton);
    ASSERT_TRUE(IsPlaying);
    EXPECT_TRUE(form->FullScreenForm->isVisible());
    EXPECT_TRUE(form->Controller().PlayingWithPicture());
    QTest::qWait(100);
    QTest::keyClick(form->FullScreenForm.get(), Qt::Key_Shift);
    QTest::qWait(150);
    EXPECT_TRUE(IsPlaying);
    QTest::keyClick(form->FullScreenForm.get(), Qt::Key_Escape);
    ASSERT_TRUE(WaitUntil([] { return !IsPlaying; }, 1000));
    EXPECT_FALSE(form->FullScreenForm->isVisible());
    EXPECT_FALSE(form->Controller().PlayingWithPicture());
    EXPECT_TRUE(form->FileMG->menuAction()->isEnabled());
    EXPECT_TRUE(form->PlayButton->isEnabled());
    EXPECT_TRUE(messages.texts.isEmpty());
}

} // namespace
