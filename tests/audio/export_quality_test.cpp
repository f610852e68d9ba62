// The sound of an exported tone, measured: frequency, amplitude, spurious components and the
// first frames, for a binaural track at 44.1 kHz.

#include "Spectrum.h"
#include "audio/export/SessionExport.h"
#include "model/Session.h"
#include "model/SessionState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace umbrascope {

namespace {

constexpr int Rate = 44100;

std::vector<std::int16_t> ExportBinaural(bool dither) {
    Session session;
    session.SessionLength = 60000;
    session.StartValues.Waves = {".&01%8@260@50"};
    SessionRenderer renderer(session, "", 0, 20000, Rate, {16, dither});
    std::vector<std::int16_t> out(renderer.TotalFrames() * 2);
    renderer.Render(out.data(), renderer.TotalFrames());
    return out;
}

auto Channel(const std::vector<std::int16_t>& stereo, int channel) {
    return [&stereo, channel](std::size_t i) { return double(stereo[i * 2 + channel]); };
}

} // namespace

TEST(ExportQuality, ABinauralToneIsExactInFrequencyLevelAndStartAndCleanInSpectrum) {
    const auto out = ExportBinaural(true);
    // A 10 s window from 5 s on.
    const std::size_t from = 5 * Rate, length = 10 * Rate;
    const double level = 32767 * 0.5;
    for (const auto& [channel, f] : {std::pair{0, 260.0}, std::pair{1, 268.0}}) {
        SCOPED_TRACE(channel);
        const ToneMeasure tone = MeasureTone(Channel(out, channel), from, length, f, Rate);
        EXPECT_NEAR(tone.frequency, f, 1e-6);
        EXPECT_NEAR(20 * std::log10(tone.amplitude / level), 0.0, 0.01);
        EXPECT_LT(LargestSpurDb(Channel(out, channel), from, length), -110);
        // The first frames are the formula's, dither aside: no converter rings at the start.
        for (std::size_t n = 0; n < 10; ++n) {
            const double formula = std::sin(2 * std::numbers::pi * f * double(n) / Rate) * level;
            EXPECT_NEAR(out[n * 2 + channel], std::nearbyint(formula), 1.0) << "frame " << n;
        }
    }
}

TEST(ExportQuality, WithoutDitherTheRoundingLeavesNoSpurAboveMinus95Db) {
    const auto out = ExportBinaural(false);
    EXPECT_LT(LargestSpurDb(Channel(out, 0), 5 * Rate, 10 * Rate), -95);
    EXPECT_LT(LargestSpurDb(Channel(out, 1), 5 * Rate, 10 * Rate), -95);
}

} // namespace umbrascope
