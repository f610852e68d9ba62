#pragma once

// Colour squares beside the colour buttons, and the one colour picker a dialog keeps, which
// opens on the colour last chosen in it. User-interface thread only.

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

    // The colour the user confirmed, or empty when the picker was cancelled.
    std::optional<TColor> Pick();

private:
    QColorDialog* dialog_;
    QColor last_{Qt::black};
};
