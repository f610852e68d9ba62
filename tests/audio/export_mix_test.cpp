// The export's rounding: every sample, whichever code path and whatever slice computes it, is
// its own mix value plus its own dither, rounded halves to even and cut to the range.

#include "audio/export/MixKernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace umbrascope {

TEST(ExportMix, EverySampleIsItsValuePlusItsDitherRoundedAndCut) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> any(-1.2f, 1.2f);
    std::vector<float> mix(1003);
    for (float& value : mix)
        value = any(random);
    mix[5] = 0.0f;                                // silence stays silence
    mix[6] = 100.5f / 32768;                      // a half: to even without dither
    mix[7] = -32768.5f / 32768;                   // rounds to -32768: not cut
    const std::uint64_t first = 4'294'967'290ull; // the numbers run past 32 bits
    for (const bool dither : {false, true}) {
        std::vector<std::int16_t> whole(mix.size()), sliced(mix.size());
        const std::uint64_t clipped =
            Quantize16(mix.data(), 1.0f, mix.size(), first, dither, whole.data());
        std::uint64_t expectedClipped = 0;
        for (std::size_t i = 0; i < mix.size(); ++i) {
            const float scaled = mix[i] * 32768.0f;
            const float d = dither && mix[i] != 0.0f ? DitherAt(first + i) : 0.0f;
            ASSERT_LT(std::abs(d), 1.0f);
            const float rounded = std::nearbyint(scaled + d);
            expectedClipped += std::nearbyint(scaled) > 32767 || std::nearbyint(scaled) < -32768;
            ASSERT_EQ(whole[i], std::clamp(rounded, -32768.0f, 32767.0f)) << i << " " << dither;
        }
        EXPECT_EQ(clipped, expectedClipped);
        EXPECT_GT(clipped, 0u);
        for (std::size_t at = 0; at < mix.size();) {
            const std::size_t length = std::min<std::size_t>(1 + at % 13, mix.size() - at);
            Quantize16(mix.data() + at, 1.0f, length, first + at, dither, sliced.data() + at);
            at += length;
        }
        EXPECT_EQ(sliced, whole);
    }
}

} // namespace umbrascope
