#include "Timeline.h"

#include "model/Arithmetic.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace umbrascope {

namespace {

constexpr QRgb Black = 0xFF000000;
constexpr QRgb MarkRed = 0xFFFF0000;
constexpr QRgb CursorYellow = 0xFFFFFF00;

// A rectangle with a one-pixel black frame; right and bottom edges are outside it.
void FramedRectangle(QPainter& painter, int left, int top, int right, int bottom, QRgb fill) {
    if (right <= left || bottom <= top)
        return;
    painter.fillRect(QRect(left, top, right - left, bottom - top), QColor::fromRgb(Black));
    if (right - left > 2 && bottom - top > 2)
        painter.fillRect(QRect(left + 1, top + 1, right - left - 2, bottom - top - 2),
                         QColor::fromRgb(fill));
}

} // namespace

int TimelineX(std::int32_t t, int width, std::int32_t length) {
    if (length <= 0)
        return 5;
    // Called for every event at every clock tick, so in double: the product is exact and a
    // quotient that lies exactly half-way stays so; nearbyint rounds halves to even.
    const double x = std::nearbyint(static_cast<double>(width - 10) * t / length);
    return static_cast<int>(std::clamp(x, -1e9, 1e9)) + 5;
}

std::int32_t TimelinePositionAt(int x, int width, std::int32_t length) {
    if (length <= 0 || x < 5)
        return 0;
    if (x > width - 10)
        return length - 1;
    const long double share = static_cast<long double>(x - 5) / (width - 10);
    return RoundToInt(share * length);
}

void DrawTimeline(QImage& image, const std::vector<TSessionEvent>& events, std::int32_t position,
                  std::int32_t length) {
    const int width = image.width();
    const int height = image.height();
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor::fromRgb(FormColor));
    FramedRectangle(painter, 5, 10, width - 5, height - 10, FormColor);
    // Events at one pixel draw the same mark: drawing it once per run keeps a long list cheap.
    int lastX = -1;
    for (const auto& event : events) {
        const int x = TimelineX(event.EventTime, width, length);
        if (x == lastX)
            continue;
        FramedRectangle(painter, x - 2, 10, x + 2, height - 10, MarkRed);
        lastX = x;
    }
    const int cursor = TimelineX(position, width, length);
    FramedRectangle(painter, cursor - 5, 0, cursor + 5, height, CursorYellow);
}

QString TimeLabelText(std::int32_t position, std::int32_t length) {
    const int minutes = position / 60000;
    const int seconds = (position % 60000) / 1000;
    const int lengthMinutes = RoundToInt(static_cast<long double>(length) / 60000);
    return QStringLiteral("%1:%2 / %3:00")
        .arg(minutes)
        .arg(seconds, 2, 10, QLatin1Char('0'))
        .arg(lengthMinutes);
}

} // namespace umbrascope
