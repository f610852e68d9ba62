#include "PlaybackController.h"

#include "base/ExceptionText.h"
#include "base/ThreadClock.h"
#include "model/Arithmetic.h"
#include "model/Cp1251.h"
#include "visual/FullScreenWindow.h"
#include "visual/VideoThread.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace umbrascope {

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

PlaybackController::PlaybackController(const SessionDocument& document, Transport& transport,
                                       QTimer& timer, TFullScreenForm* fullScreen,
                                       PlaybackDisplay display)
    : document_(document), transport_(transport), timer_(timer), fullScreen_(fullScreen),
      display_(std::move(display)), published_(transport.Published()) {
    if (fullScreen_)
        videoThread_ = std::make_unique<TVideoThread>(
            fullScreen_->Frames(), phrases_, *published_,
            [&clock = transport_.Clock()] { return clock.SessionTimeNow(); });
}

PlaybackController::~PlaybackController() {
    if (transport_.IsPlaying())
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
    if (transport_.IsPlaying())
        return;
    try {
        display_.ShowPlaying(true);
        const std::size_t firstDue = FirstEventDue();
        playThreads_.clear();
        PlaybackActions& actions = *this;
        playhead_ = std::make_unique<EventPlayhead>(document_.Events, transport_.CurrentValues,
                                                    document_.ProjectFolder(), actions);
        playhead_->Start(transport_.SessionPosition, firstDue);
        transport_.PublishCurrentValues(); // paths may have been resolved to the project's folder
        withPicture_ = withPicture && fullScreen_ != nullptr;
        if (withPicture_)
            fullScreen_->ShowOnChosenScreen();
        if (fullScreen_)
            fullScreen_->ClearStopRequest();
        timerBusy_ = false;
        timer_.start();
        // Taken after the full screen is up, so switching the display costs no session time.
        transport_.Clock().SetClockBase(transport_.SessionPosition);
        transport_.SetPlaying(true);
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
    const auto& events = document_.Events;
    const bool resumesStop = stoppedState_ && stoppedState_ == published_->CurrentValues() &&
                             stoppedPosition_ == transport_.SessionPosition &&
                             stoppedEventIndex_ < static_cast<std::int32_t>(events.size());
    if (resumesStop)
        return static_cast<std::size_t>(stoppedEventIndex_ + 1);
    return FirstEventDueAfterComputedState(events, transport_.SessionPosition);
}

void PlaybackController::StopButtonClick() {
    if (!transport_.IsPlaying())
        return;
    transport_.SetPlaying(false);
    timer_.stop();
    // A tick never yields to the event loop, so this only matters if one ever does.
    while (timerBusy_)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ReturnToIdle();
    stoppedState_ = published_->CurrentValues();
    stoppedPosition_ = transport_.SessionPosition;
    stoppedEventIndex_ = LastEventIndex();
    display_.UpdateDisplay();
}

void PlaybackController::ReturnToIdle() {
    transport_.SetPlaying(false);
    timer_.stop();
    // The tracks first: telling them costs nothing, and their last buffer plays out while
    // the picture winds down.
    for (const auto& [number, thread] : playThreads_)
        StopTrackThread(thread);
    playThreads_.clear();
    transport_.Tracks().ReclaimFinished();
    if (videoThread_)
        videoThread_->Stop(); // before the reader and the window's buffers go
    phrases_.Close();
    if (fullScreen_ && fullScreen_->isVisible())
        fullScreen_->hide();
    withPicture_ = false;
    display_.ShowPlaying(false);
}

void PlaybackController::ControlTimerTimer() {
    if (timerBusy_ || !transport_.IsPlaying())
        return;
    bool ended = false;
    {
        BusyFlag busy(timerBusy_);
        try {
            std::int32_t& position = transport_.SessionPosition;
            const std::int32_t length = document_.SessionLength;
            position = ClampToInt32(transport_.Clock().SessionTimeNow());
            const bool keyPressed = fullScreen_ && fullScreen_->StopRequested();
            if (position >= length || keyPressed) {
                if (position >= length)
                    position = LastPositionIn(length);
                timer_.stop();
                ended = true;
            } else {
                display_.RepaintTimeline();
                ApplyDueEvents();
            }
        } catch (...) {
            // The failing event has been passed; the clock goes on with the next one.
            if (playhead_)
                playhead_->ReportOnce(CurrentExceptionUserText());
        }
    }
    if (ended)
        StopButtonClick();
}

void PlaybackController::ApplyDueEvents() {
    // Each event is shown by a refresh of its own, until the refreshes of this tick have taken
    // RefreshBudget: a file may hold thousands of events at one time, and a refresh lists every
    // track, so the rest of them are shown by one refresh at the end and the clock and Stop are
    // not held up. The budget counts this thread's processor time, so a busy machine does not
    // change which events are shown one by one.
    const double started = ThreadCpuSeconds();
    bool refreshOwed = false;
    playhead_->ApplyDueEvents(transport_.SessionPosition, [&] {
        refreshOwed = true;
        if (ThreadCpuSeconds() - started < RefreshBudget.count() / 1000.0) {
            transport_.PublishCurrentValues();
            display_.UpdateDisplay();
            refreshOwed = false;
        }
    });
    if (refreshOwed) {
        transport_.PublishCurrentValues();
        display_.UpdateDisplay();
    }
}

void PlaybackController::StartTrack(const std::string& descriptor, std::int32_t offset,
                                    std::uint32_t number) {
    playThreads_.emplace_back(number,
                              transport_.Tracks().Start(published_, descriptor, offset, number));
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

void PlaybackController::Report(const UserText& message) {
    if (display_.Report)
        display_.Report(message);
}

void PlaybackController::TrackNotFound(const std::string& descriptor) {
    if (display_.TrackNotFound)
        display_.TrackNotFound(descriptor);
}

} // namespace umbrascope
