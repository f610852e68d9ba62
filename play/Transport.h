#pragma once

// The transport: where play of the open document stands. It holds the position on the
// timeline (SessionPosition), the state in force there (CurrentValues), whether the session
// plays (IsPlaying), the state published for the threads that play it, the session clock, and
// the track threads with what they report. The document holds only the session's content; the
// window and --play each own one transport beside their document, and a test its own, so two
// players in one process share nothing.
//
// Thread rule: the user-interface thread (or a command-line mode's only thread) uses it; the
// threads that play see only Published(), the clock and their own reports.

#include "SessionClock.h"
#include "audio/tracks/PlayUtils.h"
#include "model/PublishedState.h"
#include "model/Session.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace umbrascope {

class Transport {
public:
    // clock: the program's monotonic clock, or a test's virtual one. messages: where the
    // problems of the tracks go; none prints them on standard error.
    explicit Transport(std::unique_ptr<SessionClock> clock = std::make_unique<MonotonicClock>(),
                       std::shared_ptr<UserMessages> messages = nullptr);
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    std::int32_t SessionPosition = 0; // ms
    // The state in force at SessionPosition, as last computed or advanced by playing.
    SessionValuesInForce CurrentValues;

    // Rebuilds CurrentValues for time t from the session's content (see StateAt) and publishes
    // it. Returns the message that stopped the computation, if any (Windows-1251).
    [[nodiscard]] std::optional<std::string> ComputeStateAt(const Session& content, std::int32_t t);

    // A session just opened or made new: position 0 and the state there.
    [[nodiscard]] std::optional<std::string> Rewind(const Session& content);

    // A session shortened below the position keeps the position inside it.
    void KeepPositionInSession(std::int32_t sessionLength);

    // Makes the present CurrentValues visible to the threads that play the session.
    void PublishCurrentValues();

    // Whether the session plays; the playback controller sets it.
    bool IsPlaying() const { return published_->IsPlaying(); }
    void SetPlaying(bool playing) { published_->SetPlaying(playing); }

    // What the threads that play the session read. Shared, since a track thread may play its
    // last buffer out after the transport has gone.
    std::shared_ptr<const PublishedState> Published() const { return published_; }

    // Thread safe: the session time line of the controller and the presentation thread.
    SessionClock& Clock() const { return *clock_; }

    TrackThreads& Tracks() { return tracks_; }
    const TrackThreads& Tracks() const { return tracks_; }

private:
    const std::unique_ptr<SessionClock> clock_;
    const std::shared_ptr<PublishedState> published_ = std::make_shared<PublishedState>();
    TrackThreads tracks_; // last: its threads are joined before the rest goes
};

} // namespace umbrascope
