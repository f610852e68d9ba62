// The 39 pages of the event editor, one per catalogue row, chosen by the kind of value the
// catalogue gives the row: what each shows, what "OK" writes from it and how an event's value
// is put back into it. A value a control cannot show (a list index out of its range, a font
// that is not installed, a position or width outside its choices, a track not playing) leaves
// the control without a choice, and "OK" then writes the loaded value unchanged.

#include "EditEventForm.h"

#include "DialogControls.h"
#include "model/Cp1251.h"
#include "ui/ColorSwatch.h"
#include "ui/FontNameBox.h"
#include "ui/FrequencyField.h"
#include "ui/PositionButtons.h"
#include "ui/SpinField.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace umbrascope {

namespace {

using Form = TEditEventForm;
using Message = std::optional<std::string>;

// Runs use with the number the value stands for; the message when it stands for none.
template <typename Use> Message WithNumber(const std::string& value, Use use) {
    const auto number = ParseEventInteger(value);
    if (!number)
        return InvalidIntegerMessage(value);
    use(std::int64_t{*number});
    return std::nullopt;
}

int ClampedInt(std::int64_t value, int minimum, int maximum) {
    return static_cast<int>(std::clamp<std::int64_t>(value, minimum, maximum));
}

// A line of controls from the left; null entries are left out.
QLayout* Row(std::initializer_list<QWidget*> widgets) {
    auto* line = new QHBoxLayout;
    line->setSpacing(4);
    for (QWidget* widget : widgets)
        if (widget)
            line->addWidget(widget);
    line->addStretch(1);
    return line;
}

// A page of lines from the top.
QWidget* NewSheet(std::initializer_list<QLayout*> rows) {
    auto* sheet = new QWidget;
    auto* column = new QVBoxLayout(sheet);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(6);
    for (QLayout* row : rows)
        column->addLayout(row);
    column->addStretch(1);
    return sheet;
}

// The speeds are shown the other way round from how they are stored.
std::optional<int> SpeedBase(EventValueKind kind) {
    if (kind == EventValueKind::SpiralSpeed)
        return 208;
    if (kind == EventValueKind::LinesSpeed)
        return 11;
    return std::nullopt;
}

struct NoticeText {
    EventKind kind;
    const char* text;
};

constexpr NoticeText Notices[] = {
    {EventKind::Undefined, "Укажите тип события"},
    {EventKind::TextOn, "Фразы внушения будут включены"},
    {EventKind::TextOff, "Фразы внушения будут выключены"},
    {EventKind::OutlineOn, "Обводка будет включена"},
    {EventKind::OutlineOff, "Обводка будет выключена"},
    {EventKind::AudioOn, "Аудиосопровождение будет включено"},
    {EventKind::AudioOff, "Аудиосопровождение будет выключено"},
    {EventKind::VideoOn, "Видеосопровождение будет включено"},
    {EventKind::VideoOff, "Видеосопровождение будет выключено: экран останется чёрным"},
};

struct ColorPage {
    EventKind kind;
    ColorSwatch* Form::*swatch;
    QPushButton* Form::*button;
};

const ColorPage ColorPages[] = {
    {EventKind::TextColor, &Form::TextColorShape, &Form::TextColorButton},
    {EventKind::OutlineColor, &Form::BackColorShape, &Form::BackColorButton},
    {EventKind::FlickerColor, &Form::SolidScreenColorShape, &Form::Button1},
    {EventKind::SpiralColor, &Form::SpiralLColorShape, &Form::Button3},
    {EventKind::SpiralBackColor, &Form::SpiralBColorShape, &Form::Button2},
    {EventKind::LinesColor, &Form::LinesLColorShape, &Form::Button6},
    {EventKind::LinesBackColor, &Form::LinesBColorShape, &Form::Button5},
    {EventKind::CirclesColor, &Form::CirclesLColorShape, &Form::Button7},
    {EventKind::CirclesBackColor, &Form::CirclesBColorShape, &Form::Button4},
};

struct NumberPage {
    EventKind kind;
    const char* label;
    SpinField* Form::*field;
    const char* unit;
};

const NumberPage NumberPages[] = {
    {EventKind::TextTransparency, "Прозрачность текстовой фразы:", &Form::BlendEdit, "%"},
    {EventKind::PhraseDuration, "Длительность показа фразы:", &Form::TextFrameLongEdit,
     "миллисек."},
    {EventKind::PhraseInterval, "Интервал между показами:", &Form::TextFrameIntervalEdit,
     "миллисек."},
    {EventKind::SpiralSpeed, "Скорость спирали:", &Form::SpiralSpeed, ""},
    {EventKind::SpiralWidth, "Толщина спирали:", &Form::SpiralWidth, ""},
    {EventKind::LinesSpeed, "Скорость:", &Form::LinesSpeed, ""},
    {EventKind::LinesWidth, "Толщина:", &Form::LinesWidth, ""},
    {EventKind::CirclesWidth, "Размер окружностей:", &Form::CirclesWidth, "точек"},
};

template <typename Table> const auto& RowOf(const Table& table, EventKind kind) {
    return *std::find_if(std::begin(table), std::end(table),
                         [kind](const auto& row) { return row.kind == kind; });
}

QLabel* UnitLabel(const char* unit, QWidget* field) {
    return *unit ? NewLabel(QString::fromUtf8(unit), field) : nullptr;
}

} // namespace

