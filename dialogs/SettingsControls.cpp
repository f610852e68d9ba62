#include "SettingsControls.h"

#include "DialogControls.h"
#include "model/Session.h"
#include "ui/ColorSwatch.h"
#include "ui/FrequencyField.h"
#include "ui/PositionButtons.h"
#include "ui/SpinField.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QRadioButton* NewRadio(const char* name, const QString& caption) {
    auto* button = new QRadioButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

std::vector<std::pair<QPushButton*, TColorSwatch*>> SettingsControls::ColourButtons() const {
    return {{Button1, SolidScreenColorShape}, {Button2, SpiralBColorShape},
            {Button3, SpiralLColorShape},     {Button4, CirclesBColorShape},
            {Button5, LinesBColorShape},      {Button6, LinesLColorShape},
            {Button7, CirclesLColorShape}};
}

void CreateSettingsControls(SettingsControls& c, const ColourCaptions& captions) {
    const TSessionSettings start;

    // None selected: a position a control cannot show is kept as it is.
    c.PositionButtons = new TPositionButtons;
    c.RB100 = NewRadio("RB100", QStringLiteral("100 % от ширины экрана"));
    c.RB50 = NewRadio("RB50", QStringLiteral("50 % от ширины экрана"));
    c.RB33 = NewRadio("RB33", QStringLiteral("33 % от ширины экрана"));
    c.RB100->setChecked(true);
    c.TextFrameLongEdit = NewSpin("TextFrameLongEdit", 10, 500, start.PhraseDuration);
    c.TextFrameIntervalEdit = NewSpin("TextFrameIntervalEdit", 500, 10000, start.PhraseInterval);
    c.TxtFileEdit = new QLineEdit;
    c.TxtFileEdit->setObjectName(QStringLiteral("TxtFileEdit"));
    // The path comes from the file dialog only; the field shows its name.
    c.TxtFileEdit->setReadOnly(true);
    const QStyle* style = QApplication::style();
    c.OpenTxtFileButton =
        NewGlyphButton("OpenTxtFileButton", style->standardIcon(QStyle::SP_DialogOpenButton),
                       QStringLiteral("Выбрать текстовый файл"));
    c.ClFileName = NewGlyphButton("ClFileName", style->standardIcon(QStyle::SP_LineEditClearButton),
                                  QStringLiteral("Убрать текстовый файл"));

    c.VolumeTrack = new QSlider(Qt::Horizontal);
    c.VolumeTrack->setObjectName(QStringLiteral("VolumeTrack"));
    c.VolumeTrack->setRange(0, 100);
    c.VolumeTrack->setValue(start.AudioVolume);

    c.VideoTypeBox = NewVideoTypeBox();
    c.VideoTypeBox->setCurrentIndex(start.VideoType);
    std::tie(c.SolidScreenColorShape, c.Button1) =
        NewColourPair("SolidScreenColorShape", start.FlickerColor, "Button1", captions.flicker);
    c.FmFreqE = NewFrequency("FmFreqE", "FmFreqU", 2, 0, 30000, c.FmFreqU);
    c.FmFreqE->SetValue(start.FlickerFreq);
    std::tie(c.SpiralBColorShape, c.Button2) =
        NewColourPair("SpiralBColorShape", start.SpiralBackColor, "Button2", captions.spiralBack);
    std::tie(c.SpiralLColorShape, c.Button3) =
        NewColourPair("SpiralLColorShape", start.SpiralColor, "Button3", captions.spiral);
    // The speeds are shown the other way round from how they are stored.
    c.SpiralSpeed = NewSpin("SpiralSpeed", 1, 200, 208 - start.SpiralSpeed);
    c.SpiralWidth = NewSpin("SpiralWidth", 1, 500, start.SpiralWidth);
    std::tie(c.LinesBColorShape, c.Button5) =
        NewColourPair("LinesBColorShape", start.LinesBackColor, "Button5", captions.linesBack);
    std::tie(c.LinesLColorShape, c.Button6) =
        NewColourPair("LinesLColorShape", start.LinesColor, "Button6", captions.lines);
    c.LinesSpeed = NewSpin("LinesSpeed", 1, 10, 11 - start.LinesSpeed);
    c.LinesWidth = NewSpin("LinesWidth", 5, 300, start.LinesWidth);
    c.LinesDirectBox = NewLinesDirectBox();
    c.LinesDirectBox->setCurrentIndex(start.LinesDirection);
    std::tie(c.CirclesBColorShape, c.Button4) = NewColourPair(
        "CirclesBColorShape", start.CirclesBackColor, "Button4", captions.circlesBack);
    std::tie(c.CirclesLColorShape, c.Button7) =
        NewColourPair("CirclesLColorShape", start.CirclesColor, "Button7", captions.circles);
    c.ClFreqE = NewFrequency("ClFreqE", "ClFreqU", 1, 1, 5000, c.ClFreqU);
    c.ClFreqE->SetValue(start.CirclesFreq);
    c.CirclesWidth = NewSpin("CirclesWidth", 5, 500, start.CirclesWidth);
}

QGroupBox* NewTextWidthGroup(const QString& title, const SettingsControls& controls) {
    auto* rows = new QVBoxLayout;
    for (QRadioButton* button : {controls.RB100, controls.RB50, controls.RB33})
        rows->addWidget(button);
    auto* group = new QGroupBox(title);
    group->setLayout(rows);
    return group;
}
