#pragma once

// Packed 24-bit samples, which sound devices and SDL2's converter do not take, widened to
// 32 bits.

#include "TrackSource.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The format after widening: 24-bit samples become 32-bit ones, others stay.
PcmFormat WidenedFormat(PcmFormat format);

// 24-bit little-endian samples become the top three bytes of 32-bit ones.
std::vector<std::uint8_t> Widen24(const std::uint8_t* data, std::size_t bytes);