void Form::CreatePageControls() {
    CreateSettingsControls(
        *this, {QStringLiteral("&Цвет сплошной заливки"), QStringLiteral("&Цвет фона спирали"),
                QStringLiteral("&Цвет спирали"), QStringLiteral("&Цвет фона бегущих полос"),
                QStringLiteral("&Цвет бегущих полос"), QStringLiteral("&Цвет фона окружностей"),
                QStringLiteral("&Цвет окружностей")});
    // A new spiral width event proposes a thicker spiral than a new session has.
    SpiralWidth->setValue(16);
    std::tie(TextColorShape, TextColorButton) =
        NewColorPair("TextColorShape", 0x000000, "TextColorButton",
                     QStringLiteral("Выберите &новый цвет текста"));
    std::tie(BackColorShape, BackColorButton) =
        NewColorPair("BackColorShape", 0xFFFFFF, "BackColorButton",
                     QStringLiteral("Выберите &новый цвет обводки"));
    BlendEdit = NewSpin("BlendEdit", 0, 100, 0);
}

Form::Page Form::CreatePage(const EventType& type) {
    switch (type.valueKind) {
    case EventValueKind::None:
    case EventValueKind::Switch:
        return CreateNoticePage(type.kind);
    case EventValueKind::FontName:
        return CreateFontPage();
    case EventValueKind::FontStyle:
    case EventValueKind::VideoType:
    case EventValueKind::SpiralDirection:
    case EventValueKind::LinesDirection:
        return CreateChoicePage(type.kind);
    case EventValueKind::Color:
        return CreateColorPage(type.kind);
    case EventValueKind::Percent:
        return type.kind == EventKind::AudioVolume ? CreateVolumePage() : CreateNumberPage(type);
    case EventValueKind::TextPosition:
        return CreatePositionPage();
    case EventValueKind::TextWidth:
        return CreateWidthPage();
    case EventValueKind::Milliseconds:
    case EventValueKind::SpiralSpeed:
    case EventValueKind::LinesSpeed:
    case EventValueKind::Thickness:
        return CreateNumberPage(type);
    case EventValueKind::PhraseFile:
        return CreatePhraseFilePage();
    case EventValueKind::TrackToAdd:
        return CreateAddTrackPage();
    case EventValueKind::TrackToRemove:
        return CreateRemoveTrackPage();
    case EventValueKind::FlickerFrequency:
    case EventValueKind::CirclesFrequency:
        return CreateFrequencyPage(type.kind);
    }
    return CreateNoticePage(EventKind::Undefined);
}

Form::Page Form::CreateNoticePage(EventKind kind) {
    auto* notice = new QLabel(QString::fromUtf8(RowOf(Notices, kind).text));
    return {NewSheet({Row({notice})}), [] { return std::string(); },
            [](const std::string&) { return Message(); }};
}

Form::Page Form::CreateFontPage() {
    FontNameBox = new FontFaceBox;
    FontNameBox->setObjectName(QStringLiteral("FontNameBox"));
    FontNameBox->setMinimumWidth(250);
    FontNameBox->Fill();
    FontNameBox->SelectFace(QStringLiteral("Arial"));
    QWidget* sheet = NewSheet(
        {Row({NewLabel(QStringLiteral("Новый шрифт:"), FontNameBox)}), Row({FontNameBox})});
    return {sheet,
            [this] {
                // Every face the list holds has a name Windows-1251 can hold.
                return ToModelText(FontNameBox->FaceName()).value_or(std::string());
            },
            [this](const std::string& value) {
                if (value.empty())
                    FontNameBox->setCurrentIndex(-1);
                else
                    FontNameBox->SelectStoredFace(FromModelText(value));
                return Message();
            }};
}

