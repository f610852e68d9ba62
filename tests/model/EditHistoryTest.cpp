// Undo and redo: every step comes back exactly, a step costs what it touched even on a long
// event list, and the history knows when the session matches its file.

#include "model/EditHistory.h"
#include "model/SessionDocument.h"
#include "model/SessionState.h"

#include <gtest/gtest.h>

namespace umbrascope {

namespace {

Session LongSession() {
    Session session;
    for (std::int32_t i = 0; i < 100000; ++i)
        session.Events.push_back({"type", i * 10, std::to_string(i)});
    return session;
}

// Checks that the change between before and after undoes and redoes exactly.
void ExpectRoundTrip(const Session& before, const Session& after, const SessionChange& change) {
    Session session = after;
    change.Undo(session);
    EXPECT_EQ(session, before);
    change.Redo(session);
    EXPECT_EQ(session, after);
}

TEST(SessionChange, KeepsOnlyWhatTheStepTouched) {
    const Session before = LongSession();

    Session inserted = before;
    InsertEvent(inserted.Events, {"new", 500005, "x"});
    const auto insertion = SessionChange::Between(before, inserted);
    EXPECT_EQ(insertion.StoredEvents(), 1u);
    ExpectRoundTrip(before, inserted, insertion);

    Session rescaled = before;
    rescaled.SessionLength = 3600000;
    RescaleEventTimes(rescaled.Events, before.SessionLength, rescaled.SessionLength);
    const auto rescale = SessionChange::Between(before, rescaled);
    EXPECT_EQ(rescale.StoredEvents(), 0u); // times alone
    ExpectRoundTrip(before, rescaled, rescale);

    // A changed time taking the last event to the front, and the first to the end.
    for (const std::size_t moved : {before.Events.size() - 1, std::size_t{0}}) {
        Session resorted = before;
        resorted.Events[moved].EventTime = moved == 0 ? 2000000 : -1;
        ResortEvents(resorted.Events, moved);
        const auto move = SessionChange::Between(before, resorted);
        EXPECT_EQ(move.StoredEvents(), 2u);
        ExpectRoundTrip(before, resorted, move);
    }

    // Equal neighbours around the change must not be taken for the unchanged ends.
    Session small;
    small.Events = {{"a", 0, ""}, {"a", 0, ""}};
    Session fewer = small;
    fewer.Events.pop_back();
    fewer.StartValues.Waves = {".&04@440"};
    ExpectRoundTrip(small, fewer, SessionChange::Between(small, fewer));
    EXPECT_TRUE(SessionChange::Between(small, small).Empty());
}

class History : public ::testing::Test {
protected:
    // A step as the main window records one: the session before, the edit, the session after.
    void Edit(const std::string& name) {
        const Session before = document.Contents();
        document.SessionName = name;
        document.RecordEdit(UserText::Verbatim(name), before);
    }

    SessionDocument document;
    const EditHistory& history = document.History();
};

TEST_F(History, KnowsWhenTheSessionMatchesItsFile) {
    EXPECT_FALSE(history.Modified());
    Edit("a");
    Edit("b");
    EXPECT_TRUE(history.Modified());
    EXPECT_EQ(history.UndoName().Text(), "b");
    document.Undo();
    document.Undo();
    EXPECT_EQ(document.SessionName, "");
    EXPECT_FALSE(history.Modified());

    document.Redo();
    document.Saved("/projects/a.usp");
    document.Undo();
    EXPECT_TRUE(history.Modified());
    Edit("c"); // drops the saved step that could have been redone
    EXPECT_FALSE(history.CanRedo());
    document.Undo();
    EXPECT_TRUE(history.Modified());

    // Another session in the document starts a history of its own, the same as its file.
    document.ReplaceSession(Session{}, "/projects/b.usp");
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.Modified());
}

TEST_F(History, KeepsTheLastHundredSteps) {
    for (int i = 0; i <= 100; ++i)
        Edit(std::to_string(i));
    EXPECT_EQ(history.Steps(), EditHistory::MaxSteps);
    while (history.CanUndo())
        document.Undo();
    EXPECT_EQ(document.SessionName, "0"); // the first step fell out of the history
    EXPECT_TRUE(history.Modified());
}

} // namespace

} // namespace umbrascope
