#pragma once

// The export's mix: tracks summed at the master level in float (1.0 = 16-bit full scale), then
// rounded once to the output's bits, with halves to even, saturating, and optionally with
// triangular (TPDF) dither of one least significant bit.
//
// Thread rule: pure functions over the arrays they are given; several may run at once on
// different parts of a block.

#include <cstddef>
#include <cstdint>

namespace umbrascope {

// mix[i] += track[i] * level for i below samples.
void AddScaled(float* mix, const float* track, float level, std::size_t samples);

// The dither of the output sample with this number (frames times two plus the channel): a
// value in (-1, 1) least significant bits with a triangular distribution, the same whatever
// block or thread computes it.
float DitherAt(std::uint64_t sample);

// Rounds samples of mix times gain to 16 or 24 bits, adding DitherAt(firstSample + i) when
// dither is on, except to samples that are exactly zero: digital silence stays silence. Returns
// how many samples had to be cut to full scale (not counting those only the dither pushed
// past it).
std::uint64_t Quantize16(const float* mix, float gain, std::size_t samples,
                         std::uint64_t firstSample, bool dither, std::int16_t* out);
std::uint64_t Quantize24(const float* mix, float gain, std::size_t samples,
                         std::uint64_t firstSample, bool dither, std::int32_t* out);

} // namespace umbrascope
