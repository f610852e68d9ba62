#pragma once

// The sample phrase of the phrase appearance dialog: "Текстовая фраза" fitted to the box and
// centred over a silver ground with a black cross-hatch, blended in as the presentation blends
// a phrase. It shows colours, outline and transparency, not the size on the screen.
// User-interface thread only.

#include "model/Session.h"

#include <QImage>
#include <QSize>

#include <cstdint>
#include <string>

namespace umbrascope {

struct PhraseSampleLook {
    std::string FontName; // Windows-1251
    std::uint8_t FontStyle = 0;
    BgrColor TextColor = 0;
    bool OutlineEnabled = true;
    BgrColor OutlineColor = 0xFFFFFF;
    int Transparency = 0;
};

QImage DrawPhraseSample(QSize size, const PhraseSampleLook& look);

} // namespace umbrascope
