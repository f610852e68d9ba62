#include "PlaybackController.h"

#include "model/Arithmetic.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"
#include "visual/FullScreenWindow.h"
#include "visual/SessionClock.h"
#include "visual/VideoThread.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace {

// Clears TimerBusy however a tick ends.
class BusyFlag {
public:
    explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyFlag() { flag_ = false; }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;

private:
    bool& flag_;
};

} // namespace

PlaybackController::PlaybackController(QTimer& timer, TFullScreenForm* fullScreen,
                                       PlaybackDisplay display)
    : timer_(timer), fullScreen_(fullScreen), display_(std::move(display)) {
    if (fullScreen_)
        videoThread_ = std::make_unique<TVideoThread>(fullScreen_->Frames(), phrases_);
}

PlaybackController::~PlaybackController() {
    if (IsPlaying)
        ReturnToIdle();
    if (videoThread_)
        videoThread_->Stop();
}

std::int32_t PlaybackController::LastEventIndex() const {
    return playhead_ ? static_cast<std::int32_t>(playhead_->NextEventIndex()) - 1 : -1;
}

std::vector<TrackHandle> PlaybackController::PlayThreads() const {
    std::vector<TrackHandle> threads;
    for (const auto& [number, thread] : playThreads_)
        threads.push_back(thread);
    return threads;
}

void PlaybackController::PlayButtonClick(bool withPicture) {
    if (IsPlaying)
        return;
    try {
        display_.ShowPlaying(true);
        const std::size_t firstDue = FirstEventDue();
        playThreads_.clear();
        PlaybackActions& actions = *this;
        playhead_ =
            std::make_unique<EventPlayhead>(Events, CurrentValues, OpenProjectFolder(), actions);
        playhead_->Start(SessionPosition, firstDue);
        PublishCurrentValues(); // paths may have been resolved to the project's folder
        withPicture_ = withPicture && fullScreen_ != nullptr;
        if (withPicture_)
            fullScreen_->ShowOnChosenScreen();
        if (fullScreen_)
            fullScreen_->ClearStopRequest();
        timerBusy_ = false;
        timer_.start();
        // Taken after the full screen is up, so switching the display costs no session time.
        SetClockBase(SessionPosition);
        IsPlaying = true;
        if (withPicture_)
            videoThread_->Start();
    } catch (...) {
        ReturnToIdle();
        throw;
    }
}

std::size_t PlaybackController::FirstEventDue() const {
    // After a Stop the clock has already applied the events at the position it reached; a
    // state computed for a position holds only the events before it, so the events at the
    // position are still to come.
    const bool resumesStop = stoppedState_ && stoppedState_ == CurrentValuesView() &&
                             stoppedPosition_ == SessionPosition &&
                             stoppedEventIndex_ < static_cast<std::int32_t>(Events.size());
    if (resumesStop)
        return static_cast<std::size_t>(stoppedEventIndex_ + 1);
    return FirstEventDueAfterComputedState(Events, SessionPosition);
}

void PlaybackController::StopButtonClick() {
    if (!IsPlaying)
        return;
    IsPlaying = false;
    timer_.stop();
    // A tick never yields to the event loop, so this only matters if one ever does.
    while (timerBusy_)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ReturnToIdle();
    stoppedState_ = CurrentValuesView();
    stoppedPosition_ = SessionPosition;
    stoppedEventIndex_ = LastEventIndex();
    display_.UpdateDisplay();
}

void PlaybackController::ReturnToIdle() {
    IsPlaying = false;
    timer_.stop();
    // The tracks first: telling them costs nothing, and their last buffer plays out while
    // the picture winds down.
    for (const auto& [number, thread] : playThreads_)
        StopTrackThread(thread);
    playThreads_.clear();
    ReclaimFinishedTrackThreads();
    if (videoThread_)
        videoThread_->Stop(); // before the reader and the window's buffers go
    phrases_.Close();
    if (fullScreen_ && fullScreen_->isVisible())
        fullScreen_->hide();
    withPicture_ = false;
    display_.ShowPlaying(false);
}

void PlaybackController::ControlTimerTimer() {
    if (timerBusy_ || !IsPlaying)
        return;
    bool ended = false;
    {
        BusyFlag busy(timerBusy_);
        try {
            SessionPosition = ClampToInt32(SessionTimeNow());
            const bool keyPressed = fullScreen_ && fullScreen_->StopRequested();
            if (SessionPosition >= SessionLength || keyPressed) {
                if (SessionPosition >= SessionLength)
                    SessionPosition = LastPositionIn(SessionLength);
                timer_.stop();
                ended = true;
            } else {
                display_.RepaintTimeline();
                ApplyDueEvents();
            }
        } catch (...) {
            // The failing event has been passed; the clock goes on with the next one.
            if (playhead_)
                playhead_->ReportOnce(
                    ToModelText(CurrentExceptionText()).value_or("Unexpected failure"));
        }
    }
    if (ended)
        StopButtonClick();
}

void PlaybackController::ApplyDueEvents() {
    // Each event is shown by a refresh of its own, until the refreshes of this tick have taken
    // RefreshBudget: a file may hold thousands of events at one time, and a refresh lists every
    // track, so the rest of them are shown by one refresh at the end and the clock and Stop are
    // not held up.
    const auto started = std::chrono::steady_clock::now();
    bool refreshOwed = false;
    while (const auto time = playhead_->NextEventTime()) {
        if (*time > SessionPosition)
            break;
        playhead_->ApplyNext();
        refreshOwed = true;
        if (std::chrono::steady_clock::now() - started < RefreshBudget) {
            PublishCurrentValues();
            display_.UpdateDisplay();
            refreshOwed = false;
        }
    }
    if (refreshOwed) {
        PublishCurrentValues();
        display_.UpdateDisplay();
    }
}

void PlaybackController::StartTrack(const std::string& descriptor, std::int32_t offset,
                                    std::uint32_t number) {
    playThreads_.emplace_back(number, StartTrackThread(descriptor, offset, number));
}

void PlaybackController::StopTrack(std::uint32_t number) {
    const auto found = std::find_if(playThreads_.begin(), playThreads_.end(),
                                    [number](const auto& entry) { return entry.first == number; });
    if (found == playThreads_.end())
        return;
    StopTrackThread(found->second);
    playThreads_.erase(found);
}

void PlaybackController::SwitchPhraseFile(const std::optional<std::string>& path) {
    // No reader (none for a folder or an unreadable file) also makes the presentation drop the
    // phrase it shows.
    phrases_.Replace(path ? OpenPhraseFile(*path) : nullptr);
}

void PlaybackController::Report(const std::string& message) {
    if (display_.Report)
        display_.Report(FromModelText(message));
}
