#include "DialogControls.h"

#include "ui/ColorSwatch.h"
#include "ui/FrequencyField.h"
#include "ui/Glyphs.h"
#include "ui/MessageBoxes.h"
#include "ui/SpinField.h"
#include "ui/UiText.h"
#include "visual/Preview.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

namespace umbrascope {

namespace {

constexpr const char* Context = "umbrascope::DialogControls";

constexpr const char* FontStyles[] = {
    QT_TRANSLATE_NOOP("umbrascope::DialogControls", "обычный"),
    QT_TRANSLATE_NOOP("umbrascope::DialogControls", "курсив"),
    QT_TRANSLATE_NOOP("umbrascope::DialogControls", "жирный"),
    QT_TRANSLATE_NOOP("umbrascope::DialogControls", "жирный курсив")};

constexpr const char* VideoTypes[] = {
    QT_TRANSLATE_NOOP("umbrascope::DialogControls", " Мерцающий экран"),
    QT_TRANSLATE_NOOP("umbrascope::DialogControls", " Спираль"),
    QT_TRANSLATE_NOOP("umbrascope::DialogControls", " Бегущие полосы"),
    QT_TRANSLATE_NOOP("umbrascope::DialogControls", " Окружности")};

constexpr const char* LinesDirections[] = {
    QT_TRANSLATE_NOOP("umbrascope::DialogControls", "Влево"),
    QT_TRANSLATE_NOOP("umbrascope::DialogControls", "Вправо"),
    QT_TRANSLATE_NOOP("umbrascope::DialogControls", "Вверх"),
    QT_TRANSLATE_NOOP("umbrascope::DialogControls", "Вниз")};

// The pattern as the preview draws it, in small.
QIcon PatternIcon(std::uint8_t videoType) {
    SessionValuesInForce values;
    values.VideoType = videoType;
    values.TextEnabled = false;
    return QIcon(QPixmap::fromImage(DrawScreenPreview(values, QSize(24, 18), 240)));
}

} // namespace

void SelectKept(QComboBox* box, const QVariant& kept) {
    if (const int index = box->findData(kept); kept.isValid() && index >= 0)
        box->setCurrentIndex(index);
}

QLabel* NewLabel(RetranslatedTexts& texts, TranslatedText text, QWidget* buddy) {
    auto* label = texts.Text(new QLabel, std::move(text));
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

QToolButton* NewGlyphButton(const char* name, const QIcon& icon) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(icon);
    return button;
}

void SetGlyphHint(QToolButton* button, const QString& hint) {
    button->setToolTip(hint);
    button->setAccessibleName(hint);
}

std::pair<ColorSwatch*, QPushButton*> NewColorPair(const char* swatchName, BgrColor color,
                                                   const char* buttonName) {
    auto* swatch = new ColorSwatch(color);
    swatch->setObjectName(QString::fromLatin1(swatchName));
    swatch->setFixedSize(22, 22);
    auto* button = new QPushButton;
    button->setObjectName(QString::fromLatin1(buttonName));
    return {swatch, button};
}

void SetColorCaption(ColorSwatch* swatch, QPushButton* button, const QString& caption) {
    swatch->setAccessibleName(WithoutAccessKey(caption));
    button->setText(caption);
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

QComboBox* NewFontStyleBox() {
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("FontStyleBox"));
    for (int style = 0; style < 4; ++style)
        box->addItem(QString());
    return box;
}

void RetranslateFontStyleBox(QComboBox* box) {
    for (int style = 0; style < 4; ++style)
        box->setItemText(style, QCoreApplication::translate(Context, FontStyles[style]));
}

QComboBox* NewVideoTypeBox() {
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("VideoTypeBox"));
    box->setIconSize(QSize(24, 18));
    for (std::uint8_t type = 0; type < 4; ++type)
        box->addItem(PatternIcon(type), QString());
    box->setCurrentIndex(-1);
    return box;
}

void RetranslateVideoTypeBox(QComboBox* box) {
    for (int type = 0; type < 4; ++type)
        box->setItemText(type, QCoreApplication::translate(Context, VideoTypes[type]));
}

QComboBox* NewLinesDirectBox() {
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("LinesDirectBox"));
    for (int d = 0; d < 4; ++d)
        box->addItem(ArrowGlyph(d), QString());
    box->setCurrentIndex(-1);
    return box;
}

void RetranslateLinesDirectBox(QComboBox* box) {
    for (int d = 0; d < 4; ++d)
        box->setItemText(d, QCoreApplication::translate(Context, LinesDirections[d]));
}

} // namespace umbrascope
