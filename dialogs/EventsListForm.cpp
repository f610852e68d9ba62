#include "EventsListForm.h"

#include "EditEventForm.h"
#include "EventsListModel.h"
#include "model/SessionDocument.h"
#include "ui/MessageBoxes.h"
#include "ui/ToolWindow.h"
#include "ui/UiText.h"

#include <QEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace umbrascope {

TEventsListForm::TEventsListForm(SessionDocument& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setObjectName(QStringLiteral("EventsListForm"));
    texts_.Keep([this] { setWindowTitle(tr(" Управление событиями")); });
    MakeFixedToolWindow(*this, QSize(342, 381));

    model_ = new EventsListModel(document_.Events, this);
    EventsListBox = new QListView(this);
    EventsListBox->setObjectName(QStringLiteral("EventsListBox"));
    EventsListBox->setModel(model_);
    // Lines of one height let the view place 100,000 of them without measuring each.
    EventsListBox->setUniformItemSizes(true);
    EventsListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    EventsListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    EventsListBox->setGeometry(11, 26, 320, 320);
    Label1 = texts_.Text(new QLabel(this), [] { return tr("&Список событий:"); });
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setBuddy(EventsListBox);
    Label1->setGeometry(11, 8, 200, 16);

    const auto button = [this](const char* name, TranslatedText caption,
                               QStyle::StandardPixmap glyph, int x,
                               void (TEventsListForm::*handler)()) {
        auto* b = texts_.Text(new QPushButton(style()->standardIcon(glyph), QString(), this),
                              std::move(caption));
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(x, 350, 100, 25);
        connect(b, &QPushButton::clicked, this, GuardedSlot(this, handler));
        return b;
    };
    AddEventBtn = button(
        "AddEventBtn", [] { return tr("&Добавить"); }, QStyle::SP_FileDialogNewFolder, 11,
        &TEventsListForm::AddEventBtnClick);
    DeleteEventBtn = button(
        "DeleteEventBtn", [] { return tr("&Удалить"); }, QStyle::SP_TrashIcon, 121,
        &TEventsListForm::DeleteEventBtnClick);
    EditEventBtn = button(
        "EditEventBtn", [] { return tr("&Изменить"); }, QStyle::SP_FileDialogDetailedView, 231,
        &TEventsListForm::EditEventBtnClick);
    CentreOnScreen(*this);
}

void TEventsListForm::RetranslateUi() {
    texts_.Apply();
    // The lines name the event types; a hidden list is made afresh when it shows.
    if (isVisible())
        model_->RedrawLines();
}

void TEventsListForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDialog::changeEvent(event);
}

void TEventsListForm::showEvent(QShowEvent* event) {
    Guarded(this, [this] { FormShow(); });
    QDialog::showEvent(event);
}

void TEventsListForm::FormShow() {
    RefreshList();
}

void TEventsListForm::RefreshList() {
    model_->Rebuild();
    if (!document_.Events.empty())
        SelectLine(0);
}

std::optional<int> TEventsListForm::SelectedLine() const {
    const QModelIndex current = EventsListBox->currentIndex();
    if (!current.isValid() || !EventsListBox->selectionModel()->isSelected(current))
        return std::nullopt;
    return current.row();
}

void TEventsListForm::SelectLine(int line) {
    const QModelIndex index = model_->index(line);
    EventsListBox->setCurrentIndex(index);
    EventsListBox->scrollTo(index);
}

bool TEventsListForm::RunEditor() {
    return EditEventForm->exec() == QDialog::Accepted;
}

void TEventsListForm::Change(const UserText& step, const std::function<void()>& change) {
    if (ChangeEvents)
        ChangeEvents(step, change);
    else
        change();
}

void TEventsListForm::AddEventBtnClick() {
    std::int64_t proposed = 1000; // 0 min 1 s
    if (const auto line = SelectedLine()) {
        const std::int64_t t = document_.Events.at(static_cast<std::size_t>(*line)).EventTime;
        const std::int32_t length = document_.SessionLength;
        proposed = t < length ? t + 60000 : std::int64_t{length} - 1;
    }
    const std::int64_t minutes = proposed / 60000;
    EditEventForm->PresetTime(minutes, (proposed - minutes * 60000) / 1000);
    std::size_t inserted = 0;
    if (RunEditor())
        Change(Translatable("umbrascope::TEventsListForm", "Добавить событие"),
               [&] { inserted = document_.InsertEvent(EditEventForm->ComposedEvent); });
    RefreshList();
    if (!document_.Events.empty())
        SelectLine(static_cast<int>(inserted));
}

void TEventsListForm::DeleteEventBtnClick() {
    const auto line = SelectedLine();
    if (!line)
        return;
    Change(Translatable("umbrascope::TEventsListForm", "Удалить событие"),
           [&] { document_.DeleteEvent(static_cast<std::size_t>(*line)); });
    RefreshList();
}

void TEventsListForm::EditEventBtnClick() {
    const auto line = SelectedLine();
    if (!line)
        return;
    const auto index = static_cast<std::size_t>(*line);
    if (const auto failure = EditEventForm->LoadEvent(index)) {
        ShowMessageBox(this, FromModelText(*failure));
    } else if (RunEditor()) {
        Change(Translatable("umbrascope::TEventsListForm", "Изменить событие"), [&] {
            document_.Events.at(index) = EditEventForm->ComposedEvent;
            document_.ResortEvents(index);
        });
        RefreshList();
        SelectLine(*line); // the same place, which after a reorder may hold another event
    }
}

} // namespace umbrascope
