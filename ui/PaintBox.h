#pragma once

// A control that its owner paints and that reports mouse presses and moves to its owner,
// so the main window keeps the handlers of its paint boxes. User-interface thread only.

#include <QWidget>

#include <functional>

class QMouseEvent;
class QPainter;

class TPaintBox : public QWidget {
public:
    using QWidget::QWidget;

    std::function<void(QPainter&)> OnPaint;
    std::function<void(QMouseEvent&)> OnMouseDown;
    std::function<void(QMouseEvent&)> OnMouseMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};
