// The four background patterns: their geometry to the pixel, the pictures drawn from it, and
// settings from foreign project files that must neither hang nor crash the drawing.

#include "GuiTestApplication.h"
#include "tests/common/SanitizerBuild.h"
#include "visual/Colors.h"
#include "visual/PatternGeometry.h"
#include "visual/VideoFunctions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

namespace umbrascope {

namespace {

constexpr QRgb Red = 0xFFFF0000, Blue = 0xFF0000FF;

SessionValuesInForce DefaultValues() {
    SessionValuesInForce values;
    values.TextEnabled = false;
    return values;
}

QImage Frame(int width = 1024, int height = 768) {
    QImage frame(width, height, QImage::Format_RGB32);
    frame.fill(0xFF123456);
    return frame;
}

TEST(FlickerTest, LevelSwingsSinusoidallyFrom127) {
    EXPECT_EQ(FlickerLevel(8000, 0), 127);
    EXPECT_EQ(FlickerLevel(1000, 250), 254); // a quarter period of 1 Hz
    EXPECT_EQ(FlickerLevel(1000, 750), 0);
    EXPECT_EQ(FlickerLevel(1000, 1000), 127);
    EXPECT_EQ(FlickerLevel(8000, 125), 127); // one whole period of 8 Hz
}

TEST(FlickerTest, DarkColorsSwingTowardsWhiteAndLightOnesTowardsBlack) {
    // The default maroon counts as dark: halfway between white and itself at level 127.
    EXPECT_EQ(FlickerFrameColor(qRgb(128, 0, 0), 8000, 0), qRgb(192, 128, 128));
    // Blue decides first: (200, 200, 100) packs below (128, 128, 128).
    EXPECT_EQ(FlickerFrameColor(qRgb(200, 200, 100), 1000, 750), qRgb(255, 255, 255));
    EXPECT_EQ(FlickerFrameColor(qRgb(200, 200, 100), 1000, 250), qRgb(200, 200, 101));
    // (0, 0, 200) packs above it: light, towards black.
    EXPECT_EQ(FlickerFrameColor(qRgb(0, 0, 200), 1000, 0), qRgb(0, 0, 100));
    EXPECT_EQ(FlickerFrameColor(qRgb(0, 0, 200), 1000, 750), qRgb(0, 0, 0));
    EXPECT_EQ(FlickerFrameColor(qRgb(0, 0, 200), 1000, 250), qRgb(0, 0, 199));
}

TEST(FlickerTest, FrequencyZeroIsASteadyScreenInExactlyTheColor) {
    SessionValuesInForce values = DefaultValues();
    values.FlickerColor = StoredRgb(12, 34, 56);
    values.FlickerFreq = 0;
    for (const std::uint32_t t : {0u, 123u, 4000000000u}) {
        QImage frame = Frame(64, 48);
        DrawFlickerFrame(frame, values, t);
        for (const QPoint p : {QPoint(0, 0), QPoint(63, 47), QPoint(30, 20)})
            EXPECT_EQ(frame.pixel(p), qRgb(12, 34, 56));
    }
}

TEST(SpiralTest, SegmentsAndPenWidthsFollowTheRadius) {
    const auto segments = SpiralSegments(1024, 768, 88, 10, 0, 0);
    ASSERT_EQ(segments.size(), 211u); // k = 0..210, the last radius below 0.65 * 1024
    EXPECT_EQ(segments[0].end, QPoint(512, 384));
    EXPECT_EQ(segments[0].penWidth, 0);
    EXPECT_EQ(segments[1].end, QPoint(515, 385)); // radius 3.16 at 10 degrees
    EXPECT_EQ(segments[1].penWidth, 6);
    EXPECT_EQ(segments[9].end, QPoint(512, 384 + 28)); // 90 degrees: straight down
    EXPECT_EQ(segments[210].penWidth, 81);
    const QPoint last = segments[210].end - QPoint(512, 384);
    EXPECT_NEAR(std::hypot(last.x(), last.y()), 664.1, 1.0);
}

TEST(SpiralTest, TurnsClockwiseOrCounterClockwiseWithTime) {
    // After t = speed * pi / 2 ms the phase is a quarter turn: the first arm point that lay
    // straight right (segment 36) lies straight down, or straight up in direction 1.
    const std::uint32_t quarterTurn = 138; // 88 * pi / 2 = 138.2
    const QPoint centre(512, 384);
    const auto still = SpiralSegments(1024, 768, 88, 10, 0, 0);
    EXPECT_EQ(still[36].end - centre, QPoint(114, 0));
    const auto clockwise = SpiralSegments(1024, 768, 88, 10, 0, quarterTurn);
    const auto counter = SpiralSegments(1024, 768, 88, 10, 1, quarterTurn);
    EXPECT_EQ(clockwise[36].end - centre, QPoint(0, 114));
    EXPECT_EQ(counter[36].end - centre, QPoint(0, -114));
}

TEST(SpiralTest, ZeroSpeedIsStillAndZeroWidthEndsAtOnce) {
    EXPECT_EQ(SpiralSegments(1024, 768, 0, 10, 0, 5000)[36].end,
              SpiralSegments(1024, 768, 0, 10, 0, 0)[36].end);
    EXPECT_TRUE(SpiralSegments(1024, 768, 88, 0, 0, 5000).empty());
    EXPECT_EQ(SpiralSegments(3840, 2160, 8, 1, 0, 4000000000u).size(), 2496u);
}

TEST(SpiralTest, PictureShowsTheArmAndTheGroundBetweenTurns) {
    SessionValuesInForce values = DefaultValues(); // red spiral on blue
    QImage frame = Frame();
    DrawSpiralFrame(frame, values, 0);
    const QPoint centre(512, 384);
    // Along the right-hand axis the arm crosses at radii 114 and 228 (pens 34 and 48 wide).
    EXPECT_EQ(frame.pixel(centre + QPoint(114, 0)), Red);
    EXPECT_EQ(frame.pixel(centre + QPoint(228, 0)), Red);
    EXPECT_EQ(frame.pixel(centre + QPoint(171, 0)), Blue);
    EXPECT_EQ(frame.pixel(centre + QPoint(60, 0)), Blue);
    // Straight down at radius 28 + 1 turn (segment 45) lies the arm too.
    EXPECT_EQ(frame.pixel(centre + QPoint(0, 142)), Red);
}

TEST(StripesTest, PeriodAndOffsetsMoveWithTime) {
    EXPECT_EQ(StripePeriod(15), 40);
    EXPECT_EQ(StripePeriod(1), 3);
    EXPECT_EQ(StripePeriod(3), 8); // 7.9998: the factor is 2.6666, not 8/3
    // LinesSpeed 4: 250 pixels per second.
    const StripeLines right = StripePositions(1024, 768, 4, 15, 1, 1000);
    EXPECT_TRUE(right.vertical);
    ASSERT_FALSE(right.positions.empty());
    EXPECT_EQ(right.positions.front(), -30); // (250 mod 40) - 40
    EXPECT_EQ(right.positions[1], 10);
    EXPECT_LT(right.positions.back(), 1024 + 40);
    EXPECT_GE(right.positions.back() + 40, 1024 + 40);
    const StripeLines left = StripePositions(1024, 768, 4, 15, 0, 1000);
    EXPECT_EQ(left.positions.front(), 30); // (-250) mod 40
    const StripeLines down = StripePositions(1024, 768, 4, 15, 3, 4);
    EXPECT_FALSE(down.vertical);
    EXPECT_EQ(down.positions.front(), -39);
    EXPECT_LT(down.positions.back(), 768 + 40);
    const StripeLines up = StripePositions(1024, 768, 4, 15, 2, 4);
    EXPECT_EQ(up.positions.front(), 39);
}

TEST(StripesTest, BadSettingsDrawGroundOnly) {
    EXPECT_TRUE(StripePositions(1024, 768, 4, 0, 1, 1000).positions.empty());
    EXPECT_TRUE(StripePositions(1024, 768, 4, 15, 4, 1000).positions.empty());
    EXPECT_EQ(StripePositions(1024, 768, 0, 15, 1, 5000).positions.front(), -40); // still
    const StripeLines widest = StripePositions(1024, 768, 1, 65535, 1, 4000000000u);
    EXPECT_LE(widest.positions.size(), 2u);
}

TEST(StripesTest, PictureHasLinesOfTheirWidthAtTheirPositions) {
    SessionValuesInForce values = DefaultValues(); // navy lines on sky blue, moving up, width 15
    QImage frame = Frame();
    DrawStripesFrame(frame, values, 0);
    const QRgb line = ResolveColor(values.LinesColor), ground = ResolveColor(values.LinesBackColor);
    for (const int y : {0, 40, 80, 760}) {
        EXPECT_EQ(frame.pixel(500, y), line) << y;
        EXPECT_EQ(frame.pixel(500, y + 6), line) << y;
    }
    for (const int y : {20, 60, 740})
        EXPECT_EQ(frame.pixel(500, y), ground) << y;
    EXPECT_EQ(frame.pixel(500, 49), ground);
}

TEST(CirclesTest, SpacingAndPulse) {
    EXPECT_EQ(CircleSpacing(20), 73);
    const CircleRings rings = CircleRadii(1024, 768, 2000, 20, 0);
    ASSERT_EQ(rings.radii.size(), 14u); // Round(1024 / 73)
    EXPECT_EQ(rings.radii.front(), 36); // Round(36.5): halves to even
    EXPECT_EQ(rings.radii[1], 109);
    EXPECT_EQ(CircleRadii(1024, 768, 2000, 20, 125).radii.front(), 73); // a quarter period: s
    EXPECT_EQ(CircleRadii(1024, 768, 2000, 20, 375).radii.front(), 0);
    EXPECT_EQ(CircleRadii(768, 1024, 2000, 20, 0).radii.size(), 14u); // the taller side counts
    // Only the low 16 bits of the frequency count.
    EXPECT_EQ(CircleRadii(1024, 768, 65536 + 2000, 20, 100).radii,
              CircleRadii(1024, 768, 2000, 20, 100).radii);
    EXPECT_EQ(CircleRadii(1024, 768, 65536, 20, 100).radii.front(), 36);
    EXPECT_TRUE(CircleRadii(1024, 768, 2000, 0, 100).radii.empty());
}

TEST(CirclesTest, PictureShowsRingsAndNotTheirInside) {
    SessionValuesInForce values = DefaultValues(); // maroon rings on yellow, width 20
    QImage frame = Frame();
    DrawCirclesFrame(frame, values, 0);
    const QPoint centre(512, 384);
    const QRgb ring = ResolveColor(values.CirclesColor),
               ground = ResolveColor(values.CirclesBackColor);
    EXPECT_EQ(frame.pixel(centre + QPoint(36, 0)), ring);
    EXPECT_EQ(frame.pixel(centre + QPoint(0, -109)), ring);
    EXPECT_EQ(frame.pixel(centre), ground);
    EXPECT_EQ(frame.pixel(centre + QPoint(72, 0)), ground);
    DrawCirclesFrame(frame, values, 375); // the first ring at radius 0: a dot as wide as the pen
    EXPECT_EQ(frame.pixel(centre), ring);
    EXPECT_EQ(frame.pixel(centre + QPoint(5, 5)), ring);
    EXPECT_EQ(frame.pixel(centre + QPoint(36, 0)), ground);
    EXPECT_EQ(frame.pixel(centre + QPoint(73, 0)), ring);
}

TEST(FrameTest, PatternOffIsBlackAndAnUnknownTypeDrawsNothing) {
    EnsureGuiApplication();
    SessionValuesInForce values = DefaultValues();
    values.VideoEnabled = false;
    QImage frame = Frame(64, 48);
    EXPECT_TRUE(DrawFrame(frame, values, PhraseLayout{}, 0));
    EXPECT_EQ(frame.pixel(10, 10), qRgb(0, 0, 0));
    values.VideoEnabled = true;
    values.VideoType = 4;
    frame = Frame(64, 48);
    EXPECT_FALSE(DrawFrame(frame, values, PhraseLayout{}, 0));
    EXPECT_EQ(frame.pixel(10, 10), 0xFF123456u);
}

TEST(FrameTest, ForeignExtremesFinishQuickly) {
    EnsureGuiApplication();
    SessionValuesInForce values = DefaultValues();
    values.SpiralSpeed = 0;
    values.SpiralWidth = 0;
    values.LinesSpeed = 0;
    values.LinesWidth = 0;
    values.CirclesWidth = 0;
    values.CirclesFreq = -1;
    values.FlickerFreq = std::numeric_limits<std::int32_t>::min();
    values.SpiralColor = 0x80000063; // a system colour index beyond the table
    const auto started = std::chrono::steady_clock::now();
    for (std::uint8_t type = 0; type < 4; ++type) {
        values.VideoType = type;
        for (const std::uint32_t t : {0u, 4294967295u}) {
            QImage frame = Frame(320, 200);
            EXPECT_TRUE(DrawFrame(frame, values, PhraseLayout{}, t));
        }
    }
    values.SpiralWidth = 65535;
    values.LinesWidth = 65535;
    values.CirclesWidth = 65535;
    for (std::uint8_t type = 1; type < 4; ++type) {
        values.VideoType = type;
        QImage frame = Frame(320, 200);
        EXPECT_TRUE(DrawFrame(frame, values, PhraseLayout{}, 1000));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started,
              std::chrono::seconds(5) * SanitizerSlowdown);
}

TEST(ColorTest, SystemColorsResolveToPlainRgb) {
    EXPECT_EQ(ResolveColor(StoredRgb(1, 2, 3)), qRgb(1, 2, 3));
    EXPECT_EQ(ResolveColor(0x8000000F), qRgb(0xF0, 0xF0, 0xF0)); // button face
    EXPECT_EQ(ResolveColor(0x80000005), qRgb(255, 255, 255));    // window
    EXPECT_EQ(ResolveColor(0x800000FF), qRgb(0, 0, 0));
    EXPECT_EQ(ResolveColor(0x02010203), qRgb(3, 2, 1));
}

} // namespace

} // namespace umbrascope
