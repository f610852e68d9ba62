#include "EditEventForm.h"

#include "AddWaveForm.h"
#include "DialogControls.h"
#include "model/MediaPath.h"
#include "model/SessionDocument.h"
#include "model/SessionState.h"
#include "model/TrackDescriptor.h"
#include "ui/ColorSwatch.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBoxes.h"
#include "ui/ShownText.h"
#include "ui/SpinField.h"
#include "ui/ToolWindow.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace umbrascope {

namespace {

constexpr std::int32_t MinuteMs = 60000;
constexpr std::int32_t SecondMs = 1000;

int TypeIndex(EventKind kind) {
    return static_cast<int>(kind);
}

} // namespace

TEditEventForm::TEditEventForm(const SessionDocument& document, Preferences& preferences,
                               QWidget* parent)
    : QDialog(parent), document_(document), preferences_(preferences) {
    setObjectName(QStringLiteral("EditEventForm"));
    texts_.Keep([this] { setWindowTitle(tr(" Редактирование события")); });
    MakeFixedToolWindow(*this, QSize(437, 386));
    ColorDialog = std::make_unique<ColorPicker>(this);
    CreateFixedPart();
    CreatePageControls();
    for (const EventType& type : EventTypes()) {
        Page page = CreatePage(type);
        page.Sheet->setObjectName(QStringLiteral("TabSheet%1").arg(TypeIndex(type.kind)));
        PageControl->addWidget(page.Sheet);
        Pages[static_cast<std::size_t>(type.kind)] = std::move(page);
    }
    BindHandlers();
    FormCreate();
    CentreOnScreen(*this);
}

TEditEventForm::~TEditEventForm() = default;

void TEditEventForm::RetranslateUi() {
    texts_.Apply();
    EventTypeBoxChange();
    for (int row = 0; row < WavesList->count(); ++row)
        WavesList->item(row)->setText(
            ShownText(TrackShownText(removalTracks_.at(static_cast<std::size_t>(row)))));
    ShowAddedWave();
}

void TEditEventForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        Guarded(this, [this] { RetranslateUi(); });
    QDialog::changeEvent(event);
}

void TEditEventForm::CreateFixedPart() {
    auto* group = new QGroupBox(this);
    texts_.Keep([group] { group->setTitle(tr("Параметры события")); });
    group->setGeometry(8, 4, 421, 342);

    EventTypeBox = new QComboBox(group);
    EventTypeBox->setObjectName(QStringLiteral("EventTypeBox"));
    EventTypeBox->setMaxVisibleItems(48);
    EventTypeBox->setGeometry(10, 38, 401, 22);
    auto* typeLabel = NewLabel(
        texts_, [] { return tr("&Тип события:"); }, EventTypeBox);
    typeLabel->setParent(group);
    typeLabel->setGeometry(10, 20, 200, 16);

    MinuteEdit = NewSpin("MinuteEdit", 0, std::max(0, document_.SessionLength / MinuteMs - 1), 0);
    MinuteEdit->setParent(group);
    MinuteEdit->setGeometry(110, 68, 64, 22);
    SecondsEdit = NewSpin("SecondsEdit", 0, 59, 0);
    SecondsEdit->setParent(group);
    SecondsEdit->setGeometry(214, 68, 52, 22);
    const std::pair<QLabel*, QRect> timeLabels[] = {
        {NewLabel(
             texts_, [] { return tr("В&ремя события:"); }, MinuteEdit),
         QRect(10, 71, 98, 16)},
        {NewLabel(
             texts_, [] { return tr("мин."); }, MinuteEdit),
         QRect(178, 71, 32, 16)},
        {NewLabel(
             texts_, [] { return tr("сек."); }, SecondsEdit),
         QRect(270, 71, 32, 16)}};
    for (const auto& [label, place] : timeLabels) {
        label->setParent(group);
        label->setGeometry(place);
    }

    auto* description = new QGroupBox(group);
    texts_.Keep([description] { description->setTitle(tr("Описание события")); });
    description->setGeometry(10, 96, 401, 54);
    EventDecriptionText = new QLabel(description);
    EventDecriptionText->setObjectName(QStringLiteral("EventDecriptionText"));
    EventDecriptionText->setWordWrap(true);
    EventDecriptionText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    EventDecriptionText->setGeometry(8, 18, 385, 30);

    PageControl = new QStackedWidget(group);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setGeometry(10, 156, 401, 178);

    OkButton = texts_.Text(new QPushButton(this), [] { return tr("&OK"); });
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setGeometry(354, 354, 75, 25);
    OkButton->setDefault(true);
}

