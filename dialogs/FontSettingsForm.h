#pragma once

// The phrase appearance dialog: font face and style, text colour, outline and its colour,
// transparency, with a live sample. It edits only its own controls; the start values dialog
// loads them before and reads them after. Closed with its close box; no OK or Cancel.
// User-interface thread only.

#include "ui/RetranslatedTexts.h"
#include "visual/PhraseSample.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QPainter;
class QPushButton;
class QSlider;

namespace umbrascope {

class ColorPicker;
class ColorSwatch;
class FontFaceBox;
class PaintBox;
class SpinField;

class TFontSettingsForm : public QDialog {
    Q_OBJECT

public:
    explicit TFontSettingsForm(QWidget* parent = nullptr);
    ~TFontSettingsForm() override;

    void TextColorButtonClick();
    void BackColorButtonClick();
    void BlendEditChange();
    void BlendTrackChange();
    void TextPreviewPaint(QPainter& painter);

    // The look the controls stand for, as the sample draws it.
    PhraseSampleLook Look() const;

    ColorSwatch* TextColorShape = nullptr;
    QPushButton* TextColorButton = nullptr;
    ColorSwatch* BackColorShape = nullptr;
    QPushButton* BackColorButton = nullptr;
    QCheckBox* BackEnabledBox = nullptr;
    FontFaceBox* FontNameBox = nullptr;
    QComboBox* FontStyleBox = nullptr;
    SpinField* BlendEdit = nullptr;
    QSlider* BlendTrack = nullptr;
    PaintBox* TextPreview = nullptr;
    std::unique_ptr<ColorPicker> ColorDialog;

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();

    RetranslatedTexts texts_;
};

} // namespace umbrascope
