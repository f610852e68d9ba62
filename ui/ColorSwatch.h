#pragma once

// Colour squares beside the colour buttons, and the one colour picker a dialog keeps, which
// opens on the colour of the square whose button was clicked. User-interface thread only.

#include "model/Session.h"

#include <QFrame>

#include <optional>

class QColorDialog;

class TColorSwatch : public QFrame {
public:
    explicit TColorSwatch(TColor color, QWidget* parent = nullptr);

    // The stored colour value, kept exactly (a system colour stays one).
    TColor Color() const { return color_; }
    void SetColor(TColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor color_;
};

class TColorPicker {
public:
    explicit TColorPicker(QWidget* owner);

    // Opens on current; the colour the user confirmed, or empty when the picker was cancelled.
    std::optional<TColor> Pick(TColor current);

private:
    QColorDialog* dialog_;
};