void TEditEventForm::BindHandlers() {
    connect(EventTypeBox, &QComboBox::currentIndexChanged, this,
            GuardedSlot(this, &TEditEventForm::EventTypeBoxChange));
    connect(MinuteEdit, &QSpinBox::valueChanged, this,
            GuardedSlot(this, &TEditEventForm::MinuteEditChange));
    connect(SecondsEdit, &QSpinBox::valueChanged, this,
            GuardedSlot(this, &TEditEventForm::SecondsEditChange));
    connect(OkButton, &QPushButton::clicked, this,
            GuardedSlot(this, &TEditEventForm::OkButtonClick));
    connect(OpenTxtFileButton, &QToolButton::clicked, this,
            GuardedSlot(this, &TEditEventForm::OpenTxtFileButtonClick));
    connect(ClFileName, &QToolButton::clicked, this,
            GuardedSlot(this, &TEditEventForm::ClFileNameClick));
    connect(AddAudiotrackBtn, &QPushButton::clicked, this,
            GuardedSlot(this, &TEditEventForm::AddAudiotrackBtnClick));
    auto colorButtons = ColorButtons();
    colorButtons.insert(colorButtons.begin(),
                        {{TextColorButton, TextColorShape}, {BackColorButton, BackColorShape}});
    BindColorButtons(this, colorButtons, [this](ColorSwatch* swatch) { ColorButtonClick(swatch); });
}

void TEditEventForm::FormCreate() {
    PhraseFilePath.clear();
    AddedWave.clear();
    {
        // A type is chosen by its place in the list, which is its kind, never by its text.
        const QSignalBlocker quiet(EventTypeBox);
        for (std::size_t i = 0; i < EventTypes().size(); ++i)
            EventTypeBox->addItem(QString());
        texts_.Keep([this] {
            for (const EventType& type : EventTypes())
                EventTypeBox->setItemText(TypeIndex(type.kind), ShownEventTypeName(type.name));
        });
    }
    SelectType(EventKind::Undefined);
    EventTypeBoxChange();
    VideoTypeBox->setCurrentIndex(1);
    LinesDirectBox->setCurrentIndex(2);
}

void TEditEventForm::showEvent(QShowEvent* event) {
    Guarded(this, [this] { FormShow(); });
    QDialog::showEvent(event);
}

void TEditEventForm::FormShow() {
    UpdateMinuteLimit();
    EventTypeBoxChange();
}

void TEditEventForm::UpdateMinuteLimit() {
    // A damaged file's length of 0 or less still leaves minute 0.
    MinuteEdit->setMaximum(std::max(0, document_.SessionLength / MinuteMs - 1));
}

void TEditEventForm::SelectType(EventKind kind) {
    EventTypeBox->setCurrentIndex(TypeIndex(kind));
}

EventKind TEditEventForm::SelectedType() const {
    return static_cast<EventKind>(std::max(0, EventTypeBox->currentIndex()));
}

void TEditEventForm::EventTypeBoxChange() {
    const EventType& type = EventTypeOf(SelectedType());
    EventDecriptionText->setText(ShownEventDescription(type));
    const bool toRemoval = type.kind == EventKind::RemoveTrack && !RemovalPageShown();
    PageControl->setCurrentIndex(TypeIndex(type.kind));
    // While the removal page stays shown its list follows the time instead.
    if (toRemoval)
        TabSheet19Show();
}

bool TEditEventForm::RemovalPageShown() const {
    return PageControl->currentIndex() == TypeIndex(EventKind::RemoveTrack);
}

void TEditEventForm::PresetTime(std::int64_t minutes, std::int64_t seconds) {
    {
        const QSignalBlocker quietMinutes(MinuteEdit);
        const QSignalBlocker quietSeconds(SecondsEdit);
        UpdateMinuteLimit();
        const auto set = [](SpinField* field, std::int64_t value) {
            field->setValue(static_cast<int>(
                std::clamp<std::int64_t>(value, field->minimum(), field->maximum())));
        };
        set(MinuteEdit, minutes);
        set(SecondsEdit, seconds);
    }
    TimeChange();
}

