#include "PaintBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

void TPaintBox::paintEvent(QPaintEvent*) {
    if (!OnPaint)
        return;
    QPainter painter(this);
    OnPaint(painter);
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(*event);
}

void TPaintBox::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown)
        OnKeyDown(*event);
    else
        QWidget::keyPressEvent(event);
}

void TPaintBox::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TPaintBox::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove)
        OnMouseMove(*event);
}
