#pragma once

// The event list dialog: every event of the session, one line each in time order, with
// "Добавить", "Удалить" and "Изменить". Adding and changing go through the event editor; this
// dialog decides where a new event goes, how a changed one is put back in order and which line
// is selected afterwards. Each change acts on the session's events at once. User-interface
// thread only; never opened while a session plays.

#include "base/UserText.h"
#include "ui/RetranslatedTexts.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QListView;
class QPushButton;

namespace umbrascope {

class SessionDocument;
class TEditEventForm;
class EventsListModel;

class TEventsListForm : public QDialog {
    Q_OBJECT

public:
    // Edits document, which must outlive the dialog.
    explicit TEventsListForm(SessionDocument& document, QWidget* parent = nullptr);

    // The event editor this one opens; the main window sets it once it exists.
    TEditEventForm* EditEventForm = nullptr;

    // Runs one change of the events, named for the user ("Добавить событие", ...). By default it
    // simply runs it; the main window may make each change a step of its own.
    std::function<void(const UserText& step, const std::function<void()>& change)> ChangeEvents;

    void FormShow();
    void RefreshList();
    void AddEventBtnClick();
    void DeleteEventBtnClick();
    void EditEventBtnClick();

    // The selected line, if any.
    std::optional<int> SelectedLine() const;
    void SelectLine(int line);

    QLabel* Label1 = nullptr;
    QListView* EventsListBox = nullptr;
    QPushButton* AddEventBtn = nullptr;
    QPushButton* DeleteEventBtn = nullptr;
    QPushButton* EditEventBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Shows the editor modally; true when it was closed with "OK". Benchmarks compose the
    // event without a person at the keyboard.
    virtual bool RunEditor();

private:
    void RetranslateUi();
    void Change(const UserText& step, const std::function<void()>& change);

    SessionDocument& document_;
    EventsListModel* model_ = nullptr;
    RetranslatedTexts texts_;
};

} // namespace umbrascope
