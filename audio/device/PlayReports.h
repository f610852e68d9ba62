#pragma once

// What the sound of one player (the window, or --play) tells that player: the problems its
// track threads and the sound device meet, handed on at once to the player's messages; whether
// its mix had to be cut at full scale; how many of its track streams opened or were refused.
// Each player has its own, so two players in one process share none of it. Track threads and
// the device hold it by a shared pointer, since a track may end after its player has gone.
//
// Thread safe; nothing here waits for the user.

#include "audio/sources/TrackSource.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace umbrascope {

// How many track streams were opened, and how many the device refused. The command line ends
// a play in which no track could open with status 1.
struct TrackStreamCounts {
    std::uint64_t opened = 0;
    std::uint64_t refused = 0;
};

class PlayReports {
public:
    // messages: where problems go; none sends them to standard error.
    explicit PlayReports(std::shared_ptr<UserMessages> messages = nullptr);

    // Returns at once: the player's messages show or print it in turn.
    void Post(const UserText& text);

    // The device side: a mix this player's sound was in had to cut a sample to full scale.
    void MarkClipped();
    // Whether a mix was cut since the last call; the window lights its clip indicator.
    bool TakeClipped();

    // A track thread: its stream was opened, or the device refused it.
    void CountStream(bool opened);
    TrackStreamCounts Streams() const;

private:
    const std::shared_ptr<UserMessages> messages_;
    std::atomic<bool> clipped_{false};
    std::atomic<std::uint64_t> opened_{0};
    std::atomic<std::uint64_t> refused_{0};
};

} // namespace umbrascope
