#include "Preview.h"

#include "Colors.h"
#include "PhraseFont.h"
#include "PhraseRenderer.h"
#include "model/Arithmetic.h"

#include <QCoreApplication>
#include <QPainter>

#include <cmath>
#include <numbers>
#include <optional>

namespace umbrascope {

namespace {

QColor ModelColor(BgrColor color) {
    return QColor(ResolveColor(color));
}

// The ground with a one-pixel frame round it.
void Ground(QPainter& painter, QSize box, BgrColor frame, BgrColor ground) {
    painter.fillRect(QRect(QPoint(0, 0), box), ModelColor(frame));
    if (box.width() > 2 && box.height() > 2)
        painter.fillRect(1, 1, box.width() - 2, box.height() - 2, ModelColor(ground));
}

void Spiral(QPainter& painter, const SessionValuesInForce& v, QSize box, int screenWidth) {
    Ground(painter, box, v.SpiralColor, v.SpiralBackColor);
    const int w = box.width();
    const int h = box.height();
    const double k = static_cast<double>(v.SpiralWidth) * w / screenWidth;
    const double radiusStep = std::sqrt(k);
    if (!(radiusStep > 0))
        return; // a spiral of width 0 would never grow
    const int angleStep = RoundToInt(static_cast<long double>(screenWidth) / w * 3.5);
    QPoint current(w / 2, h / 2);
    double r = 0.0;
    long long a = 0;
    while (0.66 * w > r) {
        painter.setPen(PatternPen(v.SpiralColor, RoundToInt(std::sqrt(k * r))));
        const double angle = static_cast<double>(a) * 2 * std::numbers::pi / 180;
        const QPoint next(RoundToInt(r * std::cos(angle)) + w / 2,
                          RoundToInt(r * std::sin(angle)) + h / 2);
        painter.drawLine(current, next);
        current = next;
        r += radiusStep;
        a += angleStep;
    }
}

void Stripes(QPainter& painter, const SessionValuesInForce& v, QSize box, int screenWidth) {
    Ground(painter, box, v.LinesColor, v.LinesBackColor);
    const int w = box.width();
    const int h = box.height();
    const double scale = static_cast<double>(w) / screenWidth;
    const int period = RoundToInt(v.LinesWidth * 2.6666 * scale);
    if (period <= 0)
        return; // stripes of width 0 would never advance
    painter.setPen(PatternPen(v.LinesColor, RoundToInt(v.LinesWidth * scale)));
    const bool vertical = v.LinesDirection == 0 || v.LinesDirection == 1;
    const int extent = vertical ? w : h;
    for (int c = 0; c < extent + period; c += period) {
        if (vertical)
            painter.drawLine(c, 0, c, h);
        else
            painter.drawLine(0, c, w, c);
    }
}

void Circles(QPainter& painter, const SessionValuesInForce& v, QSize box, int screenWidth) {
    Ground(painter, box, v.CirclesColor, v.CirclesBackColor);
    const int w = box.width();
    const int h = box.height();
    const double scale = static_cast<double>(w) / screenWidth;
    const int spacing =
        RoundToInt(v.CirclesWidth * 2.6666 * scale) + RoundToInt(v.CirclesWidth * scale);
    if (spacing <= 0)
        return; // circles of width 0 would all lie on one another
    painter.setPen(PatternPen(v.CirclesColor, v.CirclesWidth / 3));
    painter.setBrush(Qt::NoBrush);
    const int count = RoundToInt(static_cast<double>(h < w ? w : h) / spacing);
    double r = spacing / 2.0;
    for (int i = 0; i < count; ++i) {
        const int radius = RoundToInt(r);
        painter.drawEllipse(QPoint(w / 2, h / 2), radius, radius);
        r += spacing;
    }
}

void Pattern(QPainter& painter, const SessionValuesInForce& v, QSize box, int screenWidth) {
    switch (v.VideoType) {
    case 0:
        Ground(painter, box, 0x000000, v.FlickerColor);
        break;
    case 1:
        Spiral(painter, v, box, screenWidth);
        break;
    case 2:
        Stripes(painter, v, box, screenWidth);
        break;
    case 3:
        Circles(painter, v, box, screenWidth);
        break;
    default:
        break;
    }
}

// The label that stands for a phrase, and the cell it stands in.
struct Placeholder {
    QString text;
    int cell = 5;
};

std::optional<Placeholder> PlaceholderFor(std::uint8_t textPosition) {
    if (textPosition >= 1 && textPosition <= 9)
        return Placeholder{QCoreApplication::translate("umbrascope::Preview", "Текстовая фраза"),
                           textPosition};
    // The moving positions: clockwise, counter-clockwise, random.
    switch (textPosition) {
    case 10:
        return Placeholder{
            QCoreApplication::translate("umbrascope::Preview", "Текстовая фраза. час."), 5};
    case 11:
        return Placeholder{
            QCoreApplication::translate("umbrascope::Preview", "Текстовая фраза. п.час."), 5};
    case 12:
        return Placeholder{
            QCoreApplication::translate("umbrascope::Preview", "Текстовая фраза. случ."), 5};
    default:
        return std::nullopt;
    }
}

// Where a label of this size stands in the cell, one pixel in from the frame.
QPoint LabelOrigin(int cell, QSize box, QSize label) {
    const int column = (cell - 1) % 3;
    const int row = (cell - 1) / 3;
    const int x = column == 0   ? 1
                  : column == 1 ? (box.width() - label.width()) / 2
                                : box.width() - label.width() - 1;
    const int y = row == 0   ? 1
                  : row == 1 ? (box.height() - label.height()) / 2
                             : box.height() - label.height() - 1;
    return {x, y};
}

// A label fitted, placed, coloured, outlined and blended as a phrase would be.
void PhrasePlaceholder(QImage& image, const SessionValuesInForce& v) {
    const auto placeholder = PlaceholderFor(v.TextPosition);
    if (!placeholder)
        return;
    const long double target = static_cast<long double>(image.width()) * v.TextWidth / 100;
    const int height =
        FitFontHeight(placeholder->text, v.FontName, v.FontStyle, 5, target, image.height());
    PhraseLook look = PhraseLookOf(v, height);
    look.outlineWidth = 1;
    const QSize label = TextExtent(look.font, placeholder->text);
    const QPoint origin = LabelOrigin(placeholder->cell, image.size(), label);
    DrawKeyedText(image, QRect(origin, label), placeholder->text, look, v.Transparency);
}

} // namespace

QImage DrawScreenPreview(const SessionValuesInForce& values, QSize box, int screenWidth) {
    QImage image(box, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (box.isEmpty())
        return image;
    if (screenWidth <= 0)
        screenWidth = box.width();
    QPainter painter(&image);
    Pattern(painter, values, box, screenWidth);
    if (!values.VideoEnabled)
        painter.fillRect(image.rect(), Qt::black);
    painter.end();
    if (values.TextEnabled && !values.PhraseFile.empty())
        PhrasePlaceholder(image, values);
    return image;
}

} // namespace umbrascope
