#pragma once

// The event playhead: what playing a session does as its events fall due. The live playback
// controller, the sound export and the video export's pictures all play through it, so they
// start the same tracks at the same offsets, apply the same events and stop the same tracks;
// each advances it with ApplyDueEvents and carries the effects out in its own way through
// PlaybackActions.

#include "Session.h"
#include "base/UserText.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace umbrascope {

// What the playhead asks of the one who plays: the controller starts track threads and
// replaces the phrase reader; the export starts offline sources and ignores the phrase file.
class PlaybackActions {
public:
    virtual ~PlaybackActions() = default;

    // Starts a track (file paths resolved) `offset` ms into it. `number` counts the tracks
    // started in this play from 0; no two playing tracks share one.
    virtual void StartTrack(const std::string& descriptor, std::int32_t offset,
                            std::uint32_t number) = 0;

    // Stops the track started with this number.
    virtual void StopTrack(std::uint32_t number) = 0;

    // The phrase file in force changed: its resolved path, or none when it cannot be used.
    virtual void SwitchPhraseFile(const std::optional<std::string>& path) = 0;

    // A problem the user is told about; each text once per play.
    virtual void Report(const UserText& message) = 0;

    // A track whose file is found neither where it names nor beside the project; it does not
    // play. Live play passes over it silently.
    virtual void TrackNotFound(const std::string& /*descriptor*/) {}
};

// Index of the first event still to apply when playing starts at position with the state
// StateAt gave for it: events before the position are in that state, events at exactly the
// position are not, so they are still due.
std::size_t FirstEventDueAfterComputedState(const std::vector<TSessionEvent>& events,
                                            std::int32_t position);

// What a removal event's value names: a track whose descriptor equals the value regardless of
// case, either as stored or resolved the way an added track is resolved (a moved project
// rewrites added tracks to the project's folder; removal values keep the original path).
// The value is resolved once, when the target is made.
class RemovalTarget {
public:
    RemovalTarget(std::string_view value, std::string_view projectFolder);
    bool Names(std::string_view track) const;

private:
    std::string value_;
    std::optional<std::string> resolved_; // only when resolving changed the value
};

// The last entry that the removal names, if any.
std::optional<std::size_t> FindLastRemovalMatch(const std::vector<TWaveEntry>& waves,
                                                const RemovalTarget& target);

// Thread rule: one playhead belongs to one thread, with the events and the state it is given.
class EventPlayhead {
public:
    // Tracks that may sound at once. A session rarely has more than a handful; each playing
    // track costs a thread and its buffers live, and a mix of more than this many full-scale
    // tracks is noise. Tracks beyond it are left silent (and reported once), so a damaged or
    // hostile file cannot start thousands of threads.
    static constexpr std::size_t MaxPlayingTracks = 64;

    // events: the list played, in order, which playing never changes (an added track found
    // only in the project's folder plays, and joins the state, under the path it was found at).
    // state: the state in force, which the playhead keeps.
    EventPlayhead(const std::vector<TSessionEvent>& events, SessionValuesInForce& state,
                  std::string projectFolder, PlaybackActions& actions);

    // Begins at position with the state computed for it: opens the phrase file, starts every
    // track of the state at its offset into the track, and continues with event firstDue.
    void Start(std::int32_t position, std::size_t firstDue);

    // The next event to apply, if any is left.
    std::optional<std::int32_t> NextEventTime() const;
    std::size_t NextEventIndex() const { return next_; }

    // Applies, in list order, every event still to apply whose time is not after `time`.
    // afterEach, when given, runs after each of them (the window shows each one).
    void ApplyDueEvents(std::int64_t time, const std::function<void()>& afterEach = {});

    // Tells the user once per play.
    void ReportOnce(const UserText& message);

    // Tracks started and not stopped, in start order (descriptors as resolved).
    std::vector<std::string> PlayingTracks() const;

private:
    struct PlayingTrack {
        std::string descriptor;
        std::uint32_t number;
    };

    void ApplyNext();
    void StartTrack(const std::string& descriptor, std::int32_t offset);
    void ChangePhraseFile(const TSessionEvent& event);
    void AddTrack(const TSessionEvent& event);
    void RemoveTrack(const TSessionEvent& event);

    const std::vector<TSessionEvent>& events_;
    SessionValuesInForce& state_;
    std::string projectFolder_;
    PlaybackActions& actions_;
    std::size_t next_ = 0;
    std::uint32_t tracksStarted_ = 0;
    std::vector<PlayingTrack> playing_;
    std::set<std::string> reported_;
};

} // namespace umbrascope
