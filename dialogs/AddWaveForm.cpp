#include "AddWaveForm.h"

#include "audio/sources/AudioFileCheck.h"
#include "model/MediaPath.h"
#include "ui/FileDialogs.h"
#include "ui/FrequencyField.h"
#include "ui/MessageBoxes.h"
#include "ui/ShownText.h"
#include "ui/SpinField.h"
#include "ui/ToolWindow.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

namespace umbrascope {

namespace {

constexpr int RowHeight = 22;

// Places "caption [field][arrows] unit" from x on the line at y; returns where the next group
// starts.
int PlaceField(QWidget* parent, const QString& caption, QWidget* field, int fieldWidth,
               const QString& unit, int x, int y, QWidget* arrows = nullptr) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(field);
    const int labelWidth = label->fontMetrics().horizontalAdvance(caption) + 6;
    label->setGeometry(x, y + 3, labelWidth, 16);
    x += labelWidth;
    field->setGeometry(x, y, fieldWidth, RowHeight);
    x += fieldWidth;
    if (arrows) {
        arrows->setGeometry(x, y, 16, RowHeight);
        x += 16;
    }
    if (!unit.isEmpty()) {
        auto* unitLabel = new QLabel(unit, parent);
        const int unitWidth = unitLabel->fontMetrics().horizontalAdvance(unit) + 4;
        unitLabel->setGeometry(x + 4, y + 3, unitWidth, 16);
        x += unitWidth + 4;
    }
    return x + 16;
}

} // namespace

std::string TrimFrequencyText(const QString& text) {
    QString s = text;
    while (s.startsWith(QLatin1Char('0')) && s.size() > 1 && s[1] != QLatin1Char('.'))
        s.remove(0, 1);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s.toStdString();
}

TAddWaveForm::TAddWaveForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AddWaveForm"));
    setWindowTitle(QStringLiteral(" Добавление аудиодорожки"));
    MakeFixedToolWindow(*this, QSize(530, 346));
    CreateControls();
    BindRowChanges();
    RBClick(AudioFileRB);
    CentreOnScreen(*this);
}

