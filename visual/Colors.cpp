#include "Colors.h"

#include <array>

namespace umbrascope {

namespace {

// The standard desktop's system colours by index, stored as 0x00BBGGRR.
constexpr std::array<BgrColor, 31> SystemColors = {
    0xC8C8C8, // scroll bar
    0x000000, // desktop
    0xD1B499, // active caption
    0xDBCDBF, // inactive caption
    0xF0F0F0, // menu
    0xFFFFFF, // window
    0x646464, // window frame
    0x000000, // menu text
    0x000000, // window text
    0x000000, // caption text
    0xB4B4B4, // active border
    0xFCF7F4, // inactive border
    0xABABAB, // application workspace
    0xFF9933, // highlight
    0xFFFFFF, // highlighted text
    0xF0F0F0, // button face
    0xA0A0A0, // button shadow
    0x6D6D6D, // grey text
    0x000000, // button text
    0x000000, // inactive caption text
    0xFFFFFF, // button highlight
    0x696969, // 3D dark shadow
    0xE3E3E3, // 3D light
    0x000000, // info text
    0xE1FFFF, // info background
    0xB5B5B5, // (unused index)
    0xCC6600, // hot light
    0xEAD1B9, // gradient active caption
    0xF2E4D7, // gradient inactive caption
    0xFF9933, // menu highlight
    0xF0F0F0, // menu bar
};

} // namespace

QRgb ResolveColor(BgrColor color) {
    if ((color & 0xFF000000u) == 0x80000000u) {
        const BgrColor index = color & 0xFFu;
        color = index < SystemColors.size() ? SystemColors[index] : 0;
    }
    return qRgb(static_cast<int>(color & 0xFF), static_cast<int>(color >> 8 & 0xFF),
                static_cast<int>(color >> 16 & 0xFF));
}

QPen PatternPen(BgrColor color, int width) {
    return QPen(QColor(ResolveColor(color)), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace umbrascope
