#pragma once

// A control that its owner paints and that reports mouse presses and moves and, when it takes
// the focus, keys to its owner, so the main window keeps the handlers of its paint boxes. It is
// painted afresh when it gains or loses the focus. User-interface thread only.

#include <QWidget>

#include <functional>

class QKeyEvent;
class QMouseEvent;
class QPainter;

namespace umbrascope {

class PaintBox : public QWidget {
public:
    using QWidget::QWidget;

    std::function<void(QPainter&)> OnPaint;
    std::function<void(QMouseEvent&)> OnMouseDown;
    std::function<void(QMouseEvent&)> OnMouseMove;
    // Ignores the event for a key it does not take.
    std::function<void(QKeyEvent&)> OnKeyDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

} // namespace umbrascope
