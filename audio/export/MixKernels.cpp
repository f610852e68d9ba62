#include "MixKernels.h"

#include "audio/sources/SineKernels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace umbrascope {

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

// The dither of samples first .. first + 3: a function of each sample's own number.
Float4 Dither4(std::uint64_t first) {
    const auto base = static_cast<std::uint32_t>(first);
    const UInt4 h = Hash(UInt4{base, base + 1, base + 2, base + 3} ^ DitherSeed);
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

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QUANTIZE_AVX2 1
// The 16-bit rounding eight samples at a time on processors with AVX2, which most spend their
// export time in; the same results as Quantize, sample for sample.
__attribute__((target("avx2"))) std::uint64_t Quantize16Avx2(const float* mix, std::size_t samples,
                                                             std::uint64_t first, bool dither,
                                                             float scale, std::int16_t* out) {
    const __m256 factor = _mm256_set1_ps(scale);
    const __m256 big = _mm256_set1_ps(1.0e9f), over = _mm256_set1_ps(32767.5f),
                 under = _mm256_set1_ps(-32768.5f), zero = _mm256_setzero_ps();
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i low16 = _mm256_set1_epi32(0xFFFF), seed = _mm256_set1_epi32(int(DitherSeed));
    __m256i clipped = _mm256_setzero_si256();
    std::size_t i = 0;
    for (; i + 8 <= samples; i += 8) {
        const __m256 v = _mm256_loadu_ps(mix + i);
        __m256 scaled = _mm256_min_ps(_mm256_max_ps(_mm256_mul_ps(v, factor), -big), big);
        clipped =
            _mm256_sub_epi32(clipped, _mm256_castps_si256(_mm256_cmp_ps(scaled, over, _CMP_GE_OQ)));
        clipped = _mm256_sub_epi32(clipped,
                                   _mm256_castps_si256(_mm256_cmp_ps(scaled, under, _CMP_LT_OQ)));
        if (dither) {
            const auto base = static_cast<int>(static_cast<std::uint32_t>(first + i));
            __m256i h = _mm256_xor_si256(_mm256_add_epi32(_mm256_set1_epi32(base), lanes), seed);
            h = _mm256_xor_si256(h, _mm256_srli_epi32(h, 16));
            h = _mm256_mullo_epi32(h, _mm256_set1_epi32(0x7feb352d));
            h = _mm256_xor_si256(h, _mm256_srli_epi32(h, 15));
            h = _mm256_mullo_epi32(h, _mm256_set1_epi32(int(0x846ca68bu)));
            h = _mm256_xor_si256(h, _mm256_srli_epi32(h, 16));
            const __m256i difference =
                _mm256_sub_epi32(_mm256_and_si256(h, low16), _mm256_srli_epi32(h, 16));
            const __m256 d =
                _mm256_mul_ps(_mm256_cvtepi32_ps(difference), _mm256_set1_ps(1.0f / 65536));
            const __m256 sounding = _mm256_cmp_ps(v, zero, _CMP_NEQ_UQ);
            scaled = _mm256_add_ps(scaled, _mm256_and_ps(d, sounding));
        }
        const __m256i r = _mm256_cvtps_epi32(scaled);
        const __m128i packed =
            _mm_packs_epi32(_mm256_castsi256_si128(r), _mm256_extracti128_si256(r, 1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), packed);
    }
    alignas(32) std::int32_t counts[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(counts), clipped);
    std::uint64_t count = 0;
    for (const std::int32_t c : counts)
        count += static_cast<std::uint64_t>(c);
    return count + Quantize(mix + i, samples - i, first + i, dither, scale, -32768, 32767, out + i);
}
#endif

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
#if defined(QUANTIZE_AVX2)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2)
        return Quantize16Avx2(mix, samples, firstSample, dither, gain * 32768.0f, out);
#endif
    return Quantize(mix, samples, firstSample, dither, gain * 32768.0f, -32768, 32767, out);
}

std::uint64_t Quantize24(const float* mix, float gain, std::size_t samples,
                         std::uint64_t firstSample, bool dither, std::int32_t* out) {
    return Quantize(mix, samples, firstSample, dither, gain * 8388608.0f, -8388608, 8388607, out);
}

} // namespace umbrascope
