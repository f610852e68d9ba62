#pragma once

// The start values dialog: every setting of the session at time 0 (phrases, sound with the
// list of start tracks, background pattern). It has no OK or Cancel: however the window
// closes, every value is written back into the start values. The phrase appearance is edited in
// the phrase appearance dialog, whose controls this dialog loads when it opens and reads when
// it closes. User-interface thread only; never opened while a session plays.

#include "SettingsControls.h"
#include "model/Session.h"
#include "ui/RetranslatedTexts.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;

namespace umbrascope {

class TAddWaveForm;
class ColorPicker;
class Preferences;
class ColorSwatch;
class TFontSettingsForm;

class TSessionStartValuesForm : public QDialog, public SettingsControls {
    Q_OBJECT

public:
    // Edits startValues (the open document's); its file dialog opens where preferences say.
    // Both must outlive the dialog.
    TSessionStartValuesForm(TSessionValues& startValues, Preferences& preferences,
                            QWidget* parent = nullptr);
    ~TSessionStartValuesForm() override;

    // The dialogs this one opens; the main window sets them once they exist.
    TAddWaveForm* AddWaveForm = nullptr;
    TFontSettingsForm* FontSettingsForm = nullptr;
    // Where the project's moved media are looked for, to mark the ones not found; set by the
    // window before the dialog opens.
    std::string ProjectFolder;

    // Load: the controls (and those of the phrase appearance dialog) from the start values;
    // runs when the dialog is shown.
    void FormShow();
    // Store: the start values from the controls; runs whenever the dialog closes.
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
    void ColorButtonClick(ColorSwatch* swatch);

    // The controls of its own; those the event editor has too are SettingsControls'.
    QCheckBox* TextEnabledBox = nullptr;
    QPushButton* FontSettingsBtn = nullptr;
    QCheckBox* AudioEnabledBox = nullptr;
    QLabel* Label9 = nullptr;
    QListWidget* WavesListBox = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QCheckBox* VideoEnabledBox = nullptr;
    QToolButton* SpiralDir1Btn = nullptr;
    QToolButton* SpiralDir2Btn = nullptr;

    std::unique_ptr<ColorPicker> ColorDialog;

    // The phrase file's full path (Windows-1251); the file field shows only its name.
    std::string PhraseFilePath;
    // The start track descriptors, parallel to WavesListBox.
    std::vector<std::string> WaveList;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TSessionValues& startValues_;
    Preferences& preferences_;
    RetranslatedTexts texts_;

    void RetranslateUi();
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

} // namespace umbrascope