void TAddWaveForm::CreateControls() {
    const auto radio = [this](const char* name, const QString& caption, int y) {
        auto* button = new QRadioButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(10, y, 300, 20);
        connect(button, &QRadioButton::toggled, this, [this, button](bool on) {
            if (on)
                RBClick(button);
        });
        return button;
    };
    const auto spin = [this](const char* name, int minimum, int maximum, int value) {
        auto* field = new SpinField(minimum, maximum, value, this);
        field->setObjectName(QString::fromLatin1(name));
        return field;
    };
    const auto frequency = [this](const char* name, const char* arrowsName, int digits, int maximum,
                                  int value, UpDownArrows*& arrows) {
        auto* edit = new FrequencyEdit(digits, 1, maximum, this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->SetValue(value);
        arrows = new UpDownArrows(edit, this);
        arrows->setObjectName(QString::fromLatin1(arrowsName));
        return edit;
    };
    const QString hertz = QStringLiteral("Гц");
    const QString percent = QStringLiteral("%");
    const QString volume = QStringLiteral("Громкость:");

    AudioFileRB = radio("AudioFileRB", QStringLiteral("&Аудиофайл"), 8);
    AudioWaveEdit = new QLineEdit(this);
    AudioWaveEdit->setObjectName(QStringLiteral("AudioWaveEdit"));
    AudioWaveEdit->setReadOnly(true);
    AudioWaveEdit->setAccessibleName(WithoutAccessKey(AudioFileRB->text()));
    AudioWaveEdit->setGeometry(30, 30, 460, RowHeight);
    OpenAudioFileButton = new QToolButton(this);
    OpenAudioFileButton->setObjectName(QStringLiteral("OpenAudioFileButton"));
    OpenAudioFileButton->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    OpenAudioFileButton->setToolTip(QStringLiteral("Выбрать аудиофайл"));
    OpenAudioFileButton->setAccessibleName(OpenAudioFileButton->toolTip());
    OpenAudioFileButton->setGeometry(494, 30, 26, RowHeight);
    connect(OpenAudioFileButton, &QToolButton::clicked, this,
            [this] { Guarded(this, [this] { OpenAudioFileButtonClick(); }); });

    BrainWavesRB = radio("BrainWavesRB", QStringLiteral("&Бинауральные биения"), 62);
    BWFreqE = frequency("BWFreqE", "BWFreqU", 2, 99999, 8000, BWFreqU);
    BwCFreq = spin("BwCFreq", 50, 9999, 260);
    BwVol = spin("BwVol", 0, 100, 100);
    int x = PlaceField(this, QStringLiteral("Частота:"), BWFreqE, 56, hertz, 30, 84, BWFreqU);
    x = PlaceField(this, QStringLiteral("Несущая:"), BwCFreq, 60, hertz, x, 84);
    PlaceField(this, volume, BwVol, 52, percent, x, 84);

    FreqModRB = radio("FreqModRB", QStringLiteral("&Частотная модуляция"), 116);
    FmFreqE = frequency("FmFreqE", "FmFreqU", 2, 99999, 8000, FmFreqU);
    FmCFreq = spin("FmCFreq", 20, 9999, 260);
    FmOfsFreq = spin("FmOfsFreq", 1, 500, 5);
    FmVol = spin("FmVol", 0, 100, 100);
    x = PlaceField(this, QStringLiteral("Частота:"), FmFreqE, 56, hertz, 30, 138, FmFreqU);
    PlaceField(this, QStringLiteral("Несущая:"), FmCFreq, 60, hertz, x, 138);
    x = PlaceField(this, QStringLiteral("Смещение несущей:"), FmOfsFreq, 56, hertz, 30, 164);
    PlaceField(this, volume, FmVol, 52, percent, x, 164);

    NoiseRB = radio("NoiseRB", QStringLiteral("Белый &шум"), 196);
    NoiseVol = spin("NoiseVol", 0, 100, 100);
    PlaceField(this, volume, NoiseVol, 52, percent, 30, 218);

    SinusRB = radio("SinusRB", QStringLiteral("&Синусойда"), 250);
    SinusFreqE = frequency("SinusFreqE", "SinusFreqU", 4, 9999999, 333000, SinusFreqU);
    SinusChannel = new QComboBox(this);
    SinusChannel->setObjectName(QStringLiteral("SinusChannel"));
    SinusChannel->addItems(
        {QStringLiteral("Оба"), QStringLiteral("Левый"), QStringLiteral("Правый")});
    SinusVol = spin("SinusVol", 0, 100, 100);
    x = PlaceField(this, QStringLiteral("Частота:"), SinusFreqE, 76, hertz, 30, 272, SinusFreqU);
    x = PlaceField(this, QStringLiteral("Канал:"), SinusChannel, 80, QString(), x, 272);
    PlaceField(this, volume, SinusVol, 52, percent, x, 272);

    Button1 = new QPushButton(QStringLiteral("&Добавить"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(420, 310, 100, 26);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this,
            [this] { Guarded(this, [this] { Button1Click(); }); });
}

void TAddWaveForm::BindRowChanges() {
    // Any change of a row's value selects that row.
    const auto selects = [this](QRadioButton* row, auto* field, auto changed) {
        connect(field, changed, this, [this, row] { RBClick(row); });
    };
    selects(BrainWavesRB, BWFreqE, &QLineEdit::textChanged);
    selects(BrainWavesRB, BwCFreq, &QSpinBox::textChanged);
    selects(BrainWavesRB, BwVol, &QSpinBox::textChanged);
    selects(FreqModRB, FmFreqE, &QLineEdit::textChanged);
    selects(FreqModRB, FmCFreq, &QSpinBox::textChanged);
    selects(FreqModRB, FmOfsFreq, &QSpinBox::textChanged);
    selects(FreqModRB, FmVol, &QSpinBox::textChanged);
    selects(NoiseRB, NoiseVol, &QSpinBox::textChanged);
    selects(SinusRB, SinusFreqE, &QLineEdit::textChanged);
    selects(SinusRB, SinusChannel, &QComboBox::currentIndexChanged);
    selects(SinusRB, SinusVol, &QSpinBox::textChanged);
}

void TAddWaveForm::RBClick(QRadioButton* radio) {
    radio->setChecked(true);
    for (QRadioButton* row : {AudioFileRB, BrainWavesRB, FreqModRB, NoiseRB, SinusRB}) {
        QFont font = row->font();
        font.setBold(row == radio);
        row->setFont(font);
    }
}

void TAddWaveForm::OpenAudioFileButtonClick() {
    if (const auto path = ChooseFileToOpen(
            this, QStringLiteral("OpenWaveDialog"),
            QStringLiteral("Аудиофайл (*.wav; *.mp3)|*.wav;*.mp3|Microsoft PCM (*.wav)|*.wav|"
                           "MPEG Layer 3 (*.mp3)|*.mp3"),
            FileKind::Audio)) {
        // A file no track could play is refused now, not found silent during the show.
        if (const auto reason = UnplayableAudioFileReason(*path)) {
            ShowMessageBox(this, ShownText(*reason));
        } else {
            wavePath_ = *path;
            AudioWaveEdit->setText(FromModelText(wavePath_));
        }
    }
    RBClick(AudioFileRB);
}

std::string TAddWaveForm::BuildTrack() const {
    const auto number = [](const SpinField* field) { return std::to_string(field->Value()); };
    if (AudioFileRB->isChecked())
        return MediaFileExists(wavePath_) ? wavePath_ : std::string();
    if (BrainWavesRB->isChecked())
        return ".&01%" + TrimFrequencyText(BWFreqE->displayText()) + "@" + number(BwCFreq) + "@" +
               number(BwVol);
    if (FreqModRB->isChecked())
        return ".&02%" + TrimFrequencyText(FmFreqE->displayText()) + "@" + number(FmCFreq) + "@" +
               number(FmOfsFreq) + "@" + number(FmVol);
    if (NoiseRB->isChecked())
        return ".&03%0@" + number(NoiseVol);
    if (SinusRB->isChecked())
        return ".&04%" + TrimFrequencyText(SinusFreqE->displayText()) + "@" +
               std::to_string(SinusChannel->currentIndex()) + "@" + number(SinusVol);
    return {};
}

void TAddWaveForm::Button1Click() {
    TrackResult = BuildTrack();
    accept();
}

} // namespace umbrascope
