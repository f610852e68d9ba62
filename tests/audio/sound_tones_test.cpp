#include "SignalMeasure.h"
#include "audio/sources/Tones.h"
#include "model/Arithmetic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace umbrascope {

namespace {

struct Frame {
    int left;
    int right;
};

// Buffers of a generated track in a row, as frames.
std::vector<Frame> Generate(ToneParams params, std::size_t buffers) {
    std::vector<Frame> frames;
    std::vector<std::uint8_t> buffer(ToneBufferBytes);
    NoiseGenerator random;
    for (std::size_t b = 0; b < buffers; ++b) {
        if (params.Kind == TrackKind::Noise)
            FillNoiseBuffer(params, random, buffer.data());
        else
            FillToneBuffer(params, buffer.data());
        for (std::size_t i = 0; i < ToneFramesPerBuffer; ++i) {
            const auto sample = [&](int c) {
                const std::size_t at = (i * 2 + c) * 2;
                return static_cast<int>(
                    static_cast<std::int16_t>(buffer[at] | buffer[at + 1] << 8));
            };
            frames.push_back({sample(0), sample(1)});
        }
    }
    return frames;
}

ToneParams Parsed(const char* descriptor) {
    const auto params = ParseToneDescriptor(descriptor);
    EXPECT_TRUE(params) << descriptor;
    return params.value_or(ToneParams{});
}

// The sample the formula gives, in extended precision, halves to even.
int Expected(std::uint32_t n, long double f, long double level) {
    const long double pi = std::numbers::pi_v<long double>;
    return static_cast<int>(*RoundHalfEven(std::sin(2 * pi * n / (22050.0L / f)) * 32767 * level));
}

double ChannelFrequency(const std::vector<Frame>& frames, bool right, std::size_t from,
                        std::size_t to) {
    return CrossingFrequency(
        [&](std::size_t i) { return right ? frames[i].right : frames[i].left; }, from, to, 22050.0);
}

TEST(TonesTest, SamplesFollowTheFormulaAcrossBuffers) {
    const auto binaural = Generate(Parsed(".&01%8@260@100"), 3);
    const auto sine = Generate(Parsed(".&04%333@0@35"), 3);
    const auto modulation = Generate(Parsed(".&02%8@260@5@70"), 3);
    // Off by one at most: double and extended precision may round a value near a half apart.
    for (const std::uint32_t n : {0u, 1u, 2u, 1000u, 4095u, 4096u, 4097u, 8191u, 8192u, 12287u}) {
        EXPECT_NEAR(binaural[n].left, Expected(n, 260, 1), 1) << n;
        EXPECT_NEAR(binaural[n].right, Expected(n, 268, 1), 1) << n;
        EXPECT_NEAR(sine[n].left, Expected(n, 333, 0.35L), 1) << n;
        EXPECT_EQ(sine[n].left, sine[n].right) << n;
        // The phase of the modulated tone is n times the frequency of frame n.
        const long double fi =
            262.5L + 2.5L * std::sin(2 * std::numbers::pi_v<long double> * n / (22050.0L / 8));
        EXPECT_NEAR(modulation[n].left, Expected(n, fi, 0.7L), 1) << n;
        EXPECT_EQ(modulation[n].left, modulation[n].right) << n;
    }
}

TEST(TonesTest, FrameZeroIsSilentForEveryKind) {
    for (const char* descriptor :
         {".&01%8@260@100", ".&02%8@260@5@100", ".&03%0@100", ".&04%333@0@100"}) {
        const auto frames = Generate(Parsed(descriptor), 1);
        EXPECT_EQ(frames[0].left, 0) << descriptor;
        EXPECT_EQ(frames[0].right, 0) << descriptor;
    }
}

TEST(TonesTest, BinauralBeatsPlayTheCarrierLeftAndCarrierPlusBeatRight) {
    const auto frames = Generate(Parsed(".&01%8@260@100"), 11); // about two seconds
    EXPECT_NEAR(ChannelFrequency(frames, false, 0, frames.size()), 260, 0.05);
    EXPECT_NEAR(ChannelFrequency(frames, true, 0, frames.size()), 268, 0.05);
}

TEST(TonesTest, OneSidedSineLeavesTheOtherSideSilent) {
    const auto left = Generate(Parsed(".&04%333@1@100"), 2);
    const auto right = Generate(Parsed(".&04%333@2@100"), 2);
    const auto neither = Generate(Parsed(".&04%333@7@100"), 1);
    int leftPeak = 0, rightPeak = 0;
    for (std::size_t i = 0; i < left.size(); ++i) {
        EXPECT_EQ(left[i].right, 0);
        EXPECT_EQ(right[i].left, 0);
        EXPECT_EQ(left[i].left, right[i].right);
        leftPeak = std::max(leftPeak, std::abs(left[i].left));
        rightPeak = std::max(rightPeak, std::abs(right[i].right));
    }
    EXPECT_GT(leftPeak, 32000);
    EXPECT_GT(rightPeak, 32000);
    for (const Frame& frame : neither)
        EXPECT_TRUE(frame.left == 0 && frame.right == 0);
}

TEST(TonesTest, VolumeZeroIsSilentAndFullVolumePeaksAtFullScale) {
    for (const Frame& frame : Generate(Parsed(".&01%8@260@0"), 2))
        EXPECT_TRUE(frame.left == 0 && frame.right == 0);
    for (const Frame& frame : Generate(Parsed(".&03%0@0"), 2))
        EXPECT_TRUE(frame.left == 0 && frame.right == 0);
    int peak = 0;
    for (const Frame& frame : Generate(Parsed(".&04%333@0@100"), 2))
        peak = std::max({peak, std::abs(frame.left), std::abs(frame.right)});
    EXPECT_LE(peak, 32767);
    EXPECT_GE(peak, 32760);
}

TEST(TonesTest, VolumesAboveOneHundredClipToSixteenBits) {
    int clippedHigh = 0, clippedLow = 0;
    for (const Frame& frame : Generate(Parsed(".&03%0@500"), 2)) {
        for (const int sample : {frame.left, frame.right}) {
            clippedHigh += sample == 32767;
            clippedLow += sample == -32768;
        }
    }
    EXPECT_GT(clippedHigh, 1000);
    EXPECT_GT(clippedLow, 1000);
    int peak = 0;
    for (const Frame& frame : Generate(Parsed(".&04%333@0@200"), 1))
        peak = std::max(peak, frame.left);
    EXPECT_EQ(peak, 32767);
}

TEST(TonesTest, ASineRunsOnAcrossBuffersWithoutAPhaseStep) {
    const auto frames = Generate(Parsed(".&04%333@0@100"), 2);
    // Frame 4096 continues the sine of frame 4095: the step is the one between any neighbours.
    const int step = frames[4096].left - frames[4095].left;
    EXPECT_NEAR(step, Expected(4096, 333, 1) - Expected(4095, 333, 1), 1);
    EXPECT_NE(frames[4096].left, 0);
}

// Highest minus lowest frequency heard over 50 ms windows of about a second from startFrame.
double SweepWidth(ToneParams params, std::uint32_t startFrame) {
    params.SampleIndex = startFrame;
    const auto frames = Generate(params, 6);
    double lowest = 1e9, highest = 0;
    for (std::size_t from = 0; from + 1103 <= frames.size(); from += 1103) {
        const double f = ChannelFrequency(frames, false, from, from + 1103);
        lowest = std::min(lowest, f);
        highest = std::max(highest, f);
    }
    return highest - lowest;
}

TEST(TonesTest, ModulatedToneSweepsWiderAsItRuns) {
    // The phase is not accumulated, so the heard frequency swings by about n times the rate of
    // change of the instantaneous frequency: a few hertz at first, far more later on.
    const ToneParams params = Parsed(".&02%8@260@5@100");
    EXPECT_NEAR(ChannelFrequency(Generate(params, 1), false, 0, 256), 262.5, 12);
    const double early = SweepWidth(params, 0);
    const double late = SweepWidth(params, 20 * 22050);
    EXPECT_LT(early, 200);
    EXPECT_GT(late, 4 * early);
}

TEST(TonesTest, NoiseTracksDrawTheSameSequenceFromGeneratorsOfTheirOwn) {
    const ToneParams params = Parsed(".&03%0@100");
    const auto first = Generate(params, 2);
    const auto second = Generate(params, 2);
    int differentSides = 0;
    for (std::size_t i = 0; i < first.size(); ++i) {
        ASSERT_EQ(first[i].left, second[i].left) << i;
        ASSERT_EQ(first[i].right, second[i].right) << i;
        differentSides += first[i].left != first[i].right;
    }
    EXPECT_GT(differentSides, 8000);

    // Two sources in the same thread do not share their generator.
    NoiseSource a(params), b(params);
    std::vector<std::uint8_t> bufferA(ToneBufferBytes), bufferB(ToneBufferBytes);
    a.Fill(bufferA.data());
    a.Fill(bufferA.data());
    b.Fill(bufferB.data());
    b.Fill(bufferB.data());
    EXPECT_EQ(bufferA, bufferB);
}

// The formula's 16-bit sample with one std::sin per sample, in double precision as live play
// has always computed it: the fast generator must give exactly these samples.
int Reference(std::uint32_t n, double f, double level) {
    if (f == 0)
        return 0;
    const double value = std::sin(2 * std::numbers::pi * n / (22050 / f)) * 32767 * level;
    return static_cast<int>(std::clamp(std::nearbyint(value), -32768.0, 32767.0));
}

Frame ReferenceFrame(const ToneParams& p, std::uint32_t n) {
    switch (p.Kind) {
    case TrackKind::Binaural:
        return {Reference(n, p.Carrier, p.Level), Reference(n, p.Carrier + p.Freq1, p.Level)};
    case TrackKind::Sine: {
        const int value = Reference(n, p.Freq1, p.Level);
        return {p.Channel == 2 ? 0 : value, p.Channel == 1 ? 0 : value};
    }
    default: {
        const double half = p.Deviation / 2;
        const double swing = std::sin(2 * std::numbers::pi * n / (22050 / p.Freq1));
        const int value = Reference(n, p.Carrier + half + half * swing, p.Level);
        return {value, value};
    }
    }
}

TEST(TonesTest, EverySampleOfLongRunsIsTheFormulasOwn) {
    // Half a minute of each tone from its start and from 40 minutes in, where the phase is
    // large and the fast sines' margins widest; levels that are not powers of two.
    for (const char* descriptor :
         {".&01%8@260@100", ".&04%1000.5@2@35", ".&02%7.83@200@5@40", ".&01%0.5@9999@73"}) {
        for (const std::uint32_t start : {0u, 40u * 60 * 22050}) {
            ToneParams params = Parsed(descriptor);
            params.SampleIndex = start;
            const auto frames = Generate(params, 160);
            for (std::uint32_t i = 0; i < frames.size(); ++i) {
                const Frame expected = ReferenceFrame(params, start + i);
                ASSERT_EQ(frames[i].left, expected.left) << descriptor << " frame " << start + i;
                ASSERT_EQ(frames[i].right, expected.right) << descriptor << " frame " << start + i;
            }
        }
    }
}

TEST(TonesTest, AtAnyRateTheUnroundedSamplesFollowTheFormulaInAnySlices) {
    const ToneParams params = Parsed(".&02%8@260@5@70");
    const ToneGenerator generator(params, 44100);
    std::vector<float> whole(2 * 5000), sliced(2 * 5000);
    generator.RenderFloat(1000, 5000, whole.data());
    // Slices of any length from any frame give the same samples: blocks may be split.
    for (std::uint32_t at = 0; at < 5000;) {
        const std::uint32_t length = std::min<std::uint32_t>(1 + at % 997, 5000 - at);
        generator.RenderFloat(1000 + at, length, sliced.data() + 2 * at);
        at += length;
    }
    EXPECT_EQ(whole, sliced);
    for (const std::uint32_t i : {0u, 1u, 2999u, 4999u}) {
        const long double n = 1000 + i, pi = std::numbers::pi_v<long double>;
        const long double fi = 262.5L + 2.5L * std::sin(2 * pi * n * 8 / 44100);
        const long double expected = std::sin(2 * pi * n * fi / 44100) * 32767 * 0.7L / 32768;
        EXPECT_NEAR(whole[2 * i], expected, 1e-6) << i;
    }
}

TEST(TonesTest, SourcesReportTheFixedFormat) {
    const ToneSource source(Parsed(".&01%8@260@100"));
    EXPECT_EQ(source.Format(), (PcmFormat{22050, 2, 16, 4}));
    EXPECT_EQ(source.BufferBytes(), 16384u);
    EXPECT_FALSE(source.ReportsDeviceFailure());
}

} // namespace

} // namespace umbrascope