Form::Page Form::CreateChoicePage(EventKind kind) {
    QComboBox* box = nullptr;
    QString caption;
    switch (kind) {
    case EventKind::TextFontStyle:
        box = FontStyleBox = new QComboBox;
        box->setObjectName(QStringLiteral("FontStyleBox"));
        box->addItems({QStringLiteral("обычный"), QStringLiteral("курсив"),
                       QStringLiteral("жирный"), QStringLiteral("жирный курсив")});
        caption = QStringLiteral("Новый стиль шрифта:");
        break;
    case EventKind::VideoType:
        box = VideoTypeBox;
        caption = QStringLiteral("Тип видеосопровождения:");
        break;
    case EventKind::SpiralDirection:
        box = SpiralDirect = new QComboBox;
        box->setObjectName(QStringLiteral("SpiralDirect"));
        box->addItems({QStringLiteral("По часовой"), QStringLiteral("Против часовой")});
        caption = QStringLiteral("Направление:");
        break;
    default: // the stripes' direction
        box = LinesDirectBox;
        caption = QStringLiteral("Направление:");
        break;
    }
    box->setCurrentIndex(0);
    box->setMinimumWidth(180);
    auto kept = std::make_shared<std::string>();
    QWidget* sheet = NewSheet({Row({NewLabel(caption, box), box})});
    return {sheet,
            [box, kept] {
                return box->currentIndex() >= 0 ? std::to_string(box->currentIndex()) : *kept;
            },
            [box, kept](const std::string& value) {
                return WithNumber(value, [&](std::int64_t n) {
                    const bool shown = n >= 0 && n < box->count();
                    box->setCurrentIndex(shown ? static_cast<int>(n) : -1);
                    *kept = value;
                });
            }};
}

Form::Page Form::CreateColorPage(EventKind kind) {
    const ColorPage& row = RowOf(ColorPages, kind);
    ColorSwatch* color = this->*row.swatch;
    color->setFixedSize(40, 40);
    return {NewSheet({Row({color, this->*row.button})}),
            // Written as the signed 32-bit number the event values have always held, so a
            // system colour (high bit set) reads back.
            [color] { return std::to_string(static_cast<std::int32_t>(color->Color())); },
            [color](const std::string& value) {
                return WithNumber(value, [&](std::int64_t n) {
                    color->SetColor(static_cast<BgrColor>(static_cast<std::uint32_t>(n)));
                });
            }};
}

Form::Page Form::CreateNumberPage(const EventType& type) {
    const NumberPage& row = RowOf(NumberPages, type.kind);
    SpinField* field = this->*row.field;
    const std::optional<int> base = SpeedBase(type.valueKind);
    QWidget* sheet = NewSheet({Row({NewLabel(QString::fromUtf8(row.label), field)}),
                               Row({field, UnitLabel(row.unit, field)})});
    return {sheet,
            [field, base] {
                const int shown = field->Value();
                return std::to_string(base ? *base - shown : shown);
            },
            [field, base](const std::string& value) {
                return WithNumber(value, [&](std::int64_t n) {
                    field->setValue(
                        ClampedInt(base ? *base - n : n, field->minimum(), field->maximum()));
                });
            }};
}

Form::Page Form::CreateVolumePage() {
    VolumeTrack->setMinimumWidth(220);
    QWidget* sheet = NewSheet({Row({NewLabel(QStringLiteral("Новая громкость"), VolumeTrack)}),
                               Row({NewLabel(QStringLiteral("0 %"), VolumeTrack), VolumeTrack,
                                    NewLabel(QStringLiteral("100 %"), VolumeTrack)})});
    return {sheet, [this] { return std::to_string(VolumeTrack->value()); },
            [this](const std::string& value) {
                return WithNumber(
                    value, [&](std::int64_t n) { VolumeTrack->setValue(ClampedInt(n, 0, 100)); });
            }};
}

Form::Page Form::CreatePositionPage() {
    // Here only the moving places carry hints; every button keeps its spoken name.
    for (int number = 1; number <= 9; ++number)
        positionButtons->Buttons[number]->setToolTip(QString());
    positionButtons->PosTextButtonClick(5);
    auto* place = new QVBoxLayout;
    place->addWidget(positionButtons);
    auto* group = new QGroupBox(QStringLiteral("Новая позиция"));
    group->setLayout(place);
    auto kept = std::make_shared<std::string>();
    return {NewSheet({Row({group})}),
            [this, kept] {
                const auto selected = positionButtons->Selected();
                return selected ? std::to_string(*selected) : *kept;
            },
            [this, kept](const std::string& value) {
                for (int number = 1; number <= 12; ++number)
                    if (value == std::to_string(number)) {
                        positionButtons->PosTextButtonClick(number);
                        return Message();
                    }
                positionButtons->PosTextButtonClick(0); // none selected
                *kept = value;
                return Message();
            }};
}

