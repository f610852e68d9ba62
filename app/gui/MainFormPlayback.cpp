// The main window's side of playback: its buttons and clock wired to the controller.

#include "MainForm.h"

#include "play/FrameLogReport.h"
#include "play/PlaybackController.h"
#include "ui/MessageBoxes.h"
#include "ui/PhotosensitivityWarning.h"
#include "ui/ScreenChoice.h"
#include "ui/ShownText.h"
#include "visual/FullScreenWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace umbrascope {

void TMainForm::CreatePlayback() {
    FullScreenForm = std::make_unique<TFullScreenForm>();
    FullScreenForm->setObjectName(QStringLiteral("FullScreenForm"));
    FullScreenForm->SetScreenName(preferences_.PresentationScreen());
    ShowPresentationScreens();
    // For checking how evenly frames come: each play with picture replaces this log.
    const QString frameLog = qEnvironmentVariable("UMBRASCOPE_FRAME_LOG");
    if (!frameLog.isEmpty())
        FullScreenForm->OnFrameLog(
            [path = frameLog.toStdString()](const FrameLog& log) { ReportFrameLog(log, path); });
    PlaybackDisplay display;
    display.UpdateDisplay = [this] { UpdateDisplay(); };
    display.RepaintTimeline = [this] { RepaintTrackBox(); };
    display.ShowPlaying = [this](bool playing) { ShowPlaying(playing); };
    display.Report = [this](const UserText& text) {
        ShowMessageBoxWithoutWaiting(this, ShownText(text));
    };
    controller_ = std::make_unique<PlaybackController>(document_, transport_, *ControlTimer,
                                                       FullScreenForm.get(), std::move(display));
    connect(PlayButton, &QPushButton::clicked, this, [this] { PlayButtonClick(PlayButton); });
    connect(PlaySoundButton, &QPushButton::clicked, this,
            [this] { PlayButtonClick(PlaySoundButton); });
    connect(StopButton, &QPushButton::clicked, this, [this] { StopButtonClick(); });
    connect(ControlTimer, &QTimer::timeout, this, [this] { ControlTimerTimer(); });
}

void TMainForm::PlayButtonClick(QObject* sender) {
    const bool withPicture = sender == PlayButton;
    if (transport_.IsPlaying() || (withPicture && !ConfirmPicturePlay(this, preferences_)))
        return;
    // Said before the show, which a message would cover.
    ShowMissingMedia();
    Guarded(this, [&] { controller_->PlayButtonClick(withPicture); });
}

void TMainForm::StopButtonClick() {
    Guarded(this, [&] { controller_->StopButtonClick(); });
}

void TMainForm::ControlTimerTimer() {
    Guarded(this, [&] { controller_->ControlTimerTimer(); });
    ShowMixClipping();
}

void TMainForm::ShowMixClipping() {
    // Lit for a second after the last clip, so that a short one is seen too.
    constexpr int LitTicks = 20;
    clipLitTicks_ =
        transport_.Tracks().Reports().TakeClipped() ? LitTicks : std::max(clipLitTicks_ - 1, 0);
    ClipIndicator->setVisible(transport_.IsPlaying() && clipLitTicks_ > 0);
}

void TMainForm::ShowPresentationScreens() {
    ListPresentationScreens(*PresentationScreenMG, preferences_,
                            [this](const QString& name) { FullScreenForm->SetScreenName(name); });
}

void TMainForm::ShowPlaying(bool playing) {
    PlayButton->setEnabled(!playing);
    PlaySoundButton->setEnabled(!playing);
    StopButton->setEnabled(playing);
    // A clip of an earlier play must not light the indicator of this one.
    (void)transport_.Tracks().Reports().TakeClipped();
    clipLitTicks_ = 0;
    ClipIndicator->hide();
    if (playing)
        DisableControls();
    else
        EnableControls();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    bool mayClose = ending_; // a signal's end has kept what was unsaved
    if (!mayClose)
        Guarded(this, [&] { mayClose = MayDiscardSession(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    // The program ends with the session.
    StopButtonClick();
    QMainWindow::closeEvent(event);
}

} // namespace umbrascope
