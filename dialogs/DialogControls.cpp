#include "DialogControls.h"

#include "ui/ColorSwatch.h"
#include "ui/FrequencyField.h"
#include "ui/Glyphs.h"
#include "ui/MessageBoxes.h"
#include "ui/SpinField.h"
#include "ui/UiText.h"
#include "visual/Preview.h"

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

namespace umbrascope {

namespace {

// The pattern as the preview draws it, in small.
QIcon PatternIcon(std::uint8_t videoType) {
    SessionValuesInForce values;
    values.VideoType = videoType;
    values.TextEnabled = false;
    return QIcon(QPixmap::fromImage(DrawScreenPreview(values, QSize(24, 18), 240)));
}

} // namespace

QLabel* NewLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

SpinField* NewSpin(const char* name, int minimum, int maximum, int value) {
    auto* field = new SpinField(minimum, maximum, value);
    field->setObjectName(QString::fromLatin1(name));
    field->setMinimumWidth(56);
    return field;
}

FrequencyEdit* NewFrequency(const char* name, const char* arrowsName, int integerDigits,
                            int minimum, int maximum, UpDownArrows*& arrows) {
    auto* edit = new FrequencyEdit(integerDigits, minimum, maximum);
    edit->setObjectName(QString::fromLatin1(name));
    const int digits = edit->fontMetrics().horizontalAdvance(QString(integerDigits + 4, '0'));
    edit->setFixedWidth(digits + 12);
    arrows = new UpDownArrows(edit);
    arrows->setObjectName(QString::fromLatin1(arrowsName));
    arrows->setFixedSize(16, 22);
    return edit;
}

QToolButton* NewGlyphButton(const char* name, const QIcon& icon, const QString& hint) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(icon);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    return button;
}

std::pair<ColorSwatch*, QPushButton*> NewColorPair(const char* swatchName, BgrColor color,
                                                   const char* buttonName, const QString& caption) {
    auto* swatch = new ColorSwatch(color);
    swatch->setObjectName(QString::fromLatin1(swatchName));
    swatch->setAccessibleName(WithoutAccessKey(caption));
    swatch->setFixedSize(22, 22);
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(buttonName));
    return {swatch, button};
}

void BindColorButtons(QWidget* owner,
                      const std::vector<std::pair<QPushButton*, ColorSwatch*>>& buttons,
                      const std::function<void(ColorSwatch*)>& handler) {
    for (const auto& [button, swatchOfButton] : buttons) {
        ColorSwatch* swatch = swatchOfButton; // a lambda cannot capture a structured binding
        QObject::connect(button, &QPushButton::clicked, owner,
                         [owner, swatch, handler] { Guarded(owner, [&] { handler(swatch); }); });
    }
}

QComboBox* NewVideoTypeBox() {
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("VideoTypeBox"));
    box->setIconSize(QSize(24, 18));
    const QString types[] = {QStringLiteral(" Мерцающий экран"), QStringLiteral(" Спираль"),
                             QStringLiteral(" Бегущие полосы"), QStringLiteral(" Окружности")};
    for (std::uint8_t type = 0; type < 4; ++type)
        box->addItem(PatternIcon(type), types[type]);
    box->setCurrentIndex(-1);
    return box;
}

QComboBox* NewLinesDirectBox() {
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("LinesDirectBox"));
    const QString directions[] = {QStringLiteral("Влево"), QStringLiteral("Вправо"),
                                  QStringLiteral("Вверх"), QStringLiteral("Вниз")};
    for (int d = 0; d < 4; ++d)
        box->addItem(ArrowGlyph(d), directions[d]);
    box->setCurrentIndex(-1);
    return box;
}

} // namespace umbrascope
