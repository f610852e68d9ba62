#include "ColorSwatch.h"

#include "visual/Colors.h"

#include <QColorDialog>
#include <QPainter>

namespace umbrascope {

ColorSwatch::ColorSwatch(BgrColor color, QWidget* parent) : QFrame(parent), color_(color) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
}

void ColorSwatch::SetColor(BgrColor color) {
    color_ = color;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(ResolveColor(color_)));
    painter.end();
    QFrame::paintEvent(event);
}

ColorPicker::ColorPicker(QWidget* owner) : dialog_(new QColorDialog(owner)) {
    dialog_->setObjectName(QStringLiteral("ColorDialog"));
    // Qt's own picker on every desktop, so it always opens on the colour it is given.
    dialog_->setOption(QColorDialog::DontUseNativeDialog);
}

std::optional<BgrColor> ColorPicker::Pick(BgrColor current) {
    const QColor shown = QColor::fromRgb(ResolveColor(current));
    dialog_->setCurrentColor(shown);
    if (dialog_->exec() != QDialog::Accepted)
        return std::nullopt;
    const QColor chosen = dialog_->selectedColor();
    // Confirmed unchanged, a system colour stays one.
    if (chosen.rgb() == shown.rgb())
        return current;
    return StoredRgb(chosen.red(), chosen.green(), chosen.blue());
}

} // namespace umbrascope
