#include "model/SessionState.h"
#include "model/Cp1251.h"
#include "model/EventCatalogue.h"
#include "model/PublishedState.h"
#include "model/SessionDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace umbrascope {

namespace {

TSessionEvent Event(EventKind kind, std::int32_t time, const std::string& value = "") {
    return {EventTypeName(kind), time, value};
}

class SessionState : public ::testing::Test {
protected:
    // The state in force at t, as the transport computes it from the document.
    std::optional<std::string> ComputeStateAt(std::int32_t t) {
        SessionStateAt state = StateAt(document.StartValues, document.Events, t);
        CurrentValues = std::move(state.values);
        return state.failure;
    }

    SessionDocument document;
    SessionValuesInForce CurrentValues;
};

} // namespace

TEST_F(SessionState, ResetGivesDefaultsAndAMatchingCurrentState) {
    document.SessionName = "x";
    document.ProjectFileName = "/tmp/a.usp";
    document.StartValues.VideoType = 3;
    document.StartValues.Waves = {".&03%0@50"};
    document.Events.push_back(Event(EventKind::TextOff, 5));
    document.ResetProject();
    ASSERT_FALSE(ComputeStateAt(0));
    EXPECT_EQ(document.SessionLength, 1800000);
    EXPECT_TRUE(document.ProjectFileName.empty());
    EXPECT_TRUE(document.SessionName.empty());
    EXPECT_TRUE(document.Events.empty());
    EXPECT_EQ(document.StartValues, TSessionValues{});
    EXPECT_EQ(static_cast<const SessionSettings&>(CurrentValues),
              static_cast<const SessionSettings&>(document.StartValues));
    EXPECT_TRUE(CurrentValues.Waves.empty());
    EXPECT_EQ(document.StartValues.FontName, "Arial");
    EXPECT_EQ(document.StartValues.SpiralSpeed, 88);
    EXPECT_EQ(document.StartValues.LinesBackColor, 0xF0CAA6u);
}

TEST_F(SessionState, StartTracksJoinAtTimeZeroAndEventsApplyOnlyBeforeTheTime) {
    document.StartValues.Waves = {".&01%8@260@100", "/music/a.wav"};
    document.InsertEvent(Event(EventKind::VideoType, 60000, "3"));
    ASSERT_FALSE(ComputeStateAt(60000));
    EXPECT_EQ(CurrentValues.VideoType, 1);
    ASSERT_FALSE(ComputeStateAt(60001));
    EXPECT_EQ(CurrentValues.VideoType, 3);
    ASSERT_EQ(CurrentValues.Waves.size(), 2u);
    EXPECT_EQ(CurrentValues.Waves[1], (TWaveEntry{"/music/a.wav", 0}));
}

TEST_F(SessionState, LaterAddedEventAtTheSameTimeWins) {
    document.InsertEvent(Event(EventKind::TextColor, 1000, "255"));
    document.InsertEvent(Event(EventKind::TextColor, 1000, "16777215"));
    ASSERT_FALSE(ComputeStateAt(1001));
    EXPECT_EQ(CurrentValues.TextColor, 0xFFFFFFu);
}

TEST_F(SessionState, ValuesAreCutToTheFieldWidth) {
    document.InsertEvent(Event(EventKind::TextTransparency, 10, "300"));
    document.InsertEvent(Event(EventKind::SpiralWidth, 10, "70000"));
    document.InsertEvent(Event(EventKind::TextColor, 10, "-1"));
    document.InsertEvent(Event(EventKind::FlickerFreq, 10, "08000"));
    ASSERT_FALSE(ComputeStateAt(11));
    EXPECT_EQ(CurrentValues.Transparency, 44);
    EXPECT_EQ(CurrentValues.SpiralWidth, 70000 - 65536);
    EXPECT_EQ(CurrentValues.TextColor, 0xFFFFFFFFu);
    EXPECT_EQ(CurrentValues.FlickerFreq, 8000);
}

TEST_F(SessionState, SwitchAndTextEventsSetTheirFields) {
    document.InsertEvent(Event(EventKind::TextOff, 1));
    document.InsertEvent(Event(EventKind::OutlineOff, 1));
    document.InsertEvent(Event(EventKind::AudioOff, 1));
    document.InsertEvent(Event(EventKind::VideoOff, 1));
    document.InsertEvent(Event(EventKind::TextFont, 1, "Courier New"));
    document.InsertEvent(Event(EventKind::PhraseFile, 1, "C:\\texts\\a.txt"));
    document.InsertEvent(Event(EventKind::Undefined, 1, "anything"));
    document.Events.push_back({"Not a type", 1, "1"});
    ASSERT_FALSE(ComputeStateAt(2));
    EXPECT_FALSE(CurrentValues.TextEnabled);
    EXPECT_FALSE(CurrentValues.OutlineEnabled);
    EXPECT_FALSE(CurrentValues.AudioEnabled);
    EXPECT_FALSE(CurrentValues.VideoEnabled);
    EXPECT_EQ(CurrentValues.FontName, "Courier New");
    EXPECT_EQ(CurrentValues.PhraseFile, "C:\\texts\\a.txt");
    document.InsertEvent(Event(EventKind::TextOn, 5));
    document.InsertEvent(Event(EventKind::AudioOn, 5));
    ASSERT_FALSE(ComputeStateAt(6));
    EXPECT_TRUE(CurrentValues.TextEnabled);
    EXPECT_TRUE(CurrentValues.AudioEnabled);
}

