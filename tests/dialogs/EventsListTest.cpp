// The event list dialog: its lines, where added and changed events go, what is selected
// afterwards, and that a cancelled or refused editor leaves the events alone.

#include "DialogTestSupport.h"
#include "dialogs/EditEventForm.h"
#include "dialogs/EventsListForm.h"
#include "dialogs/EventsListModel.h"
#include "model/Cp1251.h"
#include "model/SessionDocument.h"
#include "ui/MessageBoxes.h"
#include "ui/SpinField.h"

#include <gtest/gtest.h>

#include <QListView>
#include <QPushButton>

namespace umbrascope {

namespace {

class EventsList : public DialogTest {
protected:
    void SetUp() override { list.EditEventForm = &editor; }

    // The editor's next opening: its time as proposed, then confirmed at minutes:seconds.
    void ConfirmEditorAt(int minutes, int seconds, QString* proposed = nullptr) {
        AnswerNextModal([this, minutes, seconds, proposed](QWidget*) {
            if (proposed)
                *proposed = QStringLiteral("%1:%2")
                                .arg(editor.MinuteEdit->value())
                                .arg(editor.SecondsEdit->value());
            editor.MinuteEdit->setValue(minutes);
            editor.SecondsEdit->setValue(seconds);
            editor.OkButton->click();
        });
    }

    std::vector<std::int32_t> Times() const {
        std::vector<std::int32_t> times;
        for (const TSessionEvent& event : document.Events)
            times.push_back(event.EventTime);
        return times;
    }

    int Selected() const { return list.SelectedLine().value_or(-1); }

    SessionDocument document;
    TEditEventForm editor{document, Settings()};
    TEventsListForm list{document};
};

// An event whose value the editor carries through unchanged.
TSessionEvent At(std::int32_t time, std::string file = "") {
    return {EventTypeName(EventKind::PhraseFile), time, file};
}

TEST(EventsListLines, ShowMinutesAndSecondsOfTwoDigitsAndTheType) {
    EXPECT_EQ(EventListLine({Cp1251Literal("Текстовые фразы -> Цвет"), 754300, "0"}),
              "12:34 - Текстовые фразы -> Цвет");
    EXPECT_EQ(EventListLine({EventTypeName(EventKind::Undefined), 5000, ""}),
              "00:05 - Не определен");
}

TEST_F(EventsList, AddedEventsGoAfterEqualTimesAndAreSelected) {
    list.show();
    QString proposed;
    ConfirmEditorAt(0, 7, &proposed);
    list.AddEventBtn->click();
    EXPECT_EQ(proposed, "0:1") << "an empty list proposes 00:01";
    EXPECT_EQ(Times(), (std::vector<std::int32_t>{7000}));
    EXPECT_EQ(Selected(), 0);

    document.Events = {At(60000), At(120000, "a"), At(120000, "b")};
    list.RefreshList();
    list.SelectLine(0);
    ConfirmEditorAt(2, 0, &proposed);
    list.AddEventBtn->click();
    EXPECT_EQ(proposed, "2:0") << "a minute after the selected event";
    EXPECT_EQ(Times(), (std::vector<std::int32_t>{60000, 120000, 120000, 120000}));
    EXPECT_EQ(document.Events[3].EventType, EventTypeName(EventKind::Undefined));
    EXPECT_EQ(Selected(), 3);

    const auto before = document.Events;
    list.SelectLine(2);
    AnswerNextModal([this](QWidget*) { editor.close(); });
    list.AddEventBtn->click();
    EXPECT_EQ(document.Events, before) << "cancelled";
    EXPECT_EQ(Selected(), 0);
}

TEST_F(EventsList, AChangedEventIsPutBackInOrderAndItsLineStaysSelected) {
    document.Events = {At(60000), At(120000), At(180000), At(240000, "last")};
    list.show();
    list.SelectLine(3);
    ConfirmEditorAt(0, 10);
    list.EditEventBtn->click();
    EXPECT_EQ(Times(), (std::vector<std::int32_t>{10000, 60000, 120000, 180000}));
    EXPECT_EQ(document.Events[0].EventValue, "last");
    EXPECT_EQ(Selected(), 3);

    const auto before = document.Events;
    AnswerNextModal([this](QWidget*) { editor.close(); });
    list.EditEventBtn->click();
    EXPECT_EQ(document.Events, before) << "cancelled";
}

TEST_F(EventsList, DeletingSelectsTheFirstLineAndAnEmptyListIgnoresTheButtons) {
    document.Events = {At(1000, "a"), At(2000, "b"), At(3000, "c")};
    list.show();
    list.SelectLine(1);
    list.DeleteEventBtn->click();
    EXPECT_EQ(Times(), (std::vector<std::int32_t>{1000, 3000}));
    EXPECT_EQ(Selected(), 0);
    list.DeleteEventBtn->click();
    list.DeleteEventBtn->click();
    EXPECT_TRUE(document.Events.empty());
    list.DeleteEventBtn->click();
    list.EditEventBtn->click(); // would wait for an editor if it opened one
    EXPECT_EQ(Selected(), -1);
}

TEST_F(EventsList, AnEventThatCannotBeLoadedIsNotOpened) {
    const std::vector<TSessionEvent> before = {
        {EventTypeName(EventKind::TextTransparency), 5000, "abc"}};
    document.Events = before;
    list.show();
    QStringList messages;
    AnswerMessagesOf(list, [&](const QString& text) { messages << text; });
    list.EditEventBtn->click();
    AnswerMessagesOf(list, {});
    EXPECT_EQ(messages, QStringList{"'abc' is not a valid integer value"});
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(document.Events, before);
}

} // namespace

} // namespace umbrascope
