// The controls of the start values dialog, as the window is built: three groups (phrases top
// left, sound top right, picture below), the picture group with one box per pattern.

#include "SessionStartValuesForm.h"

#include "DialogControls.h"
#include "ui/ColorSwatch.h"
#include "ui/FrequencyField.h"
#include "ui/Glyphs.h"
#include "ui/PositionButtons.h"
#include "ui/SpinField.h"
#include "ui/ToolWindow.h"

#include <QCheckBox>
#include <QComboBox>
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

QGroupBox* NewGroup(const QString& title, QLayout* content) {
    auto* group = new QGroupBox(title);
    group->setLayout(content);
    return group;
}

QCheckBox* NewCheckBox(const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(true);
    return box;
}

// "caption [field][arrows] unit" as one row of a four-column grid.
void AddFieldRow(QGridLayout* grid, const QString& caption, QWidget* field, QWidget* arrows,
                 const QString& unit) {
    const int row = grid->rowCount();
    grid->addWidget(NewLabel(caption, field), row, 0);
    grid->addWidget(field, row, 1);
    if (arrows)
        grid->addWidget(arrows, row, 2);
    if (!unit.isEmpty())
        grid->addWidget(NewLabel(unit, field), row, 3);
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

TSessionStartValuesForm::TSessionStartValuesForm(TSessionValues& startValues, QWidget* parent)
    : QDialog(parent), startValues_(startValues) {
    setObjectName(QStringLiteral("SessionStartValuesForm"));
    setWindowTitle(QStringLiteral("  Стартовые значения сессии"));
    MakeFixedToolWindow(*this, QSize(682, 531));
    ColorDialog = std::make_unique<ColorPicker>(this);
    // Three buttons share a caption, so their access keys lie on different letters of it.
    CreateSettingsControls(*this, {QStringLiteral("Цвет &заливки"), QStringLiteral("Цвет &фона"),
                                   QStringLiteral("Цвет &спирали"), QStringLiteral("Цвет ф&она"),
                                   QStringLiteral("Цвет &полос"), QStringLiteral("&Цвет фона"),
                                   QStringLiteral("Цвет &линий")});
    auto* window = new QGridLayout(this);
    window->setContentsMargins(8, 6, 8, 8);
    window->addWidget(CreatePhraseGroup(), 0, 0);
    window->addWidget(CreateSoundGroup(), 0, 1);
    window->addWidget(CreatePictureGroup(), 1, 0, 1, 2);
    window->setColumnStretch(0, 1);
    window->setColumnStretch(1, 1);
    BindHandlers();
    NoDefaultButton(*this);
    CentreOnScreen(*this);
}

TSessionStartValuesForm::~TSessionStartValuesForm() = default;

QWidget* TSessionStartValuesForm::CreatePhraseGroup() {
    TextEnabledBox = NewCheckBox("TextEnabledBox", QStringLiteral(" &Текстовые фразы включены"));

    auto* place = Packed(new QVBoxLayout);
    place->addWidget(positionButtons);

    FontSettingsBtn = new QPushButton(QStringLiteral(" &Настроить вид фразы"));
    FontSettingsBtn->setObjectName(QStringLiteral("FontSettingsBtn"));
    QGroupBox* width = NewTextWidthGroup(QStringLiteral("Ширина текста"), *this);
    Packed(width->layout());
    auto* right = Nested(new QVBoxLayout);
    right->addWidget(FontSettingsBtn);
    right->addWidget(width);
    auto* middle = Nested(new QHBoxLayout);
    middle->addWidget(NewGroup(QStringLiteral("Позиция"), place));
    middle->addLayout(right, 1);

    const QString ms = QStringLiteral("миллисекунд");
    QGridLayout* timing = NewGrid();
    AddFieldRow(timing, QStringLiteral("Длительность показа фразы:"), TextFrameLongEdit, nullptr,
                ms);
    AddFieldRow(timing, QStringLiteral("Интервал между показами:"), TextFrameIntervalEdit, nullptr,
                ms);

    auto* file = Nested(new QHBoxLayout);
    file->addWidget(TxtFileEdit, 1);
    file->addWidget(OpenTxtFileButton);
    file->addWidget(ClFileName);

    auto* rows = Packed(new QVBoxLayout);
    rows->addWidget(TextEnabledBox);
    rows->addLayout(middle);
    rows->addWidget(NewGroup(QStringLiteral("Временные параметры"), timing));
    rows->addWidget(NewLabel(QStringLiteral("Текстовый файл с фразами"), TxtFileEdit));
    rows->addLayout(file);
    rows->addStretch(1);
    return NewGroup(QStringLiteral("Текстовые фразы"), rows);
}

QWidget* TSessionStartValuesForm::CreateSoundGroup() {
    AudioEnabledBox =
        NewCheckBox("AudioEnabledBox", QStringLiteral(" &Аудиосопровождение включено"));
    Label9 = new QLabel(QStringLiteral("100 %"));
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setMinimumWidth(Label9->fontMetrics().horizontalAdvance(QStringLiteral("100 %")) + 4);
    auto* volume = Nested(new QHBoxLayout);
    volume->addWidget(VolumeTrack, 1);
    volume->addWidget(Label9);

    WavesListBox = new QListWidget;
    WavesListBox->setObjectName(QStringLiteral("WavesListBox"));
    BitBtn1 = new QPushButton(QStringLiteral("&Добавить"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("&Удалить"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto* buttons = Nested(new QHBoxLayout);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    auto* list = Packed(new QVBoxLayout);
    list->addWidget(WavesListBox, 1);
    list->addLayout(buttons);
    QGroupBox* tracks = NewGroup(QStringLiteral("Список аудиодорожек"), list);
    WavesListBox->setAccessibleName(tracks->title());

    auto* rows = Packed(new QVBoxLayout);
    rows->addWidget(AudioEnabledBox);
    rows->addWidget(NewLabel(QStringLiteral("Громкость аудиосопровождения:"), VolumeTrack));
    rows->addLayout(volume);
    rows->addWidget(tracks, 1);
    return NewGroup(QStringLiteral("Аудиосопровождение"), rows);
}

QWidget* TSessionStartValuesForm::CreatePictureGroup() {
    VideoEnabledBox =
        NewCheckBox("VideoEnabledBox", QStringLiteral(" &Видеосопровождение включено"));
    auto* typeCaption = Nested(new QVBoxLayout);
    typeCaption->setSpacing(0);
    typeCaption->addWidget(NewLabel(QStringLiteral("Тип"), VideoTypeBox));
    typeCaption->addWidget(NewLabel(QStringLiteral("видеосопровождения:"), VideoTypeBox));
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
    return NewGroup(QStringLiteral("Видеосопровождение"), rows);
}

QWidget* TSessionStartValuesForm::CreateFlickerGroup() {
    QGridLayout* grid = NewGrid();
    AddColorRow(grid, SolidScreenColorShape, Button1);
    AddFieldRow(grid, QStringLiteral("Частота:"), FmFreqE, FmFreqU, QStringLiteral("Гц"));
    return NewGroup(QStringLiteral("Мерцающий экран"), grid);
}

QWidget* TSessionStartValuesForm::CreateSpiralGroup() {
    QGridLayout* grid = NewGrid();
    AddColorRow(grid, SpiralBColorShape, Button2);
    AddColorRow(grid, SpiralLColorShape, Button3);
    AddFieldRow(grid, QStringLiteral("Скорость:"), SpiralSpeed, nullptr, QString());
    AddFieldRow(grid, QStringLiteral("Толщина:"), SpiralWidth, nullptr, QString());
    SpiralDir1Btn =
        NewGlyphButton("SpiralDir1Btn", TurnGlyph(true), QStringLiteral("Меняется по часовой"));
    SpiralDir2Btn = NewGlyphButton("SpiralDir2Btn", TurnGlyph(false),
                                   QStringLiteral("Меняется против часовой"));
    auto* direction = Packed(new QHBoxLayout);
    direction->addStretch(1);
    for (QToolButton* button : {SpiralDir1Btn, SpiralDir2Btn}) {
        button->setCheckable(true);
        direction->addWidget(button);
    }
    direction->addStretch(1);
    SpiralDir1Btn->setChecked(true);
    grid->addWidget(NewGroup(QStringLiteral("Направление"), direction), grid->rowCount(), 0, 1, 4);
    return NewGroup(QStringLiteral("Спираль"), grid);
}

QWidget* TSessionStartValuesForm::CreateLinesGroup() {
    QGridLayout* grid = NewGrid();
    AddColorRow(grid, LinesBColorShape, Button5);
    AddColorRow(grid, LinesLColorShape, Button6);
    AddFieldRow(grid, QStringLiteral("Скорость:"), LinesSpeed, nullptr, QString());
    AddFieldRow(grid, QStringLiteral("Толщина:"), LinesWidth, nullptr, QString());
    auto* direction = Packed(new QHBoxLayout);
    direction->addWidget(LinesDirectBox);
    QGroupBox* directionGroup = NewGroup(QStringLiteral("Направление"), direction);
    LinesDirectBox->setAccessibleName(directionGroup->title());
    grid->addWidget(directionGroup, grid->rowCount(), 0, 1, 4);
    return NewGroup(QStringLiteral("Бегущие полосы"), grid);
}

QWidget* TSessionStartValuesForm::CreateCirclesGroup() {
    QGridLayout* grid = NewGrid();
    AddColorRow(grid, CirclesBColorShape, Button4);
    AddColorRow(grid, CirclesLColorShape, Button7);
    AddFieldRow(grid, QStringLiteral("Частота:"), ClFreqE, ClFreqU, QStringLiteral("Гц"));
    AddFieldRow(grid, QStringLiteral("Размер:"), CirclesWidth, nullptr, QStringLiteral("Тч"));
    return NewGroup(QStringLiteral("Окружности"), grid);
}

} // namespace umbrascope
