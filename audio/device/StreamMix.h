#pragma once

// What a sound card does with the streams of several programs: the next frames of every
// stream, each at its own level, summed and clipped to full scale. The shared SDL2 device and
// the in-memory test device mix alike.
//
// Thread rule: call from the device side (SDL2's audio thread, the watcher that keeps the pace
// while the sound server is away, or a test) with the list of streams held still.

#include "PcmQueue.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace umbrascope {

// Writes frames float stereo frames (1.0 = full scale) to out. When a sample had to be cut,
// the players of the streams mixed are told (PlayReports::MarkClipped).
void MixStreams(const std::vector<std::shared_ptr<PcmQueue>>& streams, float* out,
                std::size_t frames);

} // namespace umbrascope
