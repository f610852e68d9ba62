#pragma once

// The geometry of the four background patterns as pure functions of the frame time, the
// frame size and the pattern's settings. The painters in VideoFunctions draw exactly this.
// Thread safe: no shared state.

#include "model/Session.h"

#include <QPoint>
#include <QRgb>

#include <cstdint>
#include <vector>

namespace umbrascope {

// Flicker: the one colour of the whole frame. rgb is the resolved FlickerColor.
QRgb FlickerFrameColor(QRgb rgb, std::int32_t flickerFreq, std::uint32_t frameTime);

// Brightness 0..254 of the flicker at this time (127 at time 0).
int FlickerLevel(std::int32_t flickerFreq, std::uint32_t frameTime);

// One segment of the spiral: a line from the previous end (the centre for the first) to end.
struct SpiralSegment {
    QPoint end;
    int penWidth = 0; // 0: the thinnest line
};

// The spiral's polyline from the frame centre outwards. A speed of 0 leaves the spiral still;
// a width of 0 would never let the radius grow, so it gives no segments.
std::vector<SpiralSegment> SpiralSegments(int width, int height, std::uint16_t spiralSpeed,
                                          std::uint16_t spiralWidth, std::uint8_t spiralDirection,
                                          std::uint32_t frameTime);

// Running stripes: the centre of every line across the frame, left to right or top to bottom.
struct StripeLines {
    bool vertical = true;
    int period = 0;
    std::vector<int> positions; // empty for a direction outside 0..3 or a period of 0
};

// A speed of 0 leaves the stripes still.
StripeLines StripePositions(int width, int height, std::uint16_t linesSpeed,
                            std::uint16_t linesWidth, std::uint8_t linesDirection,
                            std::uint32_t frameTime);

// Distance between stripe centres: Round(linesWidth * 2.6666).
int StripePeriod(std::uint16_t linesWidth);

// Circles: the radius of every ring around the frame centre, innermost first.
struct CircleRings {
    int spacing = 0;
    std::vector<int> radii; // empty for a spacing of 0
};

CircleRings CircleRadii(int width, int height, std::int32_t circlesFreq, std::uint16_t circlesWidth,
                        std::uint32_t frameTime);

// Round(circlesWidth * 2.6666) + circlesWidth.
int CircleSpacing(std::uint16_t circlesWidth);

} // namespace umbrascope
