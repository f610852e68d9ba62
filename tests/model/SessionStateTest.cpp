#include "model/SessionState.h"
#include "model/Common.h"
#include "model/Cp1251.h"
#include "model/EventCatalogue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TSessionEvent Event(EventKind kind, std::int32_t time, const std::string& value = "") {
    return {EventTypeName(kind), time, value};
}

class SessionState : public ::testing::Test {
protected:
    void SetUp() override { ResetProject(); }
};

} // namespace

TEST_F(SessionState, ResetGivesDefaultsAndAMatchingCurrentState) {
    SessionName = "x";
    ProjectFileName = "/tmp/a.usp";
    StartValues.VideoType = 3;
    StartValues.Waves = {".&03%0@50"};
    Events.push_back(Event(EventKind::TextOff, 5));
    SessionPosition = 700;
    ResetProject();
    EXPECT_EQ(SessionLength, 1800000);
    EXPECT_TRUE(ProjectFileName.empty());
    EXPECT_TRUE(SessionName.empty());
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(SessionPosition, 0);
    EXPECT_EQ(StartValues, TSessionValues{});
    EXPECT_EQ(static_cast<const TSessionSettings&>(CurrentValues),
              static_cast<const TSessionSettings&>(StartValues));
    EXPECT_TRUE(CurrentValues.Waves.empty());
    EXPECT_EQ(StartValues.FontName, "Arial");
    EXPECT_EQ(StartValues.SpiralSpeed, 88);
    EXPECT_EQ(StartValues.LinesBackColor, 0xF0CAA6u);
    EXPECT_EQ(*CurrentValuesView(), CurrentValues);
}

TEST_F(SessionState, StartTracksJoinAtTimeZeroAndEventsApplyOnlyBeforeTheTime) {
    StartValues.Waves = {".&01%8@260@100", "/music/a.wav"};
    InsertEvent(Event(EventKind::VideoType, 60000, "3"));
    ASSERT_FALSE(ComputeStateAt(60000));
    EXPECT_EQ(CurrentValues.VideoType, 1);
    ASSERT_FALSE(ComputeStateAt(60001));
    EXPECT_EQ(CurrentValues.VideoType, 3);
    ASSERT_EQ(CurrentValues.Waves.size(), 2u);
    EXPECT_EQ(CurrentValues.Waves[1], (TWaveEntry{"/music/a.wav", 0}));
}

TEST_F(SessionState, LaterAddedEventAtTheSameTimeWins) {
    InsertEvent(Event(EventKind::TextColor, 1000, "255"));
    InsertEvent(Event(EventKind::TextColor, 1000, "16777215"));
    ASSERT_FALSE(ComputeStateAt(1001));
    EXPECT_EQ(CurrentValues.TextColor, 0xFFFFFFu);
}

TEST_F(SessionState, ValuesAreCutToTheFieldWidth) {
    InsertEvent(Event(EventKind::TextTransparency, 10, "300"));
    InsertEvent(Event(EventKind::SpiralWidth, 10, "70000"));
    InsertEvent(Event(EventKind::TextColor, 10, "-1"));
    InsertEvent(Event(EventKind::FlickerFreq, 10, "08000"));
    ASSERT_FALSE(ComputeStateAt(11));
    EXPECT_EQ(CurrentValues.Transparency, 44);
    EXPECT_EQ(CurrentValues.SpiralWidth, 70000 - 65536);
    EXPECT_EQ(CurrentValues.TextColor, 0xFFFFFFFFu);
    EXPECT_EQ(CurrentValues.FlickerFreq, 8000);
}

TEST_F(SessionState, SwitchAndTextEventsSetTheirFields) {
    InsertEvent(Event(EventKind::TextOff, 1));
    InsertEvent(Event(EventKind::OutlineOff, 1));
    InsertEvent(Event(EventKind::AudioOff, 1));
    InsertEvent(Event(EventKind::VideoOff, 1));
    InsertEvent(Event(EventKind::TextFont, 1, "Courier New"));
    InsertEvent(Event(EventKind::PhraseFile, 1, "C:\\texts\\a.txt"));
    InsertEvent(Event(EventKind::Undefined, 1, "anything"));
    Events.push_back({"Not a type", 1, "1"});
    ASSERT_FALSE(ComputeStateAt(2));
    EXPECT_FALSE(CurrentValues.TextEnabled);
    EXPECT_FALSE(CurrentValues.OutlineEnabled);
    EXPECT_FALSE(CurrentValues.AudioEnabled);
    EXPECT_FALSE(CurrentValues.VideoEnabled);
    EXPECT_EQ(CurrentValues.FontName, "Courier New");
    EXPECT_EQ(CurrentValues.PhraseFile, "C:\\texts\\a.txt");
    InsertEvent(Event(EventKind::TextOn, 5));
    InsertEvent(Event(EventKind::AudioOn, 5));
    ASSERT_FALSE(ComputeStateAt(6));
    EXPECT_TRUE(CurrentValues.TextEnabled);
    EXPECT_TRUE(CurrentValues.AudioEnabled);
}

TEST_F(SessionState, AddingTwiceAndRemovingOnceKeepsTheLaterEntry) {
    const std::string track = Cp1251Literal("C:\\Звуки\\Rain.mp3");
    InsertEvent(Event(EventKind::AddTrack, 1000, track));
    InsertEvent(Event(EventKind::AddTrack, 2000, track));
    InsertEvent(Event(EventKind::RemoveTrack, 3000, Cp1251Literal("c:\\звуки\\rain.MP3")));
    InsertEvent(Event(EventKind::RemoveTrack, 3000, ""));
    InsertEvent(Event(EventKind::RemoveTrack, 3000, "nothing like it"));
    ASSERT_FALSE(ComputeStateAt(5000));
    ASSERT_EQ(CurrentValues.Waves.size(), 1u);
    EXPECT_EQ(CurrentValues.Waves[0], (TWaveEntry{track, 2000}));
}

TEST_F(SessionState, AnInvalidIntegerStopsTheComputationKeepingWhatWasSet) {
    InsertEvent(Event(EventKind::VideoType, 10, "2"));
    InsertEvent(Event(EventKind::AudioVolume, 20, "loud"));
    InsertEvent(Event(EventKind::TextPosition, 30, "7"));
    const auto error = ComputeStateAt(100);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "'loud' is not a valid integer value");
    EXPECT_EQ(CurrentValues.VideoType, 2);
    EXPECT_EQ(CurrentValues.AudioVolume, 100);
    EXPECT_EQ(CurrentValues.TextPosition, 5);
    EXPECT_EQ(Events.size(), 3u);
    EXPECT_EQ(*CurrentValuesView(), CurrentValues);
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

TEST_F(SessionState, PublishedStateIsReadSafelyFromAnotherThread) {
    std::atomic<bool> done{false};
    std::thread reader([&] {
        int seen = 0;
        while (!done) {
            const auto view = CurrentValuesView();
            seen += view->FontName.size() > 0 ? 1 : 0;
            seen += view->Waves.size() < 1000 ? 1 : 0;
        }
        EXPECT_GE(seen, 0);
    });
    for (int i = 0; i < 300; ++i) {
        StartValues.FontName = i % 2 ? "Arial" : "A much longer font name that needs the heap";
        StartValues.Waves.assign(static_cast<std::size_t>(i % 7), ".&03%0@100");
        (void)ComputeStateAt(0);
    }
    done = true;
    reader.join();
}
