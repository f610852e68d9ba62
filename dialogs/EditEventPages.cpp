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
    {EventKind::Undefined, QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Укажите тип события")},
    {EventKind::TextOn,
     QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Фразы внушения будут включены")},
    {EventKind::TextOff,
     QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Фразы внушения будут выключены")},
    {EventKind::OutlineOn,
     QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Обводка будет включена")},
    {EventKind::OutlineOff,
     QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Обводка будет выключена")},
    {EventKind::AudioOn,
     QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Аудиосопровождение будет включено")},
    {EventKind::AudioOff,
     QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Аудиосопровождение будет выключено")},
    {EventKind::VideoOn,
     QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Видеосопровождение будет включено")},
    {EventKind::VideoOff,
     QT_TRANSLATE_NOOP("umbrascope::TEditEventForm",
                       "Видеосопровождение будет выключено: экран останется чёрным")},
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
    {EventKind::TextTransparency,
     QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Прозрачность текстовой фразы:"),
     &Form::BlendEdit, QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "%")},
    {EventKind::PhraseDuration,
     QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Длительность показа фразы:"),
     &Form::TextFrameLongEdit, QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "миллисек.")},
    {EventKind::PhraseInterval,
     QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Интервал между показами:"),
     &Form::TextFrameIntervalEdit, QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "миллисек.")},
    {EventKind::SpiralSpeed, QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Скорость спирали:"),
     &Form::SpiralSpeed, ""},
    {EventKind::SpiralWidth, QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Толщина спирали:"),
     &Form::SpiralWidth, ""},
    {EventKind::LinesSpeed, QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Скорость:"),
     &Form::LinesSpeed, ""},
    {EventKind::LinesWidth, QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Толщина:"),
     &Form::LinesWidth, ""},
    {EventKind::CirclesWidth,
     QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "Размер окружностей:"), &Form::CirclesWidth,
     QT_TRANSLATE_NOOP("umbrascope::TEditEventForm", "точек")},
};

template <typename Table> const auto& RowOf(const Table& table, EventKind kind) {
    return *std::find_if(std::begin(table), std::end(table),
                         [kind](const auto& row) { return row.kind == kind; });
}

// A text of the tables above, translated when it is shown.
TranslatedText Translated(const char* source) {
    return [source] { return Form::tr(source); };
}

} // namespace

void TEditEventForm::CreatePageControls() {
    CreateSettingsControls(*this);
    // A new spiral width event proposes a thicker spiral than a new session has.
    SpiralWidth->setValue(16);
    std::tie(TextColorShape, TextColorButton) =
        NewColorPair("TextColorShape", 0x000000, "TextColorButton");
    std::tie(BackColorShape, BackColorButton) =
        NewColorPair("BackColorShape", 0xFFFFFF, "BackColorButton");
    texts_.Keep([this] {
        RetranslateSettingsControls(*this, {tr("&Цвет сплошной заливки"), tr("&Цвет фона спирали"),
                                            tr("&Цвет спирали"), tr("&Цвет фона бегущих полос"),
                                            tr("&Цвет бегущих полос"), tr("&Цвет фона окружностей"),
                                            tr("&Цвет окружностей")});
        SetColorCaption(TextColorShape, TextColorButton, tr("Выберите &новый цвет текста"));
        SetColorCaption(BackColorShape, BackColorButton, tr("Выберите &новый цвет обводки"));
    });
    BlendEdit = NewSpin("BlendEdit", 0, 100, 0);
}

TEditEventForm::Page TEditEventForm::CreatePage(const EventType& type) {
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

TEditEventForm::Page TEditEventForm::CreateNoticePage(EventKind kind) {
    auto* notice = texts_.Text(new QLabel, Translated(RowOf(Notices, kind).text));
    return {NewSheet({Row({notice})}), [] { return std::string(); },
            [](const std::string&) { return Message(); }};
}

TEditEventForm::Page TEditEventForm::CreateFontPage() {
    FontNameBox = new FontFaceBox;
    FontNameBox->setObjectName(QStringLiteral("FontNameBox"));
    FontNameBox->setMinimumWidth(250);
    FontNameBox->Fill();
    FontNameBox->SelectFace(QStringLiteral("Arial"));
    QWidget* sheet = NewSheet({Row({NewLabel(
                                   texts_, [] { return tr("Новый шрифт:"); }, FontNameBox)}),
                               Row({FontNameBox})});
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

TEditEventForm::Page TEditEventForm::CreateChoicePage(EventKind kind) {
    // Each choice is stored by its place in the list, never by its text.
    QComboBox* box = nullptr;
    TranslatedText caption;
    switch (kind) {
    case EventKind::TextFontStyle:
        box = FontStyleBox = NewFontStyleBox();
        texts_.Keep([box] { RetranslateFontStyleBox(box); });
        caption = [] { return tr("Новый стиль шрифта:"); };
        break;
    case EventKind::VideoType:
        box = VideoTypeBox;
        caption = [] { return tr("Тип видеосопровождения:"); };
        break;
    case EventKind::SpiralDirection:
        box = SpiralDirect = new QComboBox;
        box->setObjectName(QStringLiteral("SpiralDirect"));
        box->addItems({QString(), QString()});
        texts_.Keep([box] {
            box->setItemText(0, tr("По часовой"));
            box->setItemText(1, tr("Против часовой"));
        });
        caption = [] { return tr("Направление:"); };
        break;
    default: // the stripes' direction
        box = LinesDirectBox;
        caption = [] { return tr("Направление:"); };
        break;
    }
    box->setCurrentIndex(0);
    box->setMinimumWidth(180);
    auto kept = std::make_shared<std::string>();
    QWidget* sheet = NewSheet({Row({NewLabel(texts_, std::move(caption), box), box})});
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

TEditEventForm::Page TEditEventForm::CreateColorPage(EventKind kind) {
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

TEditEventForm::Page TEditEventForm::CreateNumberPage(const EventType& type) {
    const NumberPage& row = RowOf(NumberPages, type.kind);
    SpinField* field = this->*row.field;
    const std::optional<int> base = SpeedBase(type.valueKind);
    QLabel* unit = *row.unit ? NewLabel(texts_, Translated(row.unit), field) : nullptr;
    QWidget* sheet =
        NewSheet({Row({NewLabel(texts_, Translated(row.label), field)}), Row({field, unit})});
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

TEditEventForm::Page TEditEventForm::CreateVolumePage() {
    VolumeTrack->setMinimumWidth(220);
    const auto plain = [this](const char* text) {
        return NewLabel(
            texts_, [text] { return QString::fromLatin1(text); }, VolumeTrack);
    };
    QWidget* sheet = NewSheet({Row({NewLabel(
                                   texts_, [] { return tr("Новая громкость"); }, VolumeTrack)}),
                               Row({plain("0 %"), VolumeTrack, plain("100 %")})});
    return {sheet, [this] { return std::to_string(VolumeTrack->value()); },
            [this](const std::string& value) {
                return WithNumber(
                    value, [&](std::int64_t n) { VolumeTrack->setValue(ClampedInt(n, 0, 100)); });
            }};
}

TEditEventForm::Page TEditEventForm::CreatePositionPage() {
    positionButtons->HideFixedPlaceHints();
    positionButtons->PosTextButtonClick(5);
    auto* place = new QVBoxLayout;
    place->addWidget(positionButtons);
    auto* group = new QGroupBox;
    texts_.Keep([group] { group->setTitle(tr("Новая позиция")); });
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

TEditEventForm::Page TEditEventForm::CreateWidthPage() {
    QGroupBox* group = NewTextWidthGroup(*this);
    texts_.Keep([group] { group->setTitle(tr("Новая ширина текста")); });
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

TEditEventForm::Page TEditEventForm::CreatePhraseFilePage() {
    TxtFileEdit->setMinimumWidth(300);
    QWidget* sheet =
        NewSheet({Row({NewLabel(
                      texts_, [] { return tr("Новый текстовый файл с фразами"); }, TxtFileEdit)}),
                  Row({TxtFileEdit, OpenTxtFileButton, ClFileName})});
    return {sheet, [this] { return PhraseFilePath; },
            [this](const std::string& value) {
                PhraseFilePath = value;
                ShowPhraseFile();
                return Message();
            }};
}

TEditEventForm::Page TEditEventForm::CreateAddTrackPage() {
    AddedWaveEdit = new QLineEdit;
    AddedWaveEdit->setObjectName(QStringLiteral("AddedWaveEdit"));
    AddedWaveEdit->setReadOnly(true);
    AddedWaveEdit->setMinimumWidth(300);
    AddAudiotrackBtn = texts_.Text(new QPushButton, [] { return tr("&Выбрать"); });
    AddAudiotrackBtn->setObjectName(QStringLiteral("AddAudiotrackBtn"));
    QWidget* sheet =
        NewSheet({Row({NewLabel(
                      texts_, [] { return tr("Добавляемый аудиотрек"); }, AddedWaveEdit)}),
                  Row({AddedWaveEdit, AddAudiotrackBtn})});
    return {sheet, [this] { return AddedWave; },
            [this](const std::string& value) {
                AddedWave = value;
                ShowAddedWave();
                return Message();
            }};
}

TEditEventForm::Page TEditEventForm::CreateRemoveTrackPage() {
    WavesList = new QListWidget;
    WavesList->setObjectName(QStringLiteral("WavesList"));
    WavesList->setFixedHeight(128);
    WavesList->setMinimumWidth(380);
    QWidget* sheet =
        NewSheet({Row({NewLabel(
                      texts_, [] { return tr("Выберите удаляемый аудиотрек"); }, WavesList)}),
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

TEditEventForm::Page TEditEventForm::CreateFrequencyPage(EventKind kind) {
    const bool flicker = kind == EventKind::FlickerFreq;
    FrequencyEdit* edit = flicker ? FmFreqE : ClFreqE;
    UpDownArrows* arrows = flicker ? FmFreqU : ClFreqU;
    TranslatedText caption = flicker ? TranslatedText([] { return tr("Частота мерцания:"); })
                                     : TranslatedText([] { return tr("Частота колебаний:"); });
    QWidget* sheet = NewSheet({Row({NewLabel(texts_, std::move(caption), edit), edit, arrows,
                                    NewLabel(
                                        texts_, [] { return tr("Гц"); }, edit)})});
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
