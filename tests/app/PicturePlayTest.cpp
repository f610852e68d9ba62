// Play with picture from the main window: the photosensitivity warning comes first, the
// full-screen window covers the screen while the presentation thread draws, and a key ends
// the session at the next tick, in the full-screen window or in any other window of the
// program. Kept out of the race-detector run: Qt's own queued hand-over of frames, which the
// detector is told not to follow inside Qt, is all that would be checked here.

#include "PlaybackWindowFixture.h"
#include "QtTestSupport.h"
#include "app/gui/MainForm.h"
#include "audio/device/MemoryAudioBackend.h"
#include "audio/tracks/PlayUtils.h"
#include "model/Session.h"
#include "play/PlaybackController.h"
#include "ui/PhotosensitivityWarning.h"
#include "visual/FullScreenWindow.h"
#include "visual/VideoThread.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace umbrascope {

namespace {

class PicturePlay : public PlaybackWindow {
protected:
    void SetUp() override {
        PlaybackWindow::SetUp();
        program.Settings().SetPhotosensitivityWarningWanted(false);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
};

TEST_F(PicturePlay, AKeyInTheFullScreenWindowEndsThePicturePlay) {
    QTest::mouseClick(form->PlayButton, Qt::LeftButton);
    ASSERT_TRUE(PlayTransport().IsPlaying());
    EXPECT_TRUE(form->FullScreenForm->isVisible());
    EXPECT_TRUE(form->Controller().PlayingWithPicture());
    QTest::qWait(100);
    QTest::keyClick(form->FullScreenForm.get(), Qt::Key_Shift);
    QTest::qWait(150);
    EXPECT_TRUE(PlayTransport().IsPlaying());
    QTest::keyClick(form->FullScreenForm.get(), Qt::Key_Escape);
    ASSERT_TRUE(WaitUntil([this] { return !PlayTransport().IsPlaying(); }, 1000));
    EXPECT_FALSE(form->FullScreenForm->isVisible());
    EXPECT_FALSE(form->Controller().PlayingWithPicture());
    EXPECT_TRUE(form->FileMG->menuAction()->isEnabled());
    EXPECT_TRUE(form->PlayButton->isEnabled());
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(PicturePlay, AKeyInAMessageBoxShownDuringPlayStillEndsIt) {
    QTest::mouseClick(form->PlayButton, Qt::LeftButton);
    ASSERT_TRUE(PlayTransport().IsPlaying());
    QMessageBox box(QMessageBox::NoIcon, "Umbrascope", "Ошибка аудиоустройства");
    box.show(); // it takes the keyboard from the full-screen window
    QTest::keyClick(&box, Qt::Key_Escape);
    ASSERT_TRUE(WaitUntil([this] { return !PlayTransport().IsPlaying(); }, 1000));
    EXPECT_FALSE(form->FullScreenForm->isVisible());
}

TEST_F(PicturePlay, TheWarningComesBeforeThePictureAndCanBeDismissedForGood) {
    program.Settings().SetPhotosensitivityWarningWanted(true);
    {
        DialogAnswer cancel("Отмена");
        QTest::mouseClick(form->PlayButton, Qt::LeftButton);
        EXPECT_TRUE(cancel.question.contains("эпилептический припадок"));
        EXPECT_FALSE(PlayTransport().IsPlaying());
        EXPECT_FALSE(form->FullScreenForm->isVisible());
        EXPECT_TRUE(form->Controller().PlayThreads().empty());
    }
    {
        DialogAnswer dontShowAgain("Больше не показывать");
        DialogAnswer go("Продолжить");
        QTest::mouseClick(form->PlayButton, Qt::LeftButton);
        EXPECT_TRUE(dontShowAgain.Answered() && go.Answered());
        EXPECT_TRUE(form->Controller().PlayingWithPicture());
        form->StopButtonClick();
    }
    EXPECT_FALSE(program.Settings().PhotosensitivityWarningWanted());
    DialogAnswer unexpected("Отмена");
    QTest::mouseClick(form->PlayButton, Qt::LeftButton);
    EXPECT_TRUE(PlayTransport().IsPlaying());
    form->StopButtonClick();
    program.Settings().SetPhotosensitivityWarningWanted(true);
    QTest::mouseClick(form->PlaySoundButton, Qt::LeftButton); // sound alone: no warning
    EXPECT_TRUE(PlayTransport().IsPlaying());
    form->StopButtonClick();
    EXPECT_FALSE(unexpected.Answered());
}

TEST_F(PicturePlay, SpacePlaysAndStops) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->setFocus(); // no button has the keyboard
    QTest::keyClick(form.get(), Qt::Key_Space);
    ASSERT_TRUE(form->Controller().PlayingWithPicture());
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_Space);
    EXPECT_TRUE(WaitUntil([this] { return !PlayTransport().IsPlaying(); }, 1000));
}

} // namespace

} // namespace umbrascope
