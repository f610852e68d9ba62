#pragma once

// The start values dialog: every setting of the session at time 0 (phrases, sound with the
// list of start tracks, background pattern). It has no OK or Cancel: however the window
// closes, every value is written back into StartValues. The phrase appearance is edited in
// the phrase appearance dialog, whose controls this dialog loads when it opens and reads when
// it closes. User-interface thread only; never opened while a session plays.

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QToolButton;
class TAddWaveForm;
class TColorPicker;
class TColorSwatch;
class TFontSettingsForm;
class TFrequencyEdit;
class TPositionButtons;
class TSpinField;
class TUpDown;

class TSessionStartValuesForm : public QDialog {
    Q_OBJECT

public:
    explicit TSessionStartValuesForm(QWidget* parent = nullptr);
    ~TSessionStartValuesForm() override;

    // The dialogs this one opens; the main window sets them once they exist.
    TAddWaveForm* AddWaveForm = nullptr;
    TFontSettingsForm* FontSettingsForm = nullptr;

    // Load: the controls (and those of the phrase appearance dialog) from StartValues; runs
    // when the dialog is shown.
    void FormShow();
    // Store: StartValues from the controls; runs whenever the dialog closes.
    void FormClose();

    void BitBtn1Click(); // "Добавить": a track from the add-track dialog
    void BitBtn2Click(); // "Удалить": the selected track
    void OpenTxtFileButtonClick();
    void ClFileNameClick();
    void FontSettingsBtnClick();
    void VolumeTrackChange();
    void SpiralDir1BtnClick();
    void SpiralDir2BtnClick();
    // Button1Click to Button7Click: the colour picker for the swatch beside the button.
    void ColorButtonClick(TColorSwatch* swatch);

    // Phrases.
    QCheckBox* TextEnabledBox = nullptr;
    TPositionButtons* PositionButtons = nullptr; // PosTextButton1 to PosTextButton12
    QPushButton* FontSettingsBtn = nullptr;
    QRadioButton* RB100 = nullptr;
    QRadioButton* RB50 = nullptr;
    QRadioButton* RB33 = nullptr;
    TSpinField* TextFrameLongEdit = nullptr;
    TSpinField* TextFrameIntervalEdit = nullptr;
    QLineEdit* TxtFileEdit = nullptr;
    QToolButton* OpenTxtFileButton = nullptr;
    QToolButton* ClFileName = nullptr;

    // Sound.
    QCheckBox* AudioEnabledBox = nullptr;
    QSlider* VolumeTrack = nullptr;
    QLabel* Label9 = nullptr;
    QListWidget* WavesListBox = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

    // Picture.
    QCheckBox* VideoEnabledBox = nullptr;
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
    QToolButton* SpiralDir1Btn = nullptr;
    QToolButton* SpiralDir2Btn = nullptr;
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

    std::unique_ptr<TColorPicker> ColorDialog;

    // The phrase file's full path (Windows-1251); the file field shows only its name.
    std::string PhraseFilePath;
    // The start track descriptors, parallel to WavesListBox.
    std::vector<std::string> WaveList;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreatePhraseGroup();
    QWidget* CreateSoundGroup();
    QWidget* CreatePictureGroup();
    QWidget* CreateFlickerGroup();
    QWidget* CreateSpiralGroup();
    QWidget* CreateLinesGroup();
    QWidget* CreateCirclesGroup();
    void BindHandlers();
    void ShowPhraseFile();
};