Form::Page Form::CreateWidthPage() {
    QGroupBox* group = NewTextWidthGroup(QStringLiteral("Новая ширина текста"), *this);
    const std::pair<QRadioButton*, std::string> widths[] = {
        {RB100, "100"}, {RB50, "50"}, {RB33, "33"}};
    auto kept = std::make_shared<std::string>();
    return {NewSheet({Row({group})}),
            [widths, kept] {
                std::string value = *kept;
                for (const auto& [button, width] : widths)
                    if (button->isChecked())
                        value = width;
                return value;
            },
            [widths, kept](const std::string& value) {
                for (const auto& [button, width] : widths)
                    if (value == width) {
                        button->setChecked(true);
                        return Message();
                    }
                for (const auto& [button, width] : widths) {
                    // Exclusive buttons cannot all be cleared while they are exclusive.
                    button->setAutoExclusive(false);
                    button->setChecked(false);
                    button->setAutoExclusive(true);
                }
                *kept = value;
                return Message();
            }};
}

Form::Page Form::CreatePhraseFilePage() {
    TxtFileEdit->setMinimumWidth(300);
    QWidget* sheet =
        NewSheet({Row({NewLabel(QStringLiteral("Новый текстовый файл с фразами"), TxtFileEdit)}),
                  Row({TxtFileEdit, OpenTxtFileButton, ClFileName})});
    return {sheet, [this] { return PhraseFilePath; },
            [this](const std::string& value) {
                PhraseFilePath = value;
                ShowPhraseFile();
                return Message();
            }};
}

Form::Page Form::CreateAddTrackPage() {
    AddedWaveEdit = new QLineEdit;
    AddedWaveEdit->setObjectName(QStringLiteral("AddedWaveEdit"));
    AddedWaveEdit->setReadOnly(true);
    AddedWaveEdit->setMinimumWidth(300);
    AddAudiotrackBtn = new QPushButton(QStringLiteral("&Выбрать"));
    AddAudiotrackBtn->setObjectName(QStringLiteral("AddAudiotrackBtn"));
    QWidget* sheet =
        NewSheet({Row({NewLabel(QStringLiteral("Добавляемый аудиотрек"), AddedWaveEdit)}),
                  Row({AddedWaveEdit, AddAudiotrackBtn})});
    return {sheet, [this] { return AddedWave; },
            [this](const std::string& value) {
                AddedWave = value;
                ShowAddedWave();
                return Message();
            }};
}

Form::Page Form::CreateRemoveTrackPage() {
    WavesList = new QListWidget;
    WavesList->setObjectName(QStringLiteral("WavesList"));
    WavesList->setFixedHeight(128);
    WavesList->setMinimumWidth(380);
    QWidget* sheet =
        NewSheet({Row({NewLabel(QStringLiteral("Выберите удаляемый аудиотрек"), WavesList)}),
                  Row({WavesList})});
    return {sheet,
            [this] {
                const int row = WavesList->currentRow();
                return row >= 0 && static_cast<std::size_t>(row) < removalTracks_.size()
                           ? removalTracks_[static_cast<std::size_t>(row)]
                           : keptRemoval_;
            },
            [this](const std::string& value) {
                TabSheet19Show();
                int matching = -1;
                for (std::size_t i = 0; i < removalTracks_.size(); ++i)
                    if (AnsiSameText(removalTracks_[i], value))
                        matching = static_cast<int>(i);
                if (matching >= 0) {
                    WavesList->setCurrentRow(matching);
                } else {
                    WavesList->setCurrentItem(nullptr);
                    WavesList->clearSelection();
                    keptRemoval_ = value;
                }
                return Message();
            }};
}

Form::Page Form::CreateFrequencyPage(EventKind kind) {
    const bool flicker = kind == EventKind::FlickerFreq;
    FrequencyEdit* edit = flicker ? FmFreqE : ClFreqE;
    UpDownArrows* arrows = flicker ? FmFreqU : ClFreqU;
    const QString caption =
        flicker ? QStringLiteral("Частота мерцания:") : QStringLiteral("Частота колебаний:");
    QWidget* sheet = NewSheet(
        {Row({NewLabel(caption, edit), edit, arrows, NewLabel(QStringLiteral("Гц"), edit)})});
    return {sheet,
            [edit] {
                // The digits without the point, the leading zero kept: 08.000 is "08000".
                return edit->displayText().remove(QLatin1Char('.')).toStdString();
            },
            [edit](const std::string& value) {
                return WithNumber(value, [&](std::int64_t n) {
                    edit->SetValue(ClampedInt(n, edit->Minimum(), edit->Maximum()));
                });
            }};
}

} // namespace umbrascope
