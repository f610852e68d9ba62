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
class TColorSwatch;
class TFrequencyEdit;
class TPositionButtons;
class TSpinField;
class TUpDown;

struct SettingsControls {
    // Phrases.
    TPositionButtons* PositionButtons = nullptr; // PosTextButton1 to PosTextButton12
    QRadioButton* RB100 = nullptr;
    QRadioButton* RB50 = nullptr;
    QRadioButton* RB33 = nullptr;
    TSpinField* TextFrameLongEdit = nullptr;
    TSpinField* TextFrameIntervalEdit = nullptr;
    QLineEdit* TxtFileEdit = nullptr;
    QToolButton* OpenTxtFileButton = nullptr;
    QToolButton* ClFileName = nullptr;

    // Sound.
    QSlider* VolumeTrack = nullptr;

    // Picture.
    QComboBox* VideoTypeBox = nullptr;
    TColorSwatch* SolidScreenColorShape = nullptr;
    QPushButton* Button1 = nullptr;
    TFrequencyEdit* FmFreqE = nullptr;
    TUpDown* FmFreqU = nullptr;
    TColorSwatch* SpiralBColorShape = nullptr;
    QPushButton* Button2 = nullptr;
    TColorSwatch* SpiralLColorShape = nullptr;
    QPushButton* Button3 = nullptr;
    TSpinField* SpiralSpeed = nullptr;
    TSpinField* SpiralWidth = nullptr;
    TColorSwatch* LinesBColorShape = nullptr;
    QPushButton* Button5 = nullptr;
    TColorSwatch* LinesLColorShape = nullptr;
    QPushButton* Button6 = nullptr;
    TSpinField* LinesSpeed = nullptr;
    TSpinField* LinesWidth = nullptr;
    QComboBox* LinesDirectBox = nullptr;
    TColorSwatch* CirclesBColorShape = nullptr;
    QPushButton* Button4 = nullptr;
    TColorSwatch* CirclesLColorShape = nullptr;
    QPushButton* Button7 = nullptr;
    TFrequencyEdit* ClFreqE = nullptr;
    TUpDown* ClFreqU = nullptr;
    TSpinField* CirclesWidth = nullptr;

    // The pattern colour buttons (Button1 to Button7), each with the swatch it colours.
    std::vector<std::pair<QPushButton*, TColorSwatch*>> ColourButtons() const;
};

// The captions of the pattern colour buttons; each also names its swatch for a screen reader.
struct ColourCaptions {
    QString flicker;
    QString spiralBack;
    QString spiral;
    QString linesBack;
    QString lines;
    QString circlesBack;
    QString circles;
};

// Makes every control, without a parent, showing a new session's start values (no position
// selected).
void CreateSettingsControls(SettingsControls& controls, const ColourCaptions& captions);

// The text width buttons (RB100, RB50, RB33) as one group.
QGroupBox* NewTextWidthGroup(const QString& title, const SettingsControls& controls);
