#include "FontSettingsForm.h"

#include "DialogControls.h"
#include "ui/ColorSwatch.h"
#include "ui/FontNameBox.h"
#include "ui/MessageBoxes.h"
#include "ui/PaintBox.h"
#include "ui/SpinField.h"
#include "ui/ToolWindow.h"
#include "ui/UiText.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

namespace umbrascope {

namespace {

QLabel* NewLabel(QWidget* parent, RetranslatedTexts& texts, TranslatedText text, QWidget* buddy,
                 QRect place) {
    auto* label = texts.Text(new QLabel(parent), std::move(text));
    label->setGeometry(place);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TFontSettingsForm::TFontSettingsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FontSettingsForm"));
    texts_.Keep([this] { setWindowTitle(tr("  Настройка шрифта")); });
    MakeFixedToolWindow(*this, QSize(520, 252));
    ColorDialog = std::make_unique<ColorPicker>(this);

    FontNameBox = new FontFaceBox(this);
    FontNameBox->setObjectName(QStringLiteral("FontNameBox"));
    FontNameBox->setGeometry(10, 28, 250, 24);
    NewLabel(
        this, texts_, [] { return tr("&Начертание шрифта:"); }, FontNameBox, QRect(10, 8, 250, 18));

    FontStyleBox = NewFontStyleBox();
    FontStyleBox->setParent(this);
    texts_.Keep([this] { RetranslateFontStyleBox(FontStyleBox); });
    FontStyleBox->setGeometry(270, 28, 240, 24);
    NewLabel(
        this, texts_, [] { return tr("&Стиль шрифта:"); }, FontStyleBox, QRect(270, 8, 240, 18));

    const auto colorPair = [this](const char* swatchName, BgrColor color, const char* buttonName,
                                  int x) {
        auto [swatch, button] = NewColorPair(swatchName, color, buttonName);
        swatch->setParent(this);
        swatch->setGeometry(x, 64, 22, 22);
        button->setParent(this);
        button->setGeometry(x + 28, 62, 110, 26);
        return std::pair(swatch, button);
    };
    std::tie(TextColorShape, TextColorButton) =
        colorPair("TextColorShape", 0x000000, "TextColorButton", 10);
    std::tie(BackColorShape, BackColorButton) =
        colorPair("BackColorShape", 0xFFFFFF, "BackColorButton", 160);
    texts_.Keep([this] {
        SetColorCaption(TextColorShape, TextColorButton, tr("Цвет &текста"));
        SetColorCaption(BackColorShape, BackColorButton, tr("Цвет о&бводки"));
    });

    BackEnabledBox =
        texts_.Text(new QCheckBox(this), [] { return tr("&Обводить текст по контуру"); });
    BackEnabledBox->setObjectName(QStringLiteral("BackEnabledBox"));
    BackEnabledBox->setChecked(true);
    BackEnabledBox->setGeometry(310, 64, 205, 22);

    BlendEdit = new SpinField(0, 100, 0, this);
    BlendEdit->setObjectName(QStringLiteral("BlendEdit"));
    BlendEdit->setGeometry(100, 100, 56, 22);
    NewLabel(
        this, texts_, [] { return tr("&Прозрачность:"); }, BlendEdit, QRect(10, 103, 88, 18));
    NewLabel(
        this, texts_, [] { return QStringLiteral("%"); }, BlendEdit, QRect(160, 103, 16, 18));
    BlendTrack = new QSlider(Qt::Horizontal, this);
    BlendTrack->setObjectName(QStringLiteral("BlendTrack"));
    BlendTrack->setRange(0, 100);
    texts_.Keep([this] { BlendTrack->setAccessibleName(tr("Прозрачность")); });
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

void TFontSettingsForm::RetranslateUi() {
    texts_.Apply();
}

void TFontSettingsForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDialog::changeEvent(event);
}

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
