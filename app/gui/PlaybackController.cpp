#include "PlaybackController.h"

#include "ui/MessageBoxes.h"
#include "ui/UiText.h"
#include "audio/TrackDescriptor.h"
#include "model/Arithmetic.h"
#include "model/EventCatalogue.h"
#include "model/MediaPath.h"
#include "model/Playback.h"
#include "visual/FullScreenWindow.h"
#include "visual/SessionClock.h"
#include "visual/VideoThread.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

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

// The last element of items that matches, if any.
template <typename Item, typename Matches>
typename std::vector<Item>::iterator LastMatch(std::vector<Item>& items, Matches matches) {
    const auto found = std::find_if(items.rbegin(), items.rend(), matches);
    return found == items.rend() ? items.end() : std::prev(found.base());
}

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

void PlaybackController::PlayButtonClick(bool withPicture) {
    if (IsPlaying)
        return;
    try {
        display_.ShowPlaying(true);
        reported_.clear();
        CountEventsAlreadyApplied();
        OpenPhraseReader();
        StartTracks();
        PublishCurrentValues(); // paths may have been resolved to the project's folder
        withPicture_ = withPicture && fullScreen_ != nullptr;
        if (withPicture_)
            fullScreen_->ShowOnPrimaryScreen();
        if (fullScreen_)
            fullScreen_->SetTag(1);
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

void PlaybackController::CountEventsAlreadyApplied() {
    // After a Stop the clock has already applied the events at the position it reached; a
    // state computed for a position holds only the events before it, so the events at the
    // position are still to come.
    const bool resumesStop = stoppedState_ && stoppedState_ == CurrentValuesView() &&
                             stoppedPosition_ == SessionPosition &&
                             stoppedEventIndex_ < static_cast<std::int32_t>(Events.size());
    if (resumesStop) {
        lastEventIndex_ = stoppedEventIndex_;
        return;
    }
    lastEventIndex_ =
        static_cast<std::int32_t>(FirstEventDueAfterComputedState(SessionPosition)) - 1;
}

void PlaybackController::OpenPhraseReader() {
    std::unique_ptr<TFile> reader;
    if (ResolveMediaPath(CurrentValues.PhraseFile))
        reader = OpenPhraseFile(CurrentValues.PhraseFile); // none for a folder or unreadable file
    phrases_.Replace(std::move(reader));
}

void PlaybackController::StartTracks() {
    playThreads_.clear();
    for (TWaveEntry& wave : CurrentValues.Waves) {
        if (!ResolveMediaPath(wave.Track))
            continue;
        const std::int32_t offset =
            ClampToInt32(std::int64_t{SessionPosition} - std::int64_t{wave.AddTime});
        playThreads_.push_back(StartTrackThread(wave.Track, offset));
    }
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
    stoppedEventIndex_ = lastEventIndex_;
    display_.UpdateDisplay();
}

void PlaybackController::ReturnToIdle() {
    IsPlaying = false;
    timer_.stop();
    // The tracks first: telling them costs nothing, and their last buffer plays out while
    // the picture winds down.
    for (const TrackHandle& track : playThreads_)
        StopTrackThread(track);
    playThreads_.clear();
    ReclaimFinishedTrackThreads();
    if (videoThread_)
        videoThread_->Stop(); // before the reader and the window's buffers go
    phrases_.Close();
    if (fullScreen_ && fullScreen_->isVisible())
        fullScreen_->hide();
    VideoThreadRunning = false;
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
            const bool keyPressed = fullScreen_ && fullScreen_->Tag() == 0;
            if (SessionPosition >= SessionLength || keyPressed) {
                if (SessionPosition >= SessionLength)
                    SessionPosition = std::max(SessionLength - 1, 0);
                timer_.stop();
                ended = true;
            } else {
                display_.RepaintTimeline();
                while (lastEventIndex_ + 1 < static_cast<std::int32_t>(Events.size()) &&
                       Events[static_cast<std::size_t>(lastEventIndex_ + 1)].EventTime <=
                           SessionPosition) {
                    ++lastEventIndex_;
                    ApplyDueEvent(static_cast<std::size_t>(lastEventIndex_));
                    display_.UpdateDisplay();
                }
            }
        } catch (...) {
            // The failing event has been passed; the clock goes on with the next one.
            ReportOnce(CurrentExceptionText());
        }
    }
    if (ended)
        StopButtonClick();
}

void PlaybackController::ApplyDueEvent(std::size_t index) {
    TSessionEvent& event = Events[index];
    switch (EventKindOf(event.EventType).value_or(EventKind::Undefined)) {
    case EventKind::PhraseFile:
        ChangePhraseFile(event);
        break;
    case EventKind::AddTrack:
        AddTrack(event);
        break;
    case EventKind::RemoveTrack:
        RemoveTrack(event);
        break;
    default:
        if (const auto failure = ApplyEvent(CurrentValues, event))
            ReportOnce(FromModelText(*failure));
        break;
    }
    PublishCurrentValues();
}

void PlaybackController::ChangePhraseFile(const TSessionEvent& event) {
    CurrentValues.PhraseFile = event.EventValue;
    std::unique_ptr<TFile> reader;
    if (ResolveMediaPath(CurrentValues.PhraseFile))
        reader = OpenPhraseFile(CurrentValues.PhraseFile);
    // No reader also makes the presentation drop the phrase it shows.
    phrases_.Replace(std::move(reader));
}

void PlaybackController::AddTrack(TSessionEvent& event) {
    // A file found only beside the project is remembered there, in the event itself.
    if (!ResolveMediaPath(event.EventValue))
        return;
    playThreads_.push_back(StartTrackThread(event.EventValue, 0));
    CurrentValues.Waves.push_back({event.EventValue, event.EventTime});
}

void PlaybackController::RemoveTrack(const TSessionEvent& event) {
    // The track may have been added under the path it resolved to beside the project; the
    // removal's own value stays as it is.
    const RemovalTarget target(event.EventValue);
    const auto thread =
        LastMatch(playThreads_, [&](const TrackHandle& t) { return target.Names(t->Descriptor); });
    if (thread != playThreads_.end()) {
        StopTrackThread(*thread);
        playThreads_.erase(thread);
    }
    if (const auto entry = FindLastRemovalMatch(CurrentValues.Waves, target))
        CurrentValues.Waves.erase(CurrentValues.Waves.begin() +
                                  static_cast<std::ptrdiff_t>(*entry));
}

void PlaybackController::ReportOnce(const QString& text) {
    if (reported_.insert(text).second && display_.Report)
        display_.Report(text);
}
