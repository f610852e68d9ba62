#pragma once

// The add-track dialog: one audio track chosen as a sound file or as one of the four
// generators with its parameters, returned as a track descriptor. One instance serves the
// whole run, so it opens with what it held at its last use. Writes nothing of the session.
// User-interface thread only.

#include "ui/RetranslatedTexts.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace umbrascope {

class FrequencyEdit;
class SpinField;
class UpDownArrows;

// A frequency text as a descriptor holds it: leading zeros (before the units digit) and
// trailing zeros dropped, and the point when nothing follows it. "08.000" gives "8",
// "00.500" gives "0.5".
std::string TrimFrequencyText(const QString& text);

class Preferences;

class TAddWaveForm : public QDialog {
    Q_OBJECT

public:
    // The audio file dialog opens where preferences (which must outlive the dialog) say.
    explicit TAddWaveForm(Preferences& preferences, QWidget* parent = nullptr);
    ~TAddWaveForm() override;

    // The descriptor built by "Добавить" (Windows-1251); empty when nothing valid was chosen.
    std::string TrackResult;

    // Makes radio the selected row, its caption bold and the others regular.
    void RBClick(QRadioButton* radio);
    void OpenAudioFileButtonClick();
    void Button1Click();

    QRadioButton* AudioFileRB = nullptr;
    QLineEdit* AudioWaveEdit = nullptr;
    QToolButton* OpenAudioFileButton = nullptr;

    QRadioButton* BrainWavesRB = nullptr;
    FrequencyEdit* BWFreqE = nullptr;
    UpDownArrows* BWFreqU = nullptr;
    SpinField* BwCFreq = nullptr;
    SpinField* BwVol = nullptr;

    QRadioButton* FreqModRB = nullptr;
    FrequencyEdit* FmFreqE = nullptr;
    UpDownArrows* FmFreqU = nullptr;
    SpinField* FmCFreq = nullptr;
    SpinField* FmOfsFreq = nullptr;
    SpinField* FmVol = nullptr;

    QRadioButton* NoiseRB = nullptr;
    SpinField* NoiseVol = nullptr;

    QRadioButton* SinusRB = nullptr;
    FrequencyEdit* SinusFreqE = nullptr;
    UpDownArrows* SinusFreqU = nullptr;
    QComboBox* SinusChannel = nullptr;
    SpinField* SinusVol = nullptr;

    QPushButton* Button1 = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    // "caption [field][arrows] unit" groups, the line at y holding them from the left.
    struct PlacedField {
        QLabel* caption;
        QWidget* field;
        int fieldWidth;
        QWidget* arrows;
        QLabel* unit;
    };
    struct FieldLine {
        int y;
        std::vector<PlacedField> fields;
    };

    void RetranslateUi();
    void CreateControls();
    // Adds a group to the line at y (a new line when y differs from the last); unit may be
    // empty, arrows null.
    void PlaceField(int y, TranslatedText caption, QWidget* field, int fieldWidth,
                    TranslatedText unit, QWidget* arrows = nullptr);
    void ArrangeFields();
    void BindRowChanges();
    std::string BuildTrack() const;

    Preferences& preferences_;
    // The chosen file's path as the model holds it; AudioWaveEdit shows it.
    std::string wavePath_;
    RetranslatedTexts texts_;
    std::vector<FieldLine> fieldLines_;
};

} // namespace umbrascope
