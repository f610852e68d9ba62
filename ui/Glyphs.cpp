#include "Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <numbers>

namespace umbrascope {

namespace {

constexpr int Size = 16;

QIcon Drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

void Grid(QPainter& painter, const QList<int>& filled) {
    for (int cell = 1; cell <= 9; ++cell) {
        const QRect square(1 + (cell - 1) % 3 * 5, 1 + (cell - 1) / 3 * 5, 4, 4);
        painter.fillRect(square, filled.contains(cell) ? Qt::black : Qt::lightGray);
    }
}

} // namespace

QIcon CellGlyph(int cell) {
    return Drawn([cell](QPainter& p) { Grid(p, {cell}); });
}

QIcon RandomGlyph() {
    return Drawn([](QPainter& p) { Grid(p, {1, 6, 8}); });
}

QIcon TurnGlyph(bool clockwise) {
    return Drawn([clockwise](QPainter& p) {
        p.setPen(QPen(Qt::black, 1.5));
        const QRectF circle(3, 3, 10, 10);
        // An open circle from the top, with the arrow head where it ends.
        p.drawArc(circle, 90 * 16, clockwise ? -300 * 16 : 300 * 16);
        const double end = (90.0 + (clockwise ? -300.0 : 300.0)) * std::numbers::pi / 180;
        const QPointF tip(8 + 5 * std::cos(end), 8 - 5 * std::sin(end));
        const QPointF along(clockwise ? std::sin(end) : -std::sin(end),
                            clockwise ? std::cos(end) : -std::cos(end));
        const QPointF across(along.y(), -along.x());
        QPainterPath head;
        head.moveTo(tip + along * 3);
        head.lineTo(tip + across * 2.5);
        head.lineTo(tip - across * 2.5);
        head.closeSubpath();
        p.fillPath(head, Qt::black);
    });
}

QIcon ArrowGlyph(int direction) {
    return Drawn([direction](QPainter& p) {
        p.translate(Size / 2.0, Size / 2.0);
        static constexpr double Angles[] = {180, 0, 270, 90};
        p.rotate(Angles[direction & 3]);
        QPainterPath arrow;
        arrow.moveTo(7, 0);
        arrow.lineTo(1, -6);
        arrow.lineTo(1, -2);
        arrow.lineTo(-7, -2);
        arrow.lineTo(-7, 2);
        arrow.lineTo(1, 2);
        arrow.lineTo(1, 6);
        arrow.closeSubpath();
        p.fillPath(arrow, Qt::black);
    });
}

} // namespace umbrascope
