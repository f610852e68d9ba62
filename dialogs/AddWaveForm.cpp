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
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

namespace umbrascope {

namespace {

constexpr int RowHeight = 22;
constexpr int FieldsLeft = 30;

int TextWidth(const QLabel* label) {
    return label->fontMetrics().horizontalAdvance(label->text());
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

TAddWaveForm::TAddWaveForm(Preferences& preferences, QWidget* parent)
    : QDialog(parent), preferences_(preferences) {
    setObjectName(QStringLiteral("AddWaveForm"));
    texts_.Keep([this] { setWindowTitle(tr(" Добавление аудиодорожки")); });
    MakeFixedToolWindow(*this, QSize(530, 346));
    CreateControls();
    BindRowChanges();
    RBClick(AudioFileRB);
    CentreOnScreen(*this);
}

TAddWaveForm::~TAddWaveForm() = default;

void TAddWaveForm::RetranslateUi() {
    texts_.Apply();
    ArrangeFields();
}

void TAddWaveForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDialog::changeEvent(event);
}

void TAddWaveForm::PlaceField(int y, TranslatedText caption, QWidget* field, int fieldWidth,
                              TranslatedText unit, QWidget* arrows) {
    if (fieldLines_.empty() || fieldLines_.back().y != y)
        fieldLines_.push_back({y, {}});
    auto* label = texts_.Text(new QLabel(this), std::move(caption));
    label->setBuddy(field);
    QLabel* unitLabel = unit ? texts_.Text(new QLabel(this), std::move(unit)) : nullptr;
    fieldLines_.back().fields.push_back({label, field, fieldWidth, arrows, unitLabel});
}

void TAddWaveForm::ArrangeFields() {
    // Each line runs "caption [field][arrows] unit" from the left, one group after another,
    // as wide as its captions are in the language shown.
    for (const FieldLine& line : fieldLines_) {
        int x = FieldsLeft;
        for (const PlacedField& placed : line.fields) {
            const int labelWidth = TextWidth(placed.caption) + 6;
            placed.caption->setGeometry(x, line.y + 3, labelWidth, 16);
            x += labelWidth;
            placed.field->setGeometry(x, line.y, placed.fieldWidth, RowHeight);
            x += placed.fieldWidth;
            if (placed.arrows) {
                placed.arrows->setGeometry(x, line.y, 16, RowHeight);
                x += 16;
            }
            if (placed.unit) {
                const int unitWidth = TextWidth(placed.unit) + 4;
                placed.unit->setGeometry(x + 4, line.y + 3, unitWidth, 16);
                x += unitWidth + 4;
            }
            x += 16;
        }
    }
}

void TAddWaveForm::CreateControls() {
    const auto radio = [this](const char* name, TranslatedText caption, int y) {
        auto* button = texts_.Text(new QRadioButton(this), std::move(caption));
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
    const TranslatedText hertz = [] { return tr("Гц"); };
    const TranslatedText percent = [] { return QStringLiteral("%"); };
    const TranslatedText volume = [] { return tr("Громкость:"); };
    const TranslatedText frequencyCaption = [] { return tr("Частота:"); };
    const TranslatedText carrier = [] { return tr("Несущая:"); };

    AudioFileRB = radio(
        "AudioFileRB", [] { return tr("&Аудиофайл"); }, 8);
    AudioWaveEdit = new QLineEdit(this);
    AudioWaveEdit->setObjectName(QStringLiteral("AudioWaveEdit"));
    AudioWaveEdit->setReadOnly(true);
    texts_.Keep(
        [this] { AudioWaveEdit->setAccessibleName(WithoutAccessKey(AudioFileRB->text())); });
    AudioWaveEdit->setGeometry(30, 30, 460, RowHeight);
    OpenAudioFileButton = new QToolButton(this);
    OpenAudioFileButton->setObjectName(QStringLiteral("OpenAudioFileButton"));
    OpenAudioFileButton->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    texts_.Keep([this] {
        OpenAudioFileButton->setToolTip(tr("Выбрать аудиофайл"));
        OpenAudioFileButton->setAccessibleName(OpenAudioFileButton->toolTip());
    });
    OpenAudioFileButton->setGeometry(494, 30, 26, RowHeight);
    connect(OpenAudioFileButton, &QToolButton::clicked, this,
            [this] { Guarded(this, [this] { OpenAudioFileButtonClick(); }); });

    BrainWavesRB = radio(
        "BrainWavesRB", [] { return tr("&Бинауральные биения"); }, 62);
    BWFreqE = frequency("BWFreqE", "BWFreqU", 2, 99999, 8000, BWFreqU);
    BwCFreq = spin("BwCFreq", 50, 9999, 260);
    BwVol = spin("BwVol", 0, 100, 100);
    PlaceField(84, frequencyCaption, BWFreqE, 56, hertz, BWFreqU);
    PlaceField(84, carrier, BwCFreq, 60, hertz);
    PlaceField(84, volume, BwVol, 52, percent);

    FreqModRB = radio(
        "FreqModRB", [] { return tr("&Частотная модуляция"); }, 116);
    FmFreqE = frequency("FmFreqE", "FmFreqU", 2, 99999, 8000, FmFreqU);
    FmCFreq = spin("FmCFreq", 20, 9999, 260);
    FmOfsFreq = spin("FmOfsFreq", 1, 500, 5);
    FmVol = spin("FmVol", 0, 100, 100);
    PlaceField(138, frequencyCaption, FmFreqE, 56, hertz, FmFreqU);
    PlaceField(138, carrier, FmCFreq, 60, hertz);
    PlaceField(
        164, [] { return tr("Смещение несущей:"); }, FmOfsFreq, 56, hertz);
    PlaceField(164, volume, FmVol, 52, percent);

    NoiseRB = radio(
        "NoiseRB", [] { return tr("Белый &шум"); }, 196);
    NoiseVol = spin("NoiseVol", 0, 100, 100);
    PlaceField(218, volume, NoiseVol, 52, percent);

    SinusRB = radio(
        "SinusRB", [] { return tr("&Синусойда"); }, 250);
    SinusFreqE = frequency("SinusFreqE", "SinusFreqU", 4, 9999999, 333000, SinusFreqU);
    SinusChannel = new QComboBox(this);
    SinusChannel->setObjectName(QStringLiteral("SinusChannel"));
    // Stored by its place in the list (0 both, 1 left, 2 right), never by its text.
    SinusChannel->addItems({QString(), QString(), QString()});
    texts_.Keep([this] {
        SinusChannel->setItemText(0, tr("Оба"));
        SinusChannel->setItemText(1, tr("Левый"));
        SinusChannel->setItemText(2, tr("Правый"));
    });
    SinusVol = spin("SinusVol", 0, 100, 100);
    PlaceField(272, frequencyCaption, SinusFreqE, 76, hertz, SinusFreqU);
    PlaceField(272, [] { return tr("Канал:"); }, SinusChannel, 80, {});
    PlaceField(272, volume, SinusVol, 52, percent);
    ArrangeFields();

    Button1 = texts_.Text(new QPushButton(this), [] { return tr("&Добавить"); });
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
    if (const auto path =
            ChooseFileToOpen(this, preferences_, QStringLiteral("OpenWaveDialog"),
                             tr("Аудиофайл (*.wav; *.mp3)|*.wav;*.mp3|Microsoft PCM (*.wav)|*.wav|"
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
