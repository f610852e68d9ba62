// The controls of the start values dialog, as the window is built: three groups (phrases top
// left, sound top right, picture below), the picture group with one box per pattern.

#include "SessionStartValuesForm.h"

#include "DialogControls.h"
#include "ui/ColorSwatch.h"
#include "ui/FrequencyField.h"
#include "ui/Glyphs.h"
#include "ui/MediaItems.h"
#include "ui/PositionButtons.h"
#include "ui/SpinField.h"
#include "ui/ToolWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace umbrascope {

namespace {

// The window is of a fixed size, so every group is packed close.
template <typename Layout> Layout* Packed(Layout* layout) {
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(3);
    return layout;
}

template <typename Layout> Layout* Nested(Layout* layout) {
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    return layout;
}

QGroupBox* NewGroup(RetranslatedTexts& texts, TranslatedText title, QLayout* content) {
    auto* group = new QGroupBox;
    group->setLayout(content);
    texts.Keep([group, title = std::move(title)] { group->setTitle(title()); });
    return group;
}

QCheckBox* NewCheckBox(RetranslatedTexts& texts, const char* name, TranslatedText caption) {
    auto* box = texts.Text(new QCheckBox, std::move(caption));
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(true);
    return box;
}

// "caption [field][arrows] unit" as one row of a four-column grid.
void AddFieldRow(RetranslatedTexts& texts, QGridLayout* grid, TranslatedText caption,
                 QWidget* field, QWidget* arrows, TranslatedText unit) {
    const int row = grid->rowCount();
    grid->addWidget(NewLabel(texts, std::move(caption), field), row, 0);
    grid->addWidget(field, row, 1);
    if (arrows)
        grid->addWidget(arrows, row, 2);
    if (unit)
        grid->addWidget(NewLabel(texts, std::move(unit), field), row, 3);
}

// A colour square and the button that picks its colour, as one row across the grid.
void AddColorRow(QGridLayout* grid, ColorSwatch* swatch, QPushButton* button) {
    auto* row = Nested(new QHBoxLayout);
    row->addWidget(swatch);
    row->addWidget(button, 1);
    grid->addLayout(row, grid->rowCount(), 0, 1, 4);
}

QGridLayout* NewGrid() {
    auto* grid = Packed(new QGridLayout);
    grid->setColumnStretch(1, 1);
    grid->setAlignment(Qt::AlignTop);
    return grid;
}

} // namespace

namespace {

const QSize DesignedSize(682, 531);

} // namespace

TSessionStartValuesForm::TSessionStartValuesForm(TSessionValues& startValues,
                                                 Preferences& preferences, QWidget* parent)
    : QDialog(parent), startValues_(startValues), preferences_(preferences) {
    setObjectName(QStringLiteral("SessionStartValuesForm"));
    texts_.Keep([this] { setWindowTitle(tr("  Стартовые значения сессии")); });
    MakeFixedToolWindow(*this, DesignedSize);
    ColorDialog = std::make_unique<ColorPicker>(this);
    CreateSettingsControls(*this);
    // Three buttons share a caption, so their access keys lie on different letters of it.
    texts_.Keep([this] {
        RetranslateSettingsControls(
            *this, {tr("Цвет &заливки"), tr("Цвет &фона"), tr("Цвет &спирали"), tr("Цвет ф&она"),
                    tr("Цвет &полос"), tr("&Цвет фона"), tr("Цвет &линий")});
    });
    auto* window = new QGridLayout(this);
    window->setContentsMargins(8, 6, 8, 8);
    window->addWidget(CreatePhraseGroup(), 0, 0);
    window->addWidget(CreateSoundGroup(), 0, 1);
    window->addWidget(CreatePictureGroup(), 1, 0, 1, 2);
    window->setColumnStretch(0, 1);
    window->setColumnStretch(1, 1);
    FitFixedSize(*this, DesignedSize);
    BindHandlers();
    NoDefaultButton(*this);
    CentreOnScreen(*this);
}

TSessionStartValuesForm::~TSessionStartValuesForm() = default;

void TSessionStartValuesForm::RetranslateUi() {
    texts_.Apply();
    FitFixedSize(*this, DesignedSize);
    VolumeTrackChange();
    ShowPhraseFile();
    for (int row = 0; row < WavesListBox->count(); ++row)
        WavesListBox->item(row)->setText(
            MediaDisplayText(WaveList.at(static_cast<std::size_t>(row)), ProjectFolder));
}

void TSessionStartValuesForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDialog::changeEvent(event);
}

QWidget* TSessionStartValuesForm::CreatePhraseGroup() {
    TextEnabledBox =
        NewCheckBox(texts_, "TextEnabledBox", [] { return tr(" &Текстовые фразы включены"); });

    auto* place = Packed(new QVBoxLayout);
    place->addWidget(positionButtons);

    FontSettingsBtn = texts_.Text(new QPushButton, [] { return tr(" &Настроить вид фразы"); });
    FontSettingsBtn->setObjectName(QStringLiteral("FontSettingsBtn"));
    QGroupBox* width = NewTextWidthGroup(*this);
    texts_.Keep([width] { width->setTitle(tr("Ширина текста")); });
    Packed(width->layout());
    auto* right = Nested(new QVBoxLayout);
    right->addWidget(FontSettingsBtn);
    right->addWidget(width);
    auto* middle = Nested(new QHBoxLayout);
    middle->addWidget(NewGroup(
        texts_, [] { return tr("Позиция"); }, place));
    middle->addLayout(right, 1);

    const TranslatedText ms = [] { return tr("миллисекунд"); };
    QGridLayout* timing = NewGrid();
    AddFieldRow(
        texts_, timing, [] { return tr("Длительность показа фразы:"); }, TextFrameLongEdit, nullptr,
        ms);
    AddFieldRow(
        texts_, timing, [] { return tr("Интервал между показами:"); }, TextFrameIntervalEdit,
        nullptr, ms);

    auto* file = Nested(new QHBoxLayout);
    file->addWidget(TxtFileEdit, 1);
    file->addWidget(OpenTxtFileButton);
    file->addWidget(ClFileName);

    auto* rows = Packed(new QVBoxLayout);
    rows->addWidget(TextEnabledBox);
    rows->addLayout(middle);
    rows->addWidget(NewGroup(
        texts_, [] { return tr("Временные параметры"); }, timing));
    rows->addWidget(NewLabel(
        texts_, [] { return tr("Текстовый файл с фразами"); }, TxtFileEdit));
    rows->addLayout(file);
    rows->addStretch(1);
    return NewGroup(
        texts_, [] { return tr("Текстовые фразы"); }, rows);
}

QWidget* TSessionStartValuesForm::CreateSoundGroup() {
    AudioEnabledBox =
        NewCheckBox(texts_, "AudioEnabledBox", [] { return tr(" &Аудиосопровождение включено"); });
    Label9 = new QLabel(QStringLiteral("100 %"));
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setMinimumWidth(Label9->fontMetrics().horizontalAdvance(QStringLiteral("100 %")) + 4);
    auto* volume = Nested(new QHBoxLayout);
    volume->addWidget(VolumeTrack, 1);
    volume->addWidget(Label9);

    WavesListBox = new QListWidget;
    WavesListBox->setObjectName(QStringLiteral("WavesListBox"));
    BitBtn1 = texts_.Text(new QPushButton, [] { return tr("&Добавить"); });
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = texts_.Text(new QPushButton, [] { return tr("&Удалить"); });
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto* buttons = Nested(new QHBoxLayout);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    auto* list = Packed(new QVBoxLayout);
    list->addWidget(WavesListBox, 1);
    list->addLayout(buttons);
    QGroupBox* tracks = NewGroup(
        texts_, [] { return tr("Список аудиодорожек"); }, list);
    texts_.Keep([this, tracks] { WavesListBox->setAccessibleName(tracks->title()); });

    auto* rows = Packed(new QVBoxLayout);
    rows->addWidget(AudioEnabledBox);
    rows->addWidget(NewLabel(
        texts_, [] { return tr("Громкость аудиосопровождения:"); }, VolumeTrack));
    rows->addLayout(volume);
    rows->addWidget(tracks, 1);
    return NewGroup(
        texts_, [] { return tr("Аудиосопровождение"); }, rows);
}

