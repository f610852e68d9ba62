// Undo and redo: every step comes back exactly, a step costs what it touched even on a long
// event list, and the history knows when the session matches its file.

#include "model/EditHistory.h"
#include "model/Common.h"
#include "model/SessionState.h"

#include <gtest/gtest.h>

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
    void SetUp() override { ResetProject(); }

    // A step as the main window records one: the session before, the edit, the session after.
    void Edit(const std::string& name) {
        const Session before = OpenSession();
        SessionName = name;
        history.Record(name, SessionChange::Between(before, OpenSession()));
    }

    EditHistory history;
};

TEST_F(History, KnowsWhenTheSessionMatchesItsFile) {
    EXPECT_FALSE(history.Modified());
    Edit("a");
    Edit("b");
    EXPECT_TRUE(history.Modified());
    EXPECT_EQ(history.UndoName(), "b");
    history.Undo();
    history.Undo();
    EXPECT_EQ(SessionName, "");
    EXPECT_FALSE(history.Modified());

    history.Redo();
    history.MarkSaved();
    history.Undo();
    EXPECT_TRUE(history.Modified());
    Edit("c"); // drops the saved step that could have been redone
    EXPECT_FALSE(history.CanRedo());
    history.Undo();
    EXPECT_TRUE(history.Modified());
}

TEST_F(History, KeepsTheLastHundredSteps) {
    for (int i = 0; i <= 100; ++i)
        Edit(std::to_string(i));
    EXPECT_EQ(history.Steps(), EditHistory::MaxSteps);
    while (history.CanUndo())
        history.Undo();
    EXPECT_EQ(SessionName, "0"); // the first step fell out of the history
    EXPECT_TRUE(history.Modified());
}

} // namespace
