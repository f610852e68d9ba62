#include "PatternGeometry.h"

#include "model/Arithmetic.h"

#include <cmath>

namespace umbrascope {

namespace {

constexpr long double Pi = 3.14159265358979323846264338327950288L;

// sin(t * pi / 500000 * frequency): one period every 1000000 / frequency ms.
long double Oscillation(std::uint32_t frameTime, long double frequency) {
    return std::sin(static_cast<long double>(frameTime) * Pi / 500000 * frequency);
}

} // namespace

int FlickerLevel(std::int32_t flickerFreq, std::uint32_t frameTime) {
    return RoundToInt(127 * Oscillation(frameTime, flickerFreq) + 127);
}

QRgb FlickerFrameColor(QRgb rgb, std::int32_t flickerFreq, std::uint32_t frameTime) {
    if (flickerFreq == 0)
        return rgb;
    const int level = FlickerLevel(flickerFreq, frameTime);
    const int red = qRed(rgb), green = qGreen(rgb), blue = qBlue(rgb);
    // Packed as 0x00BBGGRR: blue decides first, then green, then red.
    const bool dark = static_cast<std::uint32_t>(red + 256 * green + 65536 * blue) < 0x808080u;
    const auto swing = [&](int channel) {
        return dark ? 255 - MulDiv(255 - channel, level, 255) : MulDiv(channel, level, 255);
    };
    return qRgb(swing(red), swing(green), swing(blue));
}

std::vector<SpiralSegment> SpiralSegments(int width, int height, std::uint16_t spiralSpeed,
                                          std::uint16_t spiralWidth, std::uint8_t spiralDirection,
                                          std::uint32_t frameTime) {
    std::vector<SpiralSegment> segments;
    if (spiralWidth == 0)
        return segments;
    long double phase = spiralSpeed == 0 ? 0.0L : static_cast<long double>(frameTime) / spiralSpeed;
    if (spiralDirection == 1)
        phase = -phase;
    const int cx = width / 2, cy = height / 2;
    const double step = std::sqrt(static_cast<double>(spiralWidth));
    const double limit = 0.65 * width;
    double r = 0.0;
    int a = 0;
    while (limit > r) {
        const long double theta = a * 2 * Pi / 180 + phase;
        segments.push_back(
            {QPoint(RoundToInt(r * std::cos(theta)) + cx, RoundToInt(r * std::sin(theta)) + cy),
             RoundToInt(std::sqrt(spiralWidth * r))});
        r += step;
        a += 5;
    }
    return segments;
}

int StripePeriod(std::uint16_t linesWidth) {
    return RoundToInt(linesWidth * 2.6666L);
}

StripeLines StripePositions(int width, int height, std::uint16_t linesSpeed,
                            std::uint16_t linesWidth, std::uint8_t linesDirection,
                            std::uint32_t frameTime) {
    StripeLines lines;
    lines.period = StripePeriod(linesWidth);
    lines.vertical = linesDirection <= 1;
    const std::int64_t p = lines.period;
    if (p == 0 || linesDirection > 3)
        return lines;
    const std::uint32_t q = linesSpeed == 0 ? 0 : frameTime / linesSpeed;
    const std::int64_t phase = static_cast<std::int64_t>(q % p);
    const bool forwards = linesDirection == 1 || linesDirection == 3;
    std::int64_t c = forwards ? phase - p : (p - phase) % p;
    const std::int64_t end = (lines.vertical ? width : height) + p;
    for (; c < end; c += p)
        lines.positions.push_back(static_cast<int>(c));
    return lines;
}

int CircleSpacing(std::uint16_t circlesWidth) {
    return RoundToInt(circlesWidth * 2.6666L) + circlesWidth;
}

CircleRings CircleRadii(int width, int height, std::int32_t circlesFreq, std::uint16_t circlesWidth,
                        std::uint32_t frameTime) {
    CircleRings rings;
    rings.spacing = CircleSpacing(circlesWidth);
    const int s = rings.spacing;
    if (s == 0)
        return rings;
    const auto frequency = static_cast<std::uint16_t>(circlesFreq);
    const long double pulse = Oscillation(frameTime, frequency);
    std::int64_t r = RoundToInt(pulse * s / 2 + static_cast<long double>(s) / 2);
    const int count = RoundToInt(static_cast<long double>(width > height ? width : height) / s);
    for (int i = 0; i < count; ++i, r += s)
        rings.radii.push_back(static_cast<int>(r));
    return rings;
}

} // namespace umbrascope
