#pragma once

// Stored colours (0x00BBGGRR, or a system colour index with the high bit set) as the RGB
// values the drawing code uses.

#include "model/Session.h"

#include <QPen>
#include <QRgb>

namespace umbrascope {

// A system colour index (0x800000nn) becomes the colour it stands for on a standard desktop;
// anything else is read as its low three bytes, red first. Thread safe.
QRgb ResolveColor(BgrColor color);

// The stored form of plain red, green and blue, for tests and the dialogs.
constexpr BgrColor StoredRgb(int red, int green, int blue) {
    return static_cast<BgrColor>(red) | static_cast<BgrColor>(green) << 8 |
           static_cast<BgrColor>(blue) << 16;
}

// The pen of pattern lines: no smoothing, and wide lines end and meet in round caps, as the
// presentation draws them.
QPen PatternPen(BgrColor color, int width);

} // namespace umbrascope
