#include "PaintBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace umbrascope {

void PaintBox::paintEvent(QPaintEvent*) {
    if (!OnPaint)
        return;
    QPainter painter(this);
    OnPaint(painter);
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(*event);
}

void PaintBox::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown)
        OnKeyDown(*event);
    else
        QWidget::keyPressEvent(event);
}

void PaintBox::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PaintBox::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove)
        OnMouseMove(*event);
}

} // namespace umbrascope
