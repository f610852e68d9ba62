#include "MixKernels.h"

#include "SineKernels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using Float4 = float __attribute__((vector_size(16)));

// A well-mixing 32-bit hash (Wellons' "lowbias32"): its two halves make two independent
// 16-bit uniform numbers, whose difference is triangular on (-1, 1).
template <typename T> T Hash(T x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

constexpr std::uint32_t DitherSeed = 0x5EED1E55u;

Float4 Dither4(std::uint64_t first) {
    const auto base = static_cast<std::uint32_t>(first) ^ DitherSeed;
    const UInt4 h = Hash(UInt4{base, base + 1, base + 2, base + 3});
    const Int4 difference =
        __builtin_convertvector(h & 0xFFFFu, Int4) - __builtin_convertvector(h >> 16, Int4);
    return __builtin_convertvector(difference, Float4) * (1.0f / 65536);
}

Float4 Load(const float* at) {
    Float4 v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

// Rounds to the nearest integer, halves to even, into 32 bits (values far beyond any sample
// size come out as the most negative integer, which the callers clip).
Int4 RoundToInt(Float4 v) {
#if defined(__SSE2__)
    __m128 x;
    std::memcpy(&x, &v, sizeof x);
    const __m128i r = _mm_cvtps_epi32(x);
    Int4 out;
    std::memcpy(&out, &r, sizeof out);
    return out;
#else
    Int4 out;
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::int32_t>(
            std::clamp(std::nearbyint(double(v[i])), -2147483648.0, 2147483647.0));
    return out;
#endif
}

// Four samples scaled, dithered (except zero ones: silence stays silence) and rounded. A sample
// counts as cut when it would be cut without the dither: dither that merely touches full scale
// is not the sound clipping.
Int4 Rounded(const float* mix, float scale, std::uint64_t first, bool dither, std::int32_t lowest,
             std::int32_t highest, Int4& clipped) {
    const Float4 v = Load(mix);
    Float4 scaled = v * scale;
    // Beyond every sample size but within the conversion's range.
    scaled = scaled > 1.0e9f ? 1.0e9f : scaled < -1.0e9f ? -1.0e9f : scaled;
    const float over = static_cast<float>(highest) + 0.5f; // rounds up past highest
    const float under = static_cast<float>(lowest) - 0.5f; // rounds down past lowest
    clipped -= (scaled >= over) + (scaled < under);        // masks are -1
    if (dither)
        scaled = v == 0.0f ? scaled : scaled + Dither4(first);
    return RoundToInt(scaled);
}

// Stores four rounded samples, cut to the range.
void Store4(Int4 r, std::int32_t lowest, std::int32_t highest, std::int16_t* out) {
    const Int4 kept = r > highest ? highest : r < lowest ? lowest : r;
    const auto narrow = __builtin_convertvector(kept, std::int16_t __attribute__((vector_size(8))));
    std::memcpy(out, &narrow, sizeof narrow);
}

void Store4(Int4 r, std::int32_t lowest, std::int32_t highest, std::int32_t* out) {
    const Int4 kept = r > highest ? highest : r < lowest ? lowest : r;
    std::memcpy(out, &kept, sizeof kept);
}

template <typename Out>
WIDE_VECTORS std::uint64_t Quantize(const float* mix, std::size_t samples, std::uint64_t first,
                                    bool dither, float scale, std::int32_t lowest,
                                    std::int32_t highest, Out* out) {
    Int4 clipped{};
    std::size_t i = 0;
    for (; i + 4 <= samples; i += 4)
        Store4(Rounded(mix + i, scale, first + i, dither, lowest, highest, clipped), lowest,
               highest, out + i);
    if (i < samples) {
        // The padding is zero, so it never counts as cut.
        float tail[4] = {};
        Out rest[4];
        std::copy(mix + i, mix + samples, tail);
        Store4(Rounded(tail, scale, first + i, dither, lowest, highest, clipped), lowest, highest,
               rest);
        std::copy(rest, rest + (samples - i), out + i);
    }
    return static_cast<std::uint64_t>(clipped[0]) + static_cast<std::uint64_t>(clipped[1]) +
           static_cast<std::uint64_t>(clipped[2]) + static_cast<std::uint64_t>(clipped[3]);
}

} // namespace

WIDE_VECTORS void AddScaled(float* mix, const float* track, float level, std::size_t samples) {
    std::size_t i = 0;
    for (; i + 4 <= samples; i += 4) {
        const Float4 sum = Load(mix + i) + Load(track + i) * level;
        std::memcpy(mix + i, &sum, sizeof sum);
    }
    for (; i < samples; ++i)
        mix[i] += track[i] * level;
}

float DitherAt(std::uint64_t sample) {
    return Dither4(sample)[0];
}

std::uint64_t Quantize16(const float* mix, float gain, std::size_t samples,
                         std::uint64_t firstSample, bool dither, std::int16_t* out) {
    return Quantize(mix, samples, firstSample, dither, gain * 32768.0f, -32768, 32767, out);
}

std::uint64_t Quantize24(const float* mix, float gain, std::size_t samples,
                         std::uint64_t firstSample, bool dither, std::int32_t* out) {
    return Quantize(mix, samples, firstSample, dither, gain * 8388608.0f, -8388608, 8388607, out);
}
