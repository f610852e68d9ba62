#include "SettingsControls.h"

#include "DialogControls.h"
#include "model/Session.h"
#include "ui/ColorSwatch.h"
#include "ui/FrequencyField.h"
#include "ui/PositionButtons.h"
#include "ui/SpinField.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace umbrascope {

namespace {

QRadioButton* NewRadio(const char* name) {
    auto* button = new QRadioButton;
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// A pattern colour: its swatch, the setting the swatch shows, and the button with its caption.
struct ColorControl {
    ColorSwatch* SettingsControls::*swatch;
    const char* swatchName;
    BgrColor SessionSettings::*color;
    QPushButton* SettingsControls::*button;
    const char* buttonName;
    QString ColorCaptions::*caption;
};

using S = SettingsControls;
using C = ColorCaptions;
using V = SessionSettings;

constexpr ColorControl ColorControls[] = {
    {&S::SolidScreenColorShape, "SolidScreenColorShape", &V::FlickerColor, &S::Button1, "Button1",
     &C::flicker},
    {&S::SpiralBColorShape, "SpiralBColorShape", &V::SpiralBackColor, &S::Button2, "Button2",
     &C::spiralBack},
    {&S::SpiralLColorShape, "SpiralLColorShape", &V::SpiralColor, &S::Button3, "Button3",
     &C::spiral},
    {&S::CirclesBColorShape, "CirclesBColorShape", &V::CirclesBackColor, &S::Button4, "Button4",
     &C::circlesBack},
    {&S::LinesBColorShape, "LinesBColorShape", &V::LinesBackColor, &S::Button5, "Button5",
     &C::linesBack},
    {&S::LinesLColorShape, "LinesLColorShape", &V::LinesColor, &S::Button6, "Button6", &C::lines},
    {&S::CirclesLColorShape, "CirclesLColorShape", &V::CirclesColor, &S::Button7, "Button7",
     &C::circles},
};

} // namespace

std::vector<std::pair<QPushButton*, ColorSwatch*>> SettingsControls::ColorButtons() const {
    std::vector<std::pair<QPushButton*, ColorSwatch*>> buttons;
    for (const ColorControl& control : ColorControls)
        buttons.emplace_back(this->*control.button, this->*control.swatch);
    return buttons;
}

void CreateSettingsControls(SettingsControls& c) {
    const SessionSettings start;

    // None selected: a position a control cannot show is kept as it is.
    c.positionButtons = new PositionGrid;
    c.RB100 = NewRadio("RB100");
    c.RB50 = NewRadio("RB50");
    c.RB33 = NewRadio("RB33");
    c.RB100->setChecked(true);
    c.TextFrameLongEdit = NewSpin("TextFrameLongEdit", 10, 500, start.PhraseDuration);
    c.TextFrameIntervalEdit = NewSpin("TextFrameIntervalEdit", 500, 10000, start.PhraseInterval);
    c.TxtFileEdit = new QLineEdit;
    c.TxtFileEdit->setObjectName(QStringLiteral("TxtFileEdit"));
    // The path comes from the file dialog only; the field shows its name.
    c.TxtFileEdit->setReadOnly(true);
    const QStyle* style = QApplication::style();
    c.OpenTxtFileButton =
        NewGlyphButton("OpenTxtFileButton", style->standardIcon(QStyle::SP_DialogOpenButton));
    c.ClFileName =
        NewGlyphButton("ClFileName", style->standardIcon(QStyle::SP_LineEditClearButton));

    c.VolumeTrack = new QSlider(Qt::Horizontal);
    c.VolumeTrack->setObjectName(QStringLiteral("VolumeTrack"));
    c.VolumeTrack->setRange(0, 100);
    c.VolumeTrack->setValue(start.AudioVolume);

    c.VideoTypeBox = NewVideoTypeBox();
    c.VideoTypeBox->setCurrentIndex(start.VideoType);
    for (const ColorControl& control : ColorControls)
        std::tie(c.*control.swatch, c.*control.button) =
            NewColorPair(control.swatchName, start.*control.color, control.buttonName);
    c.FmFreqE = NewFrequency("FmFreqE", "FmFreqU", 2, 0, 30000, c.FmFreqU);
    c.FmFreqE->SetValue(start.FlickerFreq);
    // The speeds are shown the other way round from how they are stored.
    c.SpiralSpeed = NewSpin("SpiralSpeed", 1, 200, 208 - start.SpiralSpeed);
    c.SpiralWidth = NewSpin("SpiralWidth", 1, 500, start.SpiralWidth);
    c.LinesSpeed = NewSpin("LinesSpeed", 1, 10, 11 - start.LinesSpeed);
    c.LinesWidth = NewSpin("LinesWidth", 5, 300, start.LinesWidth);
    c.LinesDirectBox = NewLinesDirectBox();
    c.LinesDirectBox->setCurrentIndex(start.LinesDirection);
    c.ClFreqE = NewFrequency("ClFreqE", "ClFreqU", 1, 1, 5000, c.ClFreqU);
    c.ClFreqE->SetValue(start.CirclesFreq);
    c.CirclesWidth = NewSpin("CirclesWidth", 5, 500, start.CirclesWidth);
}

void RetranslateSettingsControls(SettingsControls& c, const ColorCaptions& captions) {
    c.RB100->setText(
        QCoreApplication::translate("umbrascope::SettingsControls", "&100 % от ширины экрана"));
    c.RB50->setText(
        QCoreApplication::translate("umbrascope::SettingsControls", "&50 % от ширины экрана"));
    c.RB33->setText(
        QCoreApplication::translate("umbrascope::SettingsControls", "&33 % от ширины экрана"));
    SetGlyphHint(c.OpenTxtFileButton, QCoreApplication::translate("umbrascope::SettingsControls",
                                                                  "Выбрать текстовый файл"));
    SetGlyphHint(c.ClFileName, QCoreApplication::translate("umbrascope::SettingsControls",
                                                           "Убрать текстовый файл"));
    RetranslateVideoTypeBox(c.VideoTypeBox);
    RetranslateLinesDirectBox(c.LinesDirectBox);
    for (const ColorControl& control : ColorControls)
        SetColorCaption(c.*control.swatch, c.*control.button, captions.*control.caption);
}

QGroupBox* NewTextWidthGroup(const SettingsControls& controls) {
    auto* rows = new QVBoxLayout;
    for (QRadioButton* button : {controls.RB100, controls.RB50, controls.RB33})
        rows->addWidget(button);
    auto* group = new QGroupBox;
    group->setLayout(rows);
    return group;
}

} // namespace umbrascope
