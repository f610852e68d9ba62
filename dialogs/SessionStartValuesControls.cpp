// The controls of the start values dialog, as the window is built: three groups (phrases top
// left, sound top right, picture below), the picture group with one box per pattern.

#include "SessionStartValuesForm.h"

#include "model/Common.h"
#include "ui/ColorSwatch.h"
#include "ui/FrequencyField.h"
#include "ui/Glyphs.h"
#include "ui/PositionButtons.h"
#include "ui/SpinField.h"
#include "ui/ToolWindow.h"
#include "visual/Preview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

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

QLabel* NewLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

TSpinField* NewSpin(const char* name, int minimum, int maximum, int value) {
    auto* field = new TSpinField(minimum, maximum, value);
    field->setObjectName(QString::fromLatin1(name));
    field->setMinimumWidth(56);
    return field;
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

// A colour square and the button that picks its colour, as one row across the grid; the
// button's caption names both.
std::pair<TColorSwatch*, QPushButton*> AddColourRow(QGridLayout* grid, const char* swatchName,
                                                    TColor colour, const char* buttonName,
                                                    const QString& caption) {
    auto* swatch = new TColorSwatch(colour);
    swatch->setObjectName(QString::fromLatin1(swatchName));
    swatch->setAccessibleName(caption);
    swatch->setFixedSize(22, 22);
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(buttonName));
    auto* row = Nested(new QHBoxLayout);
    row->addWidget(swatch);
    row->addWidget(button, 1);
    grid->addLayout(row, grid->rowCount(), 0, 1, 4);
    return {swatch, button};
}

TFrequencyEdit* NewFrequency(const char* name, const char* arrowsName, int integerDigits,
                             int minimum, int maximum, TUpDown*& arrows) {
    auto* edit = new TFrequencyEdit(integerDigits, minimum, maximum);
    edit->setObjectName(QString::fromLatin1(name));
    const int digits = edit->fontMetrics().horizontalAdvance(QString(integerDigits + 4, '0'));
    edit->setFixedWidth(digits + 12);
    arrows = new TUpDown(edit);
    arrows->setObjectName(QString::fromLatin1(arrowsName));
    arrows->setFixedSize(16, 22);
    return edit;
}

QToolButton* NewGlyphButton(const char* name, const QIcon& icon, const QString& hint) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(icon);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    return button;
}

// The pattern as the preview draws it, in small.
QIcon PatternIcon(std::uint8_t videoType) {
    TCurrentValues values;
    values.VideoType = videoType;
    values.TextEnabled = false;
    return QIcon(QPixmap::fromImage(DrawScreenPreview(values, QSize(24, 18), 240)));
}

QGridLayout* NewGrid() {
    auto* grid = Packed(new QGridLayout);
    grid->setColumnStretch(1, 1);
    grid->setAlignment(Qt::AlignTop);
    return grid;
}

} // namespace

TSessionStartValuesForm::TSessionStartValuesForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SessionStartValuesForm"));
    setWindowTitle(QStringLiteral("  Стартовые значения сессии"));
    MakeFixedToolWindow(*this, QSize(682, 531));
    ColorDialog = std::make_unique<TColorPicker>(this);
    auto* window = new QGridLayout(this);
    window->setContentsMargins(8, 6, 8, 8);
    window->addWidget(CreatePhraseGroup(), 0, 0);
    window->addWidget(CreateSoundGroup(), 0, 1);
    window->addWidget(CreatePictureGroup(), 1, 0, 1, 2);
    window->setColumnStretch(0, 1);
    window->setColumnStretch(1, 1);
    BindHandlers();
    CentreOnScreen(*this);
}

TSessionStartValuesForm::~TSessionStartValuesForm() = default;

