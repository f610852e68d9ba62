#include "VideoFunctions.h"

#include "Colors.h"
#include "PatternGeometry.h"

#include <QPainter>
#include <QPen>

void DrawFlickerFrame(QImage& frame, const TCurrentValues& values, std::uint32_t frameTime) {
    frame.fill(QColor(
        FlickerFrameColor(ResolveColor(values.FlickerColor), values.FlickerFreq, frameTime)));
}

void DrawSpiralFrame(QImage& frame, const TCurrentValues& values, std::uint32_t frameTime) {
    frame.fill(QColor(ResolveColor(values.SpiralBackColor)));
    const auto segments = SpiralSegments(frame.width(), frame.height(), values.SpiralSpeed,
                                         values.SpiralWidth, values.SpiralDirection, frameTime);
    QPainter painter(&frame);
    QPen pen = PatternPen(values.SpiralColor, 0);
    QPoint from(frame.width() / 2, frame.height() / 2);
    // Neighbouring segments of one width form one polyline; with round caps and joins this
    // covers the same pixels as separate lines and saves most of the stroking work.
    std::vector<QPoint> run{from};
    int runWidth = segments.empty() ? 0 : segments.front().penWidth;
    const auto flush = [&] {
        if (run.size() < 2)
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

void DrawStripesFrame(QImage& frame, const TCurrentValues& values, std::uint32_t frameTime) {
    frame.fill(QColor(ResolveColor(values.LinesBackColor)));
    const StripeLines lines = StripePositions(frame.width(), frame.height(), values.LinesSpeed,
                                              values.LinesWidth, values.LinesDirection, frameTime);
    QPainter painter(&frame);
    painter.setPen(PatternPen(values.LinesColor, values.LinesWidth));
    for (const int c : lines.positions) {
        if (lines.vertical)
            painter.drawLine(c, 0, c, frame.height());
        else
            painter.drawLine(0, c, frame.width(), c);
    }
}

void DrawCirclesFrame(QImage& frame, const TCurrentValues& values, std::uint32_t frameTime) {
    frame.fill(QColor(ResolveColor(values.CirclesBackColor)));
    const CircleRings rings = CircleRadii(frame.width(), frame.height(), values.CirclesFreq,
                                          values.CirclesWidth, frameTime);
    QPainter painter(&frame);
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

void DrawBlankFrame(QImage& frame) {
    frame.fill(Qt::black);
}

bool DrawFrame(QImage& frame, const TCurrentValues& values, const TPhraseLayout& phrase,
               std::uint32_t frameTime) {
    if (!values.VideoEnabled) {
        DrawBlankFrame(frame);
    } else {
        switch (values.VideoType) {
        case 0:
            DrawFlickerFrame(frame, values, frameTime);
            break;
        case 1:
            DrawSpiralFrame(frame, values, frameTime);
            break;
        case 2:
            DrawStripesFrame(frame, values, frameTime);
            break;
        case 3:
            DrawCirclesFrame(frame, values, frameTime);
            break;
        default:
            return false;
        }
    }
    DrawPhraseOverlay(frame, phrase, values, frameTime);
    return true;
}