std::int32_t TEditEventForm::FieldTime() const {
    // Within int32: the minute field ends at the longest session's last minute.
    return MinuteEdit->Value() * MinuteMs + SecondsEdit->Value() * SecondMs;
}

void TEditEventForm::MinuteEditChange() {
    TimeChange();
}

void TEditEventForm::SecondsEditChange() {
    TimeChange();
}

void TEditEventForm::TimeChange() {
    ComposedEvent.EventTime = FieldTime();
    // An event that stops the computation is reported by the commands that load or refresh;
    // here the list simply shows the tracks as far as the state got.
    (void)ComputeTracksAt(ComposedEvent.EventTime);
    if (RemovalPageShown())
        TabSheet19Show();
}

std::optional<std::string> TEditEventForm::ComputeTracksAt(std::int32_t time) {
    SessionStateAt state = StateAt(document_.StartValues, document_.Events, time);
    tracksAtTime_ = std::move(state.values.Waves);
    return std::move(state.failure);
}

void TEditEventForm::TabSheet19Show() {
    keptRemoval_.clear();
    removalTracks_.clear();
    WavesList->clear();
    for (const TWaveEntry& wave : tracksAtTime_) {
        removalTracks_.push_back(wave.Track);
        WavesList->addItem(ShownText(TrackShownText(wave.Track)));
    }
    if (WavesList->count() > 0)
        WavesList->setCurrentRow(0);
}

std::optional<std::string> TEditEventForm::LoadEvent(std::size_t index) {
    const TSessionEvent event = document_.Events.at(index);
    {
        const QSignalBlocker quietMinutes(MinuteEdit);
        const QSignalBlocker quietSeconds(SecondsEdit);
        UpdateMinuteLimit();
        MinuteEdit->setValue(event.EventTime / MinuteMs);
        SecondsEdit->setValue(event.EventTime % MinuteMs / SecondMs);
    }
    ComposedEvent.EventTime = FieldTime();
    auto failure = ComputeTracksAt(event.EventTime);
    if (RemovalPageShown())
        TabSheet19Show();
    if (failure)
        return failure;
    const EventType* type = FindEventType(event.EventType);
    if (!type)
        return std::nullopt;
    SelectType(type->kind);
    return Pages[static_cast<std::size_t>(type->kind)].Load(event.EventValue);
}

void TEditEventForm::OkButtonClick() {
    MinuteEdit->Clamp();
    SecondsEdit->Clamp();
    const EventKind kind = SelectedType();
    ComposedEvent.EventType = EventTypeName(kind);
    ComposedEvent.EventTime = FieldTime();
    ComposedEvent.EventValue = Pages[static_cast<std::size_t>(kind)].Value();
    accept();
}

void TEditEventForm::OpenTxtFileButtonClick() {
    if (const auto path = ChooseFileToOpen(this, preferences_, QStringLiteral("OpenTxtFileDialog"),
                                           tr("Текстовый файл (*.txt)|*.txt"), FileKind::Phrases)) {
        PhraseFilePath = *path;
        ShowPhraseFile();
    }
}

void TEditEventForm::ClFileNameClick() {
    PhraseFilePath.clear();
    ShowPhraseFile();
}

void TEditEventForm::ShowPhraseFile() {
    TxtFileEdit->setText(FromModelText(ExtractFileName(PhraseFilePath)));
}

void TEditEventForm::AddAudiotrackBtnClick() {
    if (AddWaveForm->exec() != QDialog::Accepted || AddWaveForm->TrackResult.empty())
        return;
    AddedWave = AddWaveForm->TrackResult;
    ShowAddedWave();
}

void TEditEventForm::ShowAddedWave() {
    AddedWaveEdit->setText(ShownText(TrackShownText(AddedWave)));
}

void TEditEventForm::ColorButtonClick(ColorSwatch* swatch) {
    if (const auto color = ColorDialog->Pick(swatch->Color()))
        swatch->SetColor(*color);
}

} // namespace umbrascope
