#include "FontSettingsForm.h"

#include "ui/ColorSwatch.h"
#include "ui/FontNameBox.h"
#include "ui/MessageBoxes.h"
#include "ui/PaintBox.h"
#include "ui/SpinField.h"
#include "ui/ToolWindow.h"
#include "ui/UiText.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

namespace umbrascope {

namespace {

QLabel* NewLabel(QWidget* parent, const QString& text, QWidget* buddy, QRect place) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TFontSettingsForm::TFontSettingsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FontSettingsForm"));
    setWindowTitle(QStringLiteral("  Настройка шрифта"));
    MakeFixedToolWindow(*this, QSize(520, 252));
    ColorDialog = std::make_unique<ColorPicker>(this);

    FontNameBox = new FontFaceBox(this);
    FontNameBox->setObjectName(QStringLiteral("FontNameBox"));
    FontNameBox->setGeometry(10, 28, 250, 24);
    NewLabel(this, QStringLiteral("&Начертание шрифта:"), FontNameBox, QRect(10, 8, 250, 18));

    FontStyleBox = new QComboBox(this);
    FontStyleBox->setObjectName(QStringLiteral("FontStyleBox"));
    FontStyleBox->addItems({QStringLiteral("обычный"), QStringLiteral("курсив"),
                            QStringLiteral("жирный"), QStringLiteral("жирный курсив")});
    FontStyleBox->setGeometry(270, 28, 240, 24);
    NewLabel(this, QStringLiteral("&Стиль шрифта:"), FontStyleBox, QRect(270, 8, 240, 18));

    const auto colorPair = [this](const char* swatchName, BgrColor color, const char* buttonName,
                                  const QString& caption, int x) {
        auto* swatch = new ColorSwatch(color, this);
        swatch->setObjectName(QString::fromLatin1(swatchName));
        swatch->setAccessibleName(WithoutAccessKey(caption));
        swatch->setGeometry(x, 64, 22, 22);
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(buttonName));
        button->setGeometry(x + 28, 62, 110, 26);
        return std::pair(swatch, button);
    };
    std::tie(TextColorShape, TextColorButton) = colorPair(
        "TextColorShape", 0x000000, "TextColorButton", QStringLiteral("Цвет &текста"), 10);
    std::tie(BackColorShape, BackColorButton) = colorPair(
        "BackColorShape", 0xFFFFFF, "BackColorButton", QStringLiteral("Цвет о&бводки"), 160);

    BackEnabledBox = new QCheckBox(QStringLiteral("&Обводить текст по контуру"), this);
    BackEnabledBox->setObjectName(QStringLiteral("BackEnabledBox"));
    BackEnabledBox->setChecked(true);
    BackEnabledBox->setGeometry(310, 64, 205, 22);

    BlendEdit = new SpinField(0, 100, 0, this);
    BlendEdit->setObjectName(QStringLiteral("BlendEdit"));
    BlendEdit->setGeometry(100, 100, 56, 22);
    NewLabel(this, QStringLiteral("&Прозрачность:"), BlendEdit, QRect(10, 103, 88, 18));
    NewLabel(this, QStringLiteral("%"), BlendEdit, QRect(160, 103, 16, 18));
    BlendTrack = new QSlider(Qt::Horizontal, this);
    BlendTrack->setObjectName(QStringLiteral("BlendTrack"));
    BlendTrack->setRange(0, 100);
    BlendTrack->setAccessibleName(QStringLiteral("Прозрачность"));
    BlendTrack->setGeometry(185, 100, 325, 22);

    TextPreview = new PaintBox(this);
    TextPreview->setObjectName(QStringLiteral("TextPreview"));
    TextPreview->setGeometry(10, 132, 500, 110);
    TextPreview->OnPaint = [this](QPainter& painter) { TextPreviewPaint(painter); };

    connect(TextColorButton, &QPushButton::clicked, this,
            GuardedSlot(this, &TFontSettingsForm::TextColorButtonClick));
    connect(BackColorButton, &QPushButton::clicked, this,
            GuardedSlot(this, &TFontSettingsForm::BackColorButtonClick));
    connect(BlendEdit, &QSpinBox::valueChanged, this,
            GuardedSlot(this, &TFontSettingsForm::BlendEditChange));
    connect(BlendTrack, &QSlider::valueChanged, this,
            GuardedSlot(this, &TFontSettingsForm::BlendTrackChange));
    const auto repaint = [this] { TextPreview->update(); };
    connect(BackEnabledBox, &QCheckBox::toggled, this, repaint);
    connect(FontNameBox, &QComboBox::currentIndexChanged, this, repaint);
    connect(FontStyleBox, &QComboBox::currentIndexChanged, this, repaint);
    NoDefaultButton(*this);
}

TFontSettingsForm::~TFontSettingsForm() = default;

void TFontSettingsForm::TextColorButtonClick() {
    if (const auto color = ColorDialog->Pick(TextColorShape->Color()))
        TextColorShape->SetColor(*color);
    TextPreview->update();
}

void TFontSettingsForm::BackColorButtonClick() {
    if (const auto color = ColorDialog->Pick(BackColorShape->Color()))
        BackColorShape->SetColor(*color);
    TextPreview->update();
}

void TFontSettingsForm::BlendEditChange() {
    BlendTrack->setValue(BlendEdit->value());
    TextPreview->update();
}

void TFontSettingsForm::BlendTrackChange() {
    BlendEdit->setValue(BlendTrack->value());
}

PhraseSampleLook TFontSettingsForm::Look() const {
    PhraseSampleLook look;
    look.FontName = ToModelText(FontNameBox->FaceName()).value_or(std::string());
    look.FontStyle = static_cast<std::uint8_t>(std::max(FontStyleBox->currentIndex(), 0));
    look.TextColor = TextColorShape->Color();
    look.OutlineEnabled = BackEnabledBox->isChecked();
    look.OutlineColor = BackColorShape->Color();
    look.Transparency = BlendEdit->value();
    return look;
}

void TFontSettingsForm::TextPreviewPaint(QPainter& painter) {
    painter.drawImage(0, 0, DrawPhraseSample(TextPreview->size(), Look()));
}

} // namespace umbrascope
