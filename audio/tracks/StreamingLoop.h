#pragma once

// The streaming loop every track thread runs, whatever its source: two buffers in flight,
// each filled, silenced while sound is switched off, queued and given the master volume;
// after a stop the queued sound plays out and the stream closes.

#include "audio/sources/TrackSource.h"
#include "model/PublishedState.h"

#include <atomic>
#include <cstdint>

namespace umbrascope {

// Call from the track thread only. Blocks until running has become false and the queued
// sound has played (each wait on the device is bounded, so a device that stops playing ends
// the track too). Every buffer is silenced or given the master volume as state publishes them.
// When the stream cannot be opened it returns at once, after telling the user if the source
// asks for that.
void StreamTrack(TrackSource& source, const std::atomic<bool>& running,
                 const PublishedState& state);

// The stream level for a master volume in percent; above 100 % it stays at full scale.
double MasterLevel(int volumePercent);

// Thread safe: how many track streams have been opened since the program started, and how many
// the device refused. The command line ends a play in which no track could open with status 1.
struct TrackStreamCounts {
    std::uint64_t opened = 0;
    std::uint64_t refused = 0;
};
TrackStreamCounts CountTrackStreams();

} // namespace umbrascope
