#pragma once

// The background pattern renderers and the whole frame. Each draws into an image of the
// screen's size (Format_RGB32) and knows nothing of windows, so the same code draws the full
// screen and a snapshot. A frame is a pure function of the frame time and the values.
//
// Thread rule: any one thread per image; no shared state.

#include "PhraseRenderer.h"
#include "model/Session.h"

#include <QImage>

#include <cstdint>

// The pattern alone, over the whole image.
void DrawFlickerFrame(QImage& frame, const TCurrentValues& values, std::uint32_t frameTime);
void DrawSpiralFrame(QImage& frame, const TCurrentValues& values, std::uint32_t frameTime);
void DrawStripesFrame(QImage& frame, const TCurrentValues& values, std::uint32_t frameTime);
void DrawCirclesFrame(QImage& frame, const TCurrentValues& values, std::uint32_t frameTime);
void DrawBlankFrame(QImage& frame);

// One complete frame: the pattern of VideoType (black when VideoEnabled is off) with the
// phrase over it. Returns false, leaving the image untouched, for a VideoType outside 0..3.
bool DrawFrame(QImage& frame, const TCurrentValues& values, const TPhraseLayout& phrase,
               std::uint32_t frameTime);
