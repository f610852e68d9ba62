#pragma once

// Colour squares beside the colour buttons, and the one colour picker a dialog keeps, which
// opens on the colour of the square whose button was clicked. User-interface thread only.

#include "model/Session.h"

#include <QFrame>

#include <optional>

class QColorDialog;

namespace umbrascope {

class ColorSwatch : public QFrame {
public:
    explicit ColorSwatch(BgrColor color, QWidget* parent = nullptr);

    // The stored colour value, kept exactly (a system colour stays one).
    BgrColor Color() const { return color_; }
    void SetColor(BgrColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BgrColor color_;
};

class ColorPicker {
public:
    explicit ColorPicker(QWidget* owner);

    // Opens on current; the colour the user confirmed, or empty when the picker was cancelled.
    std::optional<BgrColor> Pick(BgrColor current);

private:
    QColorDialog* dialog_;
};

} // namespace umbrascope
