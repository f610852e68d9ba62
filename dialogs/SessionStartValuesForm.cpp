#include "SessionStartValuesForm.h"

#include "AddWaveForm.h"
#include "DialogControls.h"
#include "FontSettingsForm.h"
#include "model/MediaPath.h"
#include "model/TrackDescriptor.h"
#include "ui/ColorSwatch.h"
#include "ui/FileDialogs.h"
#include "ui/FontNameBox.h"
#include "ui/FrequencyField.h"
#include "ui/MediaItems.h"
#include "ui/MessageBoxes.h"
#include "ui/PositionButtons.h"
#include "ui/SpinField.h"
#include "ui/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

namespace umbrascope {

namespace {

// A list shows "nothing selected" for an index it does not hold (from a file or an event);
// closing then keeps the stored value rather than writing a new one.
template <typename Field> void StoreIndex(const QComboBox* box, Field& field) {
    if (box->currentIndex() >= 0)
        field = static_cast<Field>(box->currentIndex());
}

} // namespace

void TSessionStartValuesForm::BindHandlers() {
    connect(FontSettingsBtn, &QPushButton::clicked, this,
            GuardedSlot(this, &TSessionStartValuesForm::FontSettingsBtnClick));
    connect(OpenTxtFileButton, &QToolButton::clicked, this,
            GuardedSlot(this, &TSessionStartValuesForm::OpenTxtFileButtonClick));
    connect(ClFileName, &QToolButton::clicked, this,
            GuardedSlot(this, &TSessionStartValuesForm::ClFileNameClick));
    connect(BitBtn1, &QPushButton::clicked, this,
            GuardedSlot(this, &TSessionStartValuesForm::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this,
            GuardedSlot(this, &TSessionStartValuesForm::BitBtn2Click));
    connect(VolumeTrack, &QSlider::valueChanged, this,
            GuardedSlot(this, &TSessionStartValuesForm::VolumeTrackChange));
    connect(SpiralDir1Btn, &QToolButton::clicked, this,
            GuardedSlot(this, &TSessionStartValuesForm::SpiralDir1BtnClick));
    connect(SpiralDir2Btn, &QToolButton::clicked, this,
            GuardedSlot(this, &TSessionStartValuesForm::SpiralDir2BtnClick));
    BindColorButtons(this, ColorButtons(),
                     [this](ColorSwatch* swatch) { ColorButtonClick(swatch); });
}

void TSessionStartValuesForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TSessionStartValuesForm::done(int result) {
    Guarded(this, [this] { FormClose(); });
    QDialog::done(result);
}

void TSessionStartValuesForm::FormShow() {
    const TSessionValues& v = startValues_;
    TFontSettingsForm& look = *FontSettingsForm;
    look.FontNameBox->Fill();
    look.FontNameBox->SelectFace(QStringLiteral("Arial"));
    PhraseFilePath.clear();
    WaveList.clear();

    TextEnabledBox->setChecked(v.TextEnabled);
    look.TextColorShape->SetColor(v.TextColor);
    // Unlike a face that is merely missing from the list, the stored face stays selected.
    look.FontNameBox->SelectStoredFace(FromModelText(v.FontName));
    look.FontStyleBox->setCurrentIndex(v.FontStyle);
    look.BackEnabledBox->setChecked(v.OutlineEnabled);
    look.BackColorShape->SetColor(v.OutlineColor);
    look.BlendEdit->setValue(v.Transparency);
    look.BlendTrack->setValue(look.BlendEdit->value());

    if (v.TextPosition >= 1 && v.TextPosition <= 12)
        positionButtons->PosTextButtonClick(v.TextPosition);
    if (v.TextWidth == 33)
        RB33->setChecked(true);
    else if (v.TextWidth == 50)
        RB50->setChecked(true);
    else if (v.TextWidth == 100)
        RB100->setChecked(true);
    TextFrameLongEdit->setValue(v.PhraseDuration);
    TextFrameIntervalEdit->setValue(v.PhraseInterval);
    PhraseFilePath = v.PhraseFile;
    ShowPhraseFile();

    AudioEnabledBox->setChecked(v.AudioEnabled);
    VolumeTrack->setValue(v.AudioVolume);
    VolumeTrackChange();
    WaveList = v.Waves;
    WavesListBox->clear();
    for (const std::string& track : WaveList)
        AddTrackItem(*WavesListBox, track, ProjectFolder);
    if (WavesListBox->count() > 0)
        WavesListBox->setCurrentRow(0);

    VideoEnabledBox->setChecked(v.VideoEnabled);
    VideoTypeBox->setCurrentIndex(v.VideoType);
    SolidScreenColorShape->SetColor(v.FlickerColor);
    FmFreqE->SetValue(v.FlickerFreq);
    SpiralLColorShape->SetColor(v.SpiralColor);
    SpiralBColorShape->SetColor(v.SpiralBackColor);
    SpiralSpeed->setValue(208 - v.SpiralSpeed);
    SpiralWidth->setValue(v.SpiralWidth);
    if (v.SpiralDirection == 0)
        SpiralDir1BtnClick();
    else if (v.SpiralDirection == 1)
        SpiralDir2BtnClick();
    LinesLColorShape->SetColor(v.LinesColor);
    LinesBColorShape->SetColor(v.LinesBackColor);
    LinesSpeed->setValue(11 - v.LinesSpeed);
    LinesWidth->setValue(v.LinesWidth);
    LinesDirectBox->setCurrentIndex(v.LinesDirection);
    CirclesLColorShape->SetColor(v.CirclesColor);
    CirclesBColorShape->SetColor(v.CirclesBackColor);
    ClFreqE->SetValue(v.CirclesFreq);
    CirclesWidth->setValue(v.CirclesWidth);
}

void TSessionStartValuesForm::FormClose() {
    for (SpinField* field : {TextFrameLongEdit, TextFrameIntervalEdit, SpiralSpeed, SpiralWidth,
                             LinesSpeed, LinesWidth, CirclesWidth})
        field->Clamp();
    TSessionValues& v = startValues_;
    const TFontSettingsForm& look = *FontSettingsForm;

    v.TextEnabled = TextEnabledBox->isChecked();
    // Every face in the list has a name Windows-1251 can hold.
    v.FontName = ToModelText(look.FontNameBox->FaceName()).value_or(v.FontName);
    StoreIndex(look.FontStyleBox, v.FontStyle);
    v.TextColor = look.TextColorShape->Color();
    v.OutlineEnabled = look.BackEnabledBox->isChecked();
    v.OutlineColor = look.BackColorShape->Color();
    v.Transparency = static_cast<std::uint8_t>(look.BlendEdit->value());
    if (const auto position = positionButtons->Selected())
        v.TextPosition = static_cast<std::uint8_t>(*position);
    if (RB100->isChecked())
        v.TextWidth = 100;
    else if (RB50->isChecked())
        v.TextWidth = 50;
    else if (RB33->isChecked())
        v.TextWidth = 33;
    v.PhraseDuration = TextFrameLongEdit->value();
    v.PhraseInterval = TextFrameIntervalEdit->value();
    v.PhraseFile = PhraseFilePath;

    v.AudioEnabled = AudioEnabledBox->isChecked();
    v.AudioVolume = static_cast<std::uint8_t>(VolumeTrack->value());
    v.Waves = WaveList;

    v.VideoEnabled = VideoEnabledBox->isChecked();
    StoreIndex(VideoTypeBox, v.VideoType);
    v.FlickerColor = SolidScreenColorShape->Color();
    v.FlickerFreq = FmFreqE->Value();
    v.SpiralColor = SpiralLColorShape->Color();
    v.SpiralBackColor = SpiralBColorShape->Color();
    v.SpiralSpeed = static_cast<std::uint16_t>(208 - SpiralSpeed->value());
    v.SpiralWidth = static_cast<std::uint16_t>(SpiralWidth->value());
    v.SpiralDirection = SpiralDir1Btn->isChecked() ? 0 : 1;
    v.LinesColor = LinesLColorShape->Color();
    v.LinesBackColor = LinesBColorShape->Color();
    v.LinesSpeed = static_cast<std::uint16_t>(11 - LinesSpeed->value());
    v.LinesWidth = static_cast<std::uint16_t>(LinesWidth->value());
    StoreIndex(LinesDirectBox, v.LinesDirection);
    v.CirclesColor = CirclesLColorShape->Color();
    v.CirclesBackColor = CirclesBColorShape->Color();
    v.CirclesFreq = ClFreqE->Value();
    v.CirclesWidth = static_cast<std::uint16_t>(CirclesWidth->value());
}

void TSessionStartValuesForm::BitBtn1Click() {
    if (AddWaveForm->exec() != QDialog::Accepted || AddWaveForm->TrackResult.empty())
        return;
    AddTrackItem(*WavesListBox, AddWaveForm->TrackResult, ProjectFolder);
    WaveList.push_back(AddWaveForm->TrackResult);
    WavesListBox->setCurrentRow(WavesListBox->count() - 1);
}

void TSessionStartValuesForm::BitBtn2Click() {
    const int row = WavesListBox->currentRow();
    if (WavesListBox->count() == 0 || row < 0)
        return;
    delete WavesListBox->takeItem(row);
    WaveList.erase(WaveList.begin() + row);
    if (WavesListBox->count() > 0)
        WavesListBox->setCurrentRow(0);
}

void TSessionStartValuesForm::OpenTxtFileButtonClick() {
    if (const auto path = ChooseFileToOpen(this, preferences_, QStringLiteral("OpenTxtFileDialog"),
                                           tr("Текстовый файл (*.txt)|*.txt"), FileKind::Phrases)) {
        PhraseFilePath = *path;
        ShowPhraseFile();
    }
}

void TSessionStartValuesForm::ClFileNameClick() {
    PhraseFilePath.clear();
    TxtFileEdit->clear();
}

void TSessionStartValuesForm::ShowPhraseFile() {
    TxtFileEdit->setText(PhraseFilePath.empty() ? QString()
                                                : MediaDisplayText(PhraseFilePath, ProjectFolder));
}

void TSessionStartValuesForm::FontSettingsBtnClick() {
    FontSettingsForm->exec();
}

void TSessionStartValuesForm::VolumeTrackChange() {
    Label9->setText(QStringLiteral("%1 %").arg(VolumeTrack->value()));
}

void TSessionStartValuesForm::SpiralDir1BtnClick() {
    SpiralDir1Btn->setChecked(true);
    SpiralDir2Btn->setChecked(false);
}

void TSessionStartValuesForm::SpiralDir2BtnClick() {
    SpiralDir1Btn->setChecked(false);
    SpiralDir2Btn->setChecked(true);
}

void TSessionStartValuesForm::ColorButtonClick(ColorSwatch* swatch) {
    if (const auto color = ColorDialog->Pick(swatch->Color()))
        swatch->SetColor(*color);
}

} // namespace umbrascope
