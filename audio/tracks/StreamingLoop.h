#pragma once

// The streaming loop every track thread runs, whatever its source: two buffers in flight,
// each filled, silenced while sound is switched off, queued and given the master volume;
// after a stop the queued sound plays out and the stream closes.

#include "audio/device/PlayReports.h"
#include "audio/sources/TrackSource.h"
#include "model/PublishedState.h"

#include <atomic>
#include <cstdint>

namespace umbrascope {

// Call from the track thread only. Blocks until running has become false and the queued
// sound has played, or at once when playOut (if given) has gone false too (each wait on the
// device is bounded, so a device that stops playing ends the track too). Every buffer is
// silenced or given the master volume as state publishes them. The stream's opening is counted
// in reports, and its mix clipping marked there; when the stream cannot be opened it returns
// at once, after posting the device's problem if the source asks for that.
void StreamTrack(TrackSource& source, const std::atomic<bool>& running, const PublishedState& state,
                 const std::shared_ptr<PlayReports>& reports,
                 const std::atomic<bool>* playOut = nullptr);

// The stream level for a master volume in percent; above 100 % it stays at full scale.
double MasterLevel(int volumePercent);

} // namespace umbrascope
