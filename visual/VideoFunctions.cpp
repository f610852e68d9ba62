#include "VideoFunctions.h"

#include "Colors.h"
#include "PatternGeometry.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace umbrascope {

namespace {

// The rows a renderer draws: the band's, across the whole width (an invalid band is the whole
// frame).
QRect RowsOf(const QImage& frame, QRect band) {
    const QRect all = frame.rect();
    if (!band.isValid())
        return all;
    return all & QRect(0, band.top(), all.width(), band.height());
}

// One row of pixels of one value. A large frame does not stay in the caches, so the stores
// go straight to memory instead of reading every line in first.
void FillRow(QRgb* line, int width, QRgb pixel) {
#if defined(__SSE2__)
    QRgb* end = line + width;
    while (line < end && reinterpret_cast<std::uintptr_t>(line) % 16 != 0)
        *line++ = pixel;
    const __m128i four = _mm_set1_epi32(static_cast<int>(pixel));
    for (; end - line >= 4; line += 4)
        _mm_stream_si128(reinterpret_cast<__m128i*>(line), four);
    std::fill(line, end, pixel);
#else
    std::fill(line, line + width, pixel);
#endif
}

// The ground of the rows: what QImage::fill gives the whole frame.
void FillRows(QImage& frame, QRect rows, QRgb color) {
    const QRgb pixel = QColor(color).rgba();
    if (frame.format() != QImage::Format_RGB32) {
        QPainter painter(&frame);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rows, QColor(pixel));
        return;
    }
    for (int y = rows.top(); y <= rows.bottom(); ++y)
        FillRow(reinterpret_cast<QRgb*>(frame.scanLine(y)), frame.width(), pixel);
#if defined(__SSE2__)
    _mm_sfence(); // the streamed stores are seen before anything that follows
#endif
}

// A painter that draws only into the rows. The pattern is laid out on the whole frame and
// clipped, so a band's pixels are those of the whole frame.
class RowsPainter : public QPainter {
public:
    RowsPainter(QImage& frame, QRect rows) : QPainter(&frame) {
        if (rows != frame.rect())
            setClipRect(rows);
    }
};

// Whether a polyline drawn with a pen of this width can touch the rows: a band need not stroke
// what lies wholly in other bands.
bool Reaches(const std::vector<QPoint>& polyline, int penWidth, QRect rows) {
    const auto [top, bottom] = std::minmax_element(
        polyline.begin(), polyline.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
    const int reach = penWidth / 2 + 2; // round caps and joins, and the rasterizer's rounding
    return top->y() - reach <= rows.bottom() && bottom->y() + reach >= rows.top();
}

} // namespace

void DrawFlickerFrame(QImage& frame, const SessionValuesInForce& values, std::uint32_t frameTime,
                      QRect band) {
    FillRows(frame, RowsOf(frame, band),
             FlickerFrameColor(ResolveColor(values.FlickerColor), values.FlickerFreq, frameTime));
}

void DrawSpiralFrame(QImage& frame, const SessionValuesInForce& values, std::uint32_t frameTime,
                     QRect band) {
    const QRect rows = RowsOf(frame, band);
    FillRows(frame, rows, ResolveColor(values.SpiralBackColor));
    const auto segments = SpiralSegments(frame.width(), frame.height(), values.SpiralSpeed,
                                         values.SpiralWidth, values.SpiralDirection, frameTime);
    RowsPainter painter(frame, rows);
    QPen pen = PatternPen(values.SpiralColor, 0);
    QPoint from(frame.width() / 2, frame.height() / 2);
    // Neighbouring segments of one width form one polyline; with round caps and joins this
    // covers the same pixels as separate lines and saves most of the stroking work.
    std::vector<QPoint> run{from};
    int runWidth = segments.empty() ? 0 : segments.front().penWidth;
    const auto flush = [&] {
        if (run.size() < 2 || !Reaches(run, runWidth, rows))
            return;
        pen.setWidth(runWidth);
        painter.setPen(pen);
        painter.drawPolyline(run.data(), static_cast<int>(run.size()));
    };
    for (const SpiralSegment& segment : segments) {
        if (segment.penWidth != runWidth) {
            flush();
            run.assign(1, from);
            runWidth = segment.penWidth;
        }
        run.push_back(segment.end);
        from = segment.end;
    }
    flush();
}

void DrawStripesFrame(QImage& frame, const SessionValuesInForce& values, std::uint32_t frameTime,
                      QRect band) {
    const QRect rows = RowsOf(frame, band);
    FillRows(frame, rows, ResolveColor(values.LinesBackColor));
    const StripeLines lines = StripePositions(frame.width(), frame.height(), values.LinesSpeed,
                                              values.LinesWidth, values.LinesDirection, frameTime);
    RowsPainter painter(frame, rows);
    painter.setPen(PatternPen(values.LinesColor, values.LinesWidth));
    for (const int c : lines.positions) {
        if (lines.vertical)
            painter.drawLine(c, 0, c, frame.height());
        else
            painter.drawLine(0, c, frame.width(), c);
    }
}

void DrawCirclesFrame(QImage& frame, const SessionValuesInForce& values, std::uint32_t frameTime,
                      QRect band) {
    const QRect rows = RowsOf(frame, band);
    FillRows(frame, rows, ResolveColor(values.CirclesBackColor));
    const CircleRings rings = CircleRadii(frame.width(), frame.height(), values.CirclesFreq,
                                          values.CirclesWidth, frameTime);
    RowsPainter painter(frame, rows);
    painter.setPen(PatternPen(values.CirclesColor, values.CirclesWidth));
    painter.setBrush(Qt::NoBrush);
    const QPoint centre(frame.width() / 2, frame.height() / 2);
    for (const int r : rings.radii) {
        if (r == 0)
            painter.drawPoint(centre); // a ring shrunk to nothing is still one pen-wide dot
        else
            painter.drawEllipse(centre, r, r);
    }
}

void DrawBlankFrame(QImage& frame, QRect band) {
    FillRows(frame, RowsOf(frame, band), qRgb(0, 0, 0));
}

bool DrawsPicture(const SessionValuesInForce& values) {
    return !values.VideoEnabled || values.VideoType <= 3;
}

bool DrawFrame(QImage& frame, const SessionValuesInForce& values, const PhraseLayout& phrase,
               std::uint32_t frameTime, QRect band) {
    if (!DrawsPicture(values))
        return false;
    if (!values.VideoEnabled) {
        DrawBlankFrame(frame, band);
    } else {
        switch (values.VideoType) {
        case 0:
            DrawFlickerFrame(frame, values, frameTime, band);
            break;
        case 1:
            DrawSpiralFrame(frame, values, frameTime, band);
            break;
        case 2:
            DrawStripesFrame(frame, values, frameTime, band);
            break;
        default:
            DrawCirclesFrame(frame, values, frameTime, band);
            break;
        }
    }
    DrawPhraseOverlay(frame, phrase, values, frameTime, RowsOf(frame, band));
    return true;
}

} // namespace umbrascope
