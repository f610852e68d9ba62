#pragma once

// The phrase, sound and pattern controls that the start values dialog and the event editor both
// have, by the names both windows give them. One builder makes them alike (names, ranges,
// pictures, a new session's values); each dialog lays them out its own way and words the colour
// buttons its own way. User-interface thread only.

#include <QString>

#include <utility>
#include <vector>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QToolButton;

namespace umbrascope {

class ColorSwatch;
class FrequencyEdit;
class PositionGrid;
class SpinField;
class UpDownArrows;

struct SettingsControls {
    // Phrases.
    PositionGrid* positionButtons = nullptr; // PosTextButton1 to PosTextButton12
    QRadioButton* RB100 = nullptr;
    QRadioButton* RB50 = nullptr;
    QRadioButton* RB33 = nullptr;
    SpinField* TextFrameLongEdit = nullptr;
    SpinField* TextFrameIntervalEdit = nullptr;
    QLineEdit* TxtFileEdit = nullptr;
    QToolButton* OpenTxtFileButton = nullptr;
    QToolButton* ClFileName = nullptr;

    // Sound.
    QSlider* VolumeTrack = nullptr;

    // Picture.
    QComboBox* VideoTypeBox = nullptr;
    ColorSwatch* SolidScreenColorShape = nullptr;
    QPushButton* Button1 = nullptr;
    FrequencyEdit* FmFreqE = nullptr;
    UpDownArrows* FmFreqU = nullptr;
    ColorSwatch* SpiralBColorShape = nullptr;
    QPushButton* Button2 = nullptr;
    ColorSwatch* SpiralLColorShape = nullptr;
    QPushButton* Button3 = nullptr;
    SpinField* SpiralSpeed = nullptr;
    SpinField* SpiralWidth = nullptr;
    ColorSwatch* LinesBColorShape = nullptr;
    QPushButton* Button5 = nullptr;
    ColorSwatch* LinesLColorShape = nullptr;
    QPushButton* Button6 = nullptr;
    SpinField* LinesSpeed = nullptr;
    SpinField* LinesWidth = nullptr;
    QComboBox* LinesDirectBox = nullptr;
    ColorSwatch* CirclesBColorShape = nullptr;
    QPushButton* Button4 = nullptr;
    ColorSwatch* CirclesLColorShape = nullptr;
    QPushButton* Button7 = nullptr;
    FrequencyEdit* ClFreqE = nullptr;
    UpDownArrows* ClFreqU = nullptr;
    SpinField* CirclesWidth = nullptr;

    // The pattern colour buttons (Button1 to Button7), each with the swatch it colours.
    std::vector<std::pair<QPushButton*, ColorSwatch*>> ColorButtons() const;
};

// The captions of the pattern colour buttons; each also names its swatch for a screen reader.
struct ColorCaptions {
    QString flicker;
    QString spiralBack;
    QString spiral;
    QString linesBack;
    QString lines;
    QString circlesBack;
    QString circles;
};

// Makes every control, without a parent, showing a new session's start values (no position
// selected). Their texts are set by RetranslateSettingsControls.
void CreateSettingsControls(SettingsControls& controls);

// Sets the controls' texts in the interface's language, the colour buttons' as captions says.
void RetranslateSettingsControls(SettingsControls& controls, const ColorCaptions& captions);

// The text width buttons (RB100, RB50, RB33) as one group, without a title.
QGroupBox* NewTextWidthGroup(const SettingsControls& controls);

} // namespace umbrascope