TEST_F(SessionState, AddingTwiceAndRemovingOnceKeepsTheLaterEntry) {
    const std::string track = Cp1251Literal("C:\\Звуки\\Rain.mp3");
    document.InsertEvent(Event(EventKind::AddTrack, 1000, track));
    document.InsertEvent(Event(EventKind::AddTrack, 2000, track));
    document.InsertEvent(Event(EventKind::RemoveTrack, 3000, Cp1251Literal("c:\\звуки\\rain.MP3")));
    document.InsertEvent(Event(EventKind::RemoveTrack, 3000, ""));
    document.InsertEvent(Event(EventKind::RemoveTrack, 3000, "nothing like it"));
    ASSERT_FALSE(ComputeStateAt(5000));
    ASSERT_EQ(CurrentValues.Waves.size(), 1u);
    EXPECT_EQ(CurrentValues.Waves[0], (TWaveEntry{track, 2000}));
}

TEST_F(SessionState, AnInvalidIntegerStopsTheComputationKeepingWhatWasSet) {
    document.InsertEvent(Event(EventKind::VideoType, 10, "2"));
    document.InsertEvent(Event(EventKind::AudioVolume, 20, "loud"));
    document.InsertEvent(Event(EventKind::TextPosition, 30, "7"));
    const auto error = ComputeStateAt(100);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "'loud' is not a valid integer value");
    EXPECT_EQ(CurrentValues.VideoType, 2);
    EXPECT_EQ(CurrentValues.AudioVolume, 100);
    EXPECT_EQ(CurrentValues.TextPosition, 5);
    EXPECT_EQ(document.Events.size(), 3u);
    EXPECT_EQ(ComputeStateAt(20), std::nullopt);
}

TEST(EventIntegers, AcceptBlanksSignsAndHexPrefixes) {
    EXPECT_EQ(ParseEventInteger("42"), 42);
    EXPECT_EQ(ParseEventInteger("  -7"), -7);
    EXPECT_EQ(ParseEventInteger("+13"), 13);
    EXPECT_EQ(ParseEventInteger("$FF"), 255);
    EXPECT_EQ(ParseEventInteger("0x10"), 16);
    EXPECT_EQ(ParseEventInteger("0XfF"), 255);
    EXPECT_EQ(ParseEventInteger("-$10"), -16);
    EXPECT_EQ(ParseEventInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(ParseEventInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseEventInteger("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseEventInteger("00002000"), 2000);
}

TEST(EventIntegers, RefuseEverythingElse) {
    for (const char* bad : {"", " ", "-", "$", "0x", "12 ", "1.5", "1e3", "abc", "2147483648",
                            "-2147483649", "$100000000", "0x1G", "--1", "\t1"})
        EXPECT_EQ(ParseEventInteger(bad), std::nullopt) << '"' << bad << '"';
}

TEST(PublishedState, IsReadWholeAndInOrderFromAnotherThread) {
    // State n has n tracks modulo 7 and a font name and tracks that name n, so a state read
    // half replaced, or an older one after a newer, shows.
    const auto font = [](int n) {
        return std::string(24 + n % 7 * 8, static_cast<char>('a' + n % 7));
    };
    const auto track = [](int n) { return ".&03%0@" + std::to_string(n); };
    constexpr int Last = 300;
    const auto published = std::make_shared<PublishedState>();
    TSessionValues start;
    std::atomic<bool> written{false};
    std::thread reader([&] {
        int previous = 0;
        while (previous < Last) {
            const bool allWritten = written;
            const auto view = published->CurrentValues();
            const int n = view->PhraseInterval - 1000;
            const bool whole =
                n == 0 ||
                (view->FontName == font(n) &&
                 view->Waves.size() == static_cast<std::size_t>(n % 7) &&
                 std::all_of(view->Waves.begin(), view->Waves.end(),
                             [&](const TWaveEntry& wave) { return wave.Track == track(n); }));
            if (!whole || n < previous || (allWritten && n != Last)) {
                ADD_FAILURE() << "state " << n << " read after " << previous
                              << (whole ? "" : ", not whole");
                return;
            }
            previous = n;
        }
    });
    for (int n = 1; n <= Last; ++n) {
        start.PhraseInterval = 1000 + n;
        start.FontName = font(n);
        start.Waves.assign(static_cast<std::size_t>(n % 7), track(n));
        published->Publish(StateAt(start, {}, 0).values);
    }
    written = true;
    reader.join();
}

TEST(SessionDocument, TwoDocumentsSideBySideShareNothing) {
    SessionDocument first;
    SessionDocument second;
    first.SessionName = "first";
    first.InsertEvent(Event(EventKind::VideoType, 1000, "3"));
    const Session before = first.Contents();
    first.StartValues.AudioVolume = 40;
    first.RecordEdit(UserText::Verbatim("Громкость"), before);

    Session opened;
    opened.SessionLength = 600000;
    opened.StartValues.VideoType = 2;
    second.ReplaceSession(opened, "/projects/second.usp");

    EXPECT_EQ(first.SessionName, "first");
    EXPECT_EQ(first.SessionLength, DefaultSessionLength);
    EXPECT_EQ(first.Events.size(), 1u);
    EXPECT_TRUE(first.History().CanUndo());
    EXPECT_TRUE(first.ProjectFileName.empty());

    EXPECT_EQ(second.Contents(), opened);
    EXPECT_FALSE(second.History().CanUndo());

    first.Undo();
    EXPECT_EQ(first.StartValues.AudioVolume, 100);
    EXPECT_EQ(second.StartValues.AudioVolume, 100);
    EXPECT_EQ(second.Contents(), opened);
}

} // namespace umbrascope
