#pragma once

// The background pattern renderers and the whole frame. Each draws into an image of the
// screen's size (Format_RGB32) and knows nothing of windows, so the same code draws the full
// screen and a snapshot. A frame is a pure function of the frame time and the values.
//
// Every renderer can also draw a band of the frame: the rows of band across the whole width,
// exactly as the whole frame has them, the other rows left alone. So bands of one frame can be
// drawn at once on several threads, each through its own QImage on the same pixels (FrameBands).
//
// Thread rule: any one thread per QImage object; no shared state.

#include "PhraseRenderer.h"
#include "model/Session.h"

#include <QImage>
#include <QRect>

#include <cstdint>

namespace umbrascope {

// The pattern alone, over the whole image (or the band's rows).
void DrawFlickerFrame(QImage& frame, const SessionValuesInForce& values, std::uint32_t frameTime,
                      QRect band = QRect());
void DrawSpiralFrame(QImage& frame, const SessionValuesInForce& values, std::uint32_t frameTime,
                     QRect band = QRect());
void DrawStripesFrame(QImage& frame, const SessionValuesInForce& values, std::uint32_t frameTime,
                      QRect band = QRect());
void DrawCirclesFrame(QImage& frame, const SessionValuesInForce& values, std::uint32_t frameTime,
                      QRect band = QRect());
void DrawBlankFrame(QImage& frame, QRect band = QRect());

// Whether the values draw a picture at all: not for a VideoType outside 0..3 with the pattern on.
bool DrawsPicture(const SessionValuesInForce& values);

// One complete frame: the pattern of VideoType (black when VideoEnabled is off) with the
// phrase over it. Returns false, leaving the image untouched, when DrawsPicture is false.
bool DrawFrame(QImage& frame, const SessionValuesInForce& values, const PhraseLayout& phrase,
               std::uint32_t frameTime, QRect band = QRect());

} // namespace umbrascope
