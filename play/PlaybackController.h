#pragma once

// The playback controller: plays the session from the transport's position. Play starts a
// track thread per audio track and, with picture, the full-screen window and the presentation
// thread; a 50 ms timer reads the transport's session clock, which the presentation thread
// shares, applies every event as it falls due and ends the session at its length, on Stop, or
// on a key in the full-screen window.
//
// Events are applied through the event playhead, which the sound export shares; the controller
// carries its requests out with track threads and the phrase reader.
//
// Thread rule: user-interface thread only. Track threads and the presentation thread see the
// state the transport publishes, republished after every change made here. The document is
// only read.

#include "Transport.h"
#include "audio/tracks/PlayUtils.h"
#include "model/EventPlayhead.h"
#include "model/SessionDocument.h"
#include "visual/PhraseSource.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QTimer;

namespace umbrascope {

class TFullScreenForm;
class TVideoThread;

// What the controller asks of the window it serves.
struct PlaybackDisplay {
    std::function<void()> UpdateDisplay;           // labels, track list, preview and timeline
    std::function<void()> RepaintTimeline;         // the timeline strip and the time label
    std::function<void(bool playing)> ShowPlaying; // buttons, menus and toolbar
    std::function<void(const UserText&)> Report;   // a message that must not hold the clock up
    // A track whose file is not found (its Windows-1251 text); the window passes over it
    // silently and leaves this empty.
    std::function<void(const std::string&)> TrackNotFound;
};

class PlaybackController final : private PlaybackActions {
public:
    // How long one tick spends refreshing the display event by event.
    static constexpr std::chrono::milliseconds RefreshBudget{20};

    // Plays document with transport, which must both outlive the controller. fullScreen may
    // be null when the session is only ever played as sound; timer ticks the clock (its
    // timeout must call ControlTimerTimer; a test may call it itself instead).
    PlaybackController(const SessionDocument& document, Transport& transport, QTimer& timer,
                       TFullScreenForm* fullScreen, PlaybackDisplay display);
    ~PlaybackController() override;
    PlaybackController(const PlaybackController&) = delete;
    PlaybackController& operator=(const PlaybackController&) = delete;

    // Plays from the transport's SessionPosition, with picture or as sound only. If anything fails
    // while starting, returns to idle and rethrows.
    void PlayButtonClick(bool withPicture);
    void StopButtonClick();
    void ControlTimerTimer();

    // Read by the window and by tests.
    std::int32_t LastEventIndex() const;
    bool TimerBusy() const { return timerBusy_; }
    std::vector<TrackHandle> PlayThreads() const;
    bool HasPhraseReader() const { return phrases_.HasReader(); }
    bool PlayingWithPicture() const { return transport_.IsPlaying() && withPicture_; }

private:
    std::size_t FirstEventDue() const;
    void ApplyDueEvents();
    void ReturnToIdle();

    void StartTrack(const std::string& descriptor, std::int32_t offset,
                    std::uint32_t number) override;
    void StopTrack(std::uint32_t number) override;
    void SwitchPhraseFile(const std::optional<std::string>& path) override;
    void Report(const UserText& message) override;
    void TrackNotFound(const std::string& descriptor) override;

    const SessionDocument& document_;
    Transport& transport_;
    QTimer& timer_;
    TFullScreenForm* fullScreen_;
    PlaybackDisplay display_;
    // Kept by the presentation thread and shared with the track threads.
    const std::shared_ptr<const PublishedState> published_;
    PhraseSource phrases_;
    std::unique_ptr<TVideoThread> videoThread_;
    std::unique_ptr<EventPlayhead> playhead_;
    std::vector<std::pair<std::uint32_t, TrackHandle>> playThreads_; // by track number
    bool timerBusy_ = false;
    bool withPicture_ = false;
    // The state a Stop left: Play from there goes on after the events already applied.
    std::shared_ptr<const SessionValuesInForce> stoppedState_;
    std::int32_t stoppedPosition_ = -1;
    std::int32_t stoppedEventIndex_ = -1;
};

} // namespace umbrascope