QWidget* TSessionStartValuesForm::CreatePhraseGroup() {
    TextEnabledBox = NewCheckBox("TextEnabledBox", QStringLiteral(" Текстовые фразы включены"));

    PositionButtons = new TPositionButtons;
    auto* place = Packed(new QVBoxLayout);
    place->addWidget(PositionButtons);

    FontSettingsBtn = new QPushButton(QStringLiteral(" Настроить вид фразы"));
    FontSettingsBtn->setObjectName(QStringLiteral("FontSettingsBtn"));
    auto* widthRows = Packed(new QVBoxLayout);
    const auto radio = [widthRows](const char* name, const QString& caption) {
        auto* button = new QRadioButton(caption);
        button->setObjectName(QString::fromLatin1(name));
        widthRows->addWidget(button);
        return button;
    };
    RB100 = radio("RB100", QStringLiteral("100 % от ширины экрана"));
    RB50 = radio("RB50", QStringLiteral("50 % от ширины экрана"));
    RB33 = radio("RB33", QStringLiteral("33 % от ширины экрана"));
    RB100->setChecked(true);
    auto* right = Nested(new QVBoxLayout);
    right->addWidget(FontSettingsBtn);
    right->addWidget(NewGroup(QStringLiteral("Ширина текста"), widthRows));
    auto* middle = Nested(new QHBoxLayout);
    middle->addWidget(NewGroup(QStringLiteral("Позиция"), place));
    middle->addLayout(right, 1);

    const QString ms = QStringLiteral("миллисекунд");
    TextFrameLongEdit = NewSpin("TextFrameLongEdit", 10, 500, 50);
    TextFrameIntervalEdit = NewSpin("TextFrameIntervalEdit", 500, 10000, 1000);
    QGridLayout* timing = NewGrid();
    AddFieldRow(timing, QStringLiteral("Длительность показа фразы:"), TextFrameLongEdit, nullptr,
                ms);
    AddFieldRow(timing, QStringLiteral("Интервал между показами:"), TextFrameIntervalEdit, nullptr,
                ms);

    TxtFileEdit = new QLineEdit;
    TxtFileEdit->setObjectName(QStringLiteral("TxtFileEdit"));
    // The path comes from the file dialog only; the field shows its name.
    TxtFileEdit->setReadOnly(true);
    OpenTxtFileButton =
        NewGlyphButton("OpenTxtFileButton", style()->standardIcon(QStyle::SP_DialogOpenButton),
                       QStringLiteral("Выбрать текстовый файл"));
    ClFileName = NewGlyphButton("ClFileName", style()->standardIcon(QStyle::SP_LineEditClearButton),
                                QStringLiteral("Убрать текстовый файл"));
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
        NewCheckBox("AudioEnabledBox", QStringLiteral(" Аудиосопровождение включено"));
    VolumeTrack = new QSlider(Qt::Horizontal);
    VolumeTrack->setObjectName(QStringLiteral("VolumeTrack"));
    VolumeTrack->setRange(0, 100);
    VolumeTrack->setSingleStep(1);
    VolumeTrack->setTickPosition(QSlider::NoTicks);
    VolumeTrack->setValue(100);
    Label9 = new QLabel(QStringLiteral("100 %"));
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setMinimumWidth(Label9->fontMetrics().horizontalAdvance(QStringLiteral("100 %")) + 4);
    auto* volume = Nested(new QHBoxLayout);
    volume->addWidget(VolumeTrack, 1);
    volume->addWidget(Label9);

    WavesListBox = new QListWidget;
    WavesListBox->setObjectName(QStringLiteral("WavesListBox"));
    BitBtn1 = new QPushButton(QStringLiteral("Добавить"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(QStringLiteral("Удалить"));
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
        NewCheckBox("VideoEnabledBox", QStringLiteral(" Видеосопровождение включено"));
    VideoTypeBox = new QComboBox;
    VideoTypeBox->setObjectName(QStringLiteral("VideoTypeBox"));
    VideoTypeBox->setIconSize(QSize(24, 18));
    const QString types[] = {QStringLiteral(" Мерцающий экран"), QStringLiteral(" Спираль"),
                             QStringLiteral(" Бегущие полосы"), QStringLiteral(" Окружности")};
    for (std::uint8_t type = 0; type < 4; ++type)
        VideoTypeBox->addItem(PatternIcon(type), types[type]);
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
    std::tie(SolidScreenColorShape, Button1) = AddColourRow(
        grid, "SolidScreenColorShape", 0x000080, "Button1", QStringLiteral("Цвет заливки"));
    FmFreqE = NewFrequency("FmFreqE", "FmFreqU", 2, 0, 30000, FmFreqU);
    AddFieldRow(grid, QStringLiteral("Частота:"), FmFreqE, FmFreqU, QStringLiteral("Гц"));
    return NewGroup(QStringLiteral("Мерцающий экран"), grid);
}

QWidget* TSessionStartValuesForm::CreateSpiralGroup() {
    QGridLayout* grid = NewGrid();
    std::tie(SpiralBColorShape, Button2) =
        AddColourRow(grid, "SpiralBColorShape", 0xFF0000, "Button2", QStringLiteral("Цвет фона"));
    std::tie(SpiralLColorShape, Button3) = AddColourRow(grid, "SpiralLColorShape", 0x0000FF,
                                                        "Button3", QStringLiteral("Цвет спирали"));
    SpiralSpeed = NewSpin("SpiralSpeed", 1, 200, 120);
    SpiralWidth = NewSpin("SpiralWidth", 1, 500, 10);
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
    std::tie(LinesBColorShape, Button5) =
        AddColourRow(grid, "LinesBColorShape", 0xF0CAA6, "Button5", QStringLiteral("Цвет фона"));
    std::tie(LinesLColorShape, Button6) =
        AddColourRow(grid, "LinesLColorShape", 0x800000, "Button6", QStringLiteral("Цвет полос"));
    LinesSpeed = NewSpin("LinesSpeed", 1, 10, 7);
    LinesWidth = NewSpin("LinesWidth", 5, 300, 15);
    AddFieldRow(grid, QStringLiteral("Скорость:"), LinesSpeed, nullptr, QString());
    AddFieldRow(grid, QStringLiteral("Толщина:"), LinesWidth, nullptr, QString());
    LinesDirectBox = new QComboBox;
    LinesDirectBox->setObjectName(QStringLiteral("LinesDirectBox"));
    const QString directions[] = {QStringLiteral("Влево"), QStringLiteral("Вправо"),
                                  QStringLiteral("Вверх"), QStringLiteral("Вниз")};
    for (int d = 0; d < 4; ++d)
        LinesDirectBox->addItem(ArrowGlyph(d), directions[d]);
    auto* direction = Packed(new QHBoxLayout);
    direction->addWidget(LinesDirectBox);
    QGroupBox* directionGroup = NewGroup(QStringLiteral("Направление"), direction);
    LinesDirectBox->setAccessibleName(directionGroup->title());
    grid->addWidget(directionGroup, grid->rowCount(), 0, 1, 4);
    return NewGroup(QStringLiteral("Бегущие полосы"), grid);
}

QWidget* TSessionStartValuesForm::CreateCirclesGroup() {
    QGridLayout* grid = NewGrid();
    std::tie(CirclesBColorShape, Button4) =
        AddColourRow(grid, "CirclesBColorShape", 0x00FFFF, "Button4", QStringLiteral("Цвет фона"));
    std::tie(CirclesLColorShape, Button7) =
        AddColourRow(grid, "CirclesLColorShape", 0x000080, "Button7", QStringLiteral("Цвет линий"));
    ClFreqE = NewFrequency("ClFreqE", "ClFreqU", 1, 1, 5000, ClFreqU);
    AddFieldRow(grid, QStringLiteral("Частота:"), ClFreqE, ClFreqU, QStringLiteral("Гц"));
    CirclesWidth = NewSpin("CirclesWidth", 5, 500, 20);
    AddFieldRow(grid, QStringLiteral("Размер:"), CirclesWidth, nullptr, QStringLiteral("Тч"));
    return NewGroup(QStringLiteral("Окружности"), grid);
}