QWidget* TSessionStartValuesForm::CreatePictureGroup() {
    VideoEnabledBox =
        NewCheckBox(texts_, "VideoEnabledBox", [] { return tr(" &Видеосопровождение включено"); });
    auto* typeCaption = Nested(new QVBoxLayout);
    typeCaption->setSpacing(0);
    // One caption on two lines; each line is a label of the list.
    typeCaption->addWidget(NewLabel(
        texts_, [] { return tr("Тип"); }, VideoTypeBox));
    typeCaption->addWidget(NewLabel(
        texts_, [] { return tr("видеосопровождения:"); }, VideoTypeBox));
    auto* top = Nested(new QHBoxLayout);
    top->addWidget(VideoEnabledBox);
    top->addStretch(1);
    top->addLayout(typeCaption);
    top->addWidget(VideoTypeBox);

    auto* patterns = Nested(new QHBoxLayout);
    patterns->addWidget(CreateFlickerGroup());
    patterns->addWidget(CreateSpiralGroup());
    patterns->addWidget(CreateLinesGroup());
    patterns->addWidget(CreateCirclesGroup());

    auto* rows = Packed(new QVBoxLayout);
    rows->addLayout(top);
    rows->addLayout(patterns, 1);
    return NewGroup(
        texts_, [] { return tr("Видеосопровождение"); }, rows);
}

QWidget* TSessionStartValuesForm::CreateFlickerGroup() {
    QGridLayout* grid = NewGrid();
    AddColorRow(grid, SolidScreenColorShape, Button1);
    AddFieldRow(
        texts_, grid, [] { return tr("Частота:"); }, FmFreqE, FmFreqU, [] { return tr("Гц"); });
    return NewGroup(
        texts_, [] { return tr("Мерцающий экран"); }, grid);
}

QWidget* TSessionStartValuesForm::CreateSpiralGroup() {
    QGridLayout* grid = NewGrid();
    AddColorRow(grid, SpiralBColorShape, Button2);
    AddColorRow(grid, SpiralLColorShape, Button3);
    AddFieldRow(texts_, grid, [] { return tr("Скорость:"); }, SpiralSpeed, nullptr, {});
    AddFieldRow(texts_, grid, [] { return tr("Толщина:"); }, SpiralWidth, nullptr, {});
    SpiralDir1Btn = NewGlyphButton("SpiralDir1Btn", TurnGlyph(true));
    SpiralDir2Btn = NewGlyphButton("SpiralDir2Btn", TurnGlyph(false));
    texts_.Keep([this] {
        SetGlyphHint(SpiralDir1Btn, tr("Меняется по часовой"));
        SetGlyphHint(SpiralDir2Btn, tr("Меняется против часовой"));
    });
    auto* direction = Packed(new QHBoxLayout);
    direction->addStretch(1);
    for (QToolButton* button : {SpiralDir1Btn, SpiralDir2Btn}) {
        button->setCheckable(true);
        direction->addWidget(button);
    }
    direction->addStretch(1);
    SpiralDir1Btn->setChecked(true);
    grid->addWidget(NewGroup(
                        texts_, [] { return tr("Направление"); }, direction),
                    grid->rowCount(), 0, 1, 4);
    return NewGroup(
        texts_, [] { return tr("Спираль"); }, grid);
}

QWidget* TSessionStartValuesForm::CreateLinesGroup() {
    QGridLayout* grid = NewGrid();
    AddColorRow(grid, LinesBColorShape, Button5);
    AddColorRow(grid, LinesLColorShape, Button6);
    AddFieldRow(texts_, grid, [] { return tr("Скорость:"); }, LinesSpeed, nullptr, {});
    AddFieldRow(texts_, grid, [] { return tr("Толщина:"); }, LinesWidth, nullptr, {});
    auto* direction = Packed(new QHBoxLayout);
    direction->addWidget(LinesDirectBox);
    QGroupBox* directionGroup = NewGroup(
        texts_, [] { return tr("Направление"); }, direction);
    texts_.Keep(
        [this, directionGroup] { LinesDirectBox->setAccessibleName(directionGroup->title()); });
    grid->addWidget(directionGroup, grid->rowCount(), 0, 1, 4);
    return NewGroup(
        texts_, [] { return tr("Бегущие полосы"); }, grid);
}

QWidget* TSessionStartValuesForm::CreateCirclesGroup() {
    QGridLayout* grid = NewGrid();
    AddColorRow(grid, CirclesBColorShape, Button4);
    AddColorRow(grid, CirclesLColorShape, Button7);
    AddFieldRow(
        texts_, grid, [] { return tr("Частота:"); }, ClFreqE, ClFreqU, [] { return tr("Гц"); });
    AddFieldRow(
        texts_, grid, [] { return tr("Размер:"); }, CirclesWidth, nullptr, [] { return tr("Тч"); });
    return NewGroup(
        texts_, [] { return tr("Окружности"); }, grid);
}

} // namespace umbrascope
