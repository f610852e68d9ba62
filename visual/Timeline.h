#pragma once

// The timeline strip: a bar across the whole session, a red mark for every event and a yellow
// cursor at the position; and the time label beside the playback buttons.
// User-interface thread only.

#include "model/Session.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace umbrascope {

// The main window's cream colour, also the inside of the bar.
inline constexpr QRgb FormColor = 0xFFFFFBF0;

// x of session time t on a strip width pixels wide: time 0 at 5, the length at width - 5.
// A length of 0 or less puts every time at 5.
int TimelineX(std::int32_t t, int width, std::int32_t length);

// The position a mouse press at x selects: 0 left of the bar, the last millisecond from
// width - 10 on, proportionally in between. Never negative.
std::int32_t TimelinePositionAt(int x, int width, std::int32_t length);

// Draws the strip over the whole image.
void DrawTimeline(QImage& image, const std::vector<TSessionEvent>& events, std::int32_t position,
                  std::int32_t length);

// Minutes and seconds of the position, then the length in whole minutes: "1:05 / 30:00".
QString TimeLabelText(std::int32_t position, std::int32_t length);

} // namespace umbrascope
