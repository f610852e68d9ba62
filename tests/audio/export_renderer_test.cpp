// The offline render of a session's sound: which tracks play when, and what the mix holds.

#include "SignalMeasure.h"
#include "audio/export/SessionExport.h"
#include "model/Cp1251.h"
#include "model/EventCatalogue.h"
#include "model/Session.h"
#include "model/SessionState.h"
#include "tests/model/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace umbrascope {

namespace {

constexpr int Rate = 44100;

double Frequency(const std::vector<std::int16_t>& stereo, int channel, std::size_t firstFrame,
                 std::size_t frames) {
    return CrossingFrequency([&](std::size_t i) { return stereo[i * 2 + channel]; }, firstFrame,
                             firstFrame + frames, Rate);
}

int Peak(const std::vector<std::int16_t>& stereo, std::size_t firstFrame, std::size_t frames) {
    int peak = 0;
    for (std::size_t i = firstFrame * 2; i < (firstFrame + frames) * 2; ++i)
        peak = std::max(peak, std::abs(static_cast<int>(stereo[i])));
    return peak;
}

class SessionExport : public ::testing::Test {
protected:
    SessionExport() { session.SessionLength = 60000; }

    std::vector<std::int16_t> RenderAll(std::int32_t from, std::int32_t to, int rate = Rate) {
        SessionRenderer renderer(session, "", from, to, rate);
        std::vector<std::int16_t> out(renderer.TotalFrames() * 2);
        std::size_t done = 0;
        while (const std::size_t frames = renderer.Render(out.data() + done * 2, 10000))
            done += frames;
        EXPECT_EQ(done, renderer.TotalFrames());
        return out;
    }

    void AddEvent(EventKind kind, std::int32_t time, const std::string& value = "") {
        InsertEvent(session.Events, {EventTypeName(kind), time, value});
    }

    Session session;
};

} // namespace

TEST_F(SessionExport, ABinauralTrackGives260HzLeftAnd268HzRight) {
    session.StartValues.Waves = {".&01%8@260@100"};
    const auto out = RenderAll(0, 10000);
    EXPECT_NEAR(Frequency(out, 0, 0, Rate * 10), 260.0, 0.2);
    EXPECT_NEAR(Frequency(out, 1, 0, Rate * 10), 268.0, 0.2);
    EXPECT_GT(Peak(out, 0, Rate), 32000);
}

TEST_F(SessionExport, ATrackAddedByAnEventBeginsAtItsSampleAndARemovalEndsIt) {
    AddEvent(EventKind::AddTrack, 10000, ".&04%1000@0@100");
    AddEvent(EventKind::RemoveTrack, 12000, ".&04%1000@0@100");
    const auto out = RenderAll(0, 13000);
    const std::size_t start = 441000, end = 529200;
    EXPECT_EQ(Peak(out, 0, start), 0) << "nothing before 0:10";
    EXPECT_GT(Peak(out, start, 2), 0) << "sound within one sample of 0:10";
    EXPECT_NEAR(Frequency(out, 0, start, end - start), 1000.0, 0.2);
    EXPECT_EQ(Peak(out, end, out.size() / 2 - end), 0) << "silence from the removal on";
}

TEST_F(SessionExport, AudioOffGivesDigitalSilenceAndVolumeScalesTheLevel) {
    session.StartValues.Waves = {".&04%500@0@100"};
    AddEvent(EventKind::AudioVolume, 2000, "50");
    AddEvent(EventKind::AudioOff, 4000);
    AddEvent(EventKind::AudioOn, 6000);
    AddEvent(EventKind::AudioVolume, 6000, "200");
    const auto out = RenderAll(0, 8000);
    const int full = Peak(out, 0, 2 * Rate);
    EXPECT_GT(full, 32000);
    EXPECT_NEAR(Peak(out, 2 * Rate, 2 * Rate), full / 2.0, full * 0.01);
    EXPECT_EQ(Peak(out, 4 * Rate, 2 * Rate), 0);
    EXPECT_EQ(Peak(out, 6 * Rate, 2 * Rate), full) << "volume above 100 is applied as 100";
}

TEST_F(SessionExport, AMasterVolumeAbove100SoundsAsFullVolume) {
    // A quiet track, so that a level above full would show instead of being cut.
    session.StartValues.Waves = {".&04%500@0@40"};
    const auto full = RenderAll(0, 1000);
    session.StartValues.AudioVolume = 150;
    EXPECT_EQ(RenderAll(0, 1000), full);
}

TEST_F(SessionExport, TheMixSaturatesInsteadOfWrapping) {
    session.StartValues.Waves = {".&04%500@0@100", ".&04%500@0@100"};
    SessionRenderer renderer(session, "", 0, 1000, Rate);
    std::vector<std::int16_t> out(renderer.TotalFrames() * 2);
    renderer.Render(out.data(), renderer.TotalFrames());
    EXPECT_EQ(*std::max_element(out.begin(), out.end()), 32767);
    EXPECT_EQ(*std::min_element(out.begin(), out.end()), -32768);
    EXPECT_GT(renderer.ClippedSamples(), 0u);
    for (std::size_t i = 1; i < out.size() / 2; ++i)
        ASSERT_LT(std::abs(out[i * 2] - out[(i - 1) * 2]), 20000) << "no wrap at frame " << i;
}

TEST_F(SessionExport, ExportingFromAPositionStartsTheTracksThePlayWouldStart) {
    session.StartValues.Waves = {".&03%0@10"};
    AddEvent(EventKind::AddTrack, 0, ".&01%8@260@100");
    AddEvent(EventKind::AddTrack, 5000, ".&04%100@1@100");
    AddEvent(EventKind::AddTrack, 5000, ".&04%100@1@100");
    AddEvent(EventKind::RemoveTrack, 7000, ".&04%100@1@100");
    AddEvent(EventKind::TextPosition, 7000, "not a number");
    {
        SessionRenderer fromStart(session, "", 0, 1000, Rate);
        EXPECT_EQ(fromStart.PlayingTracks(), (std::vector<std::string>{".&03%0@10"}));
        std::vector<std::int16_t> out(2000);
        fromStart.Render(out.data(), 1000);
        EXPECT_EQ(fromStart.PlayingTracks(),
                  (std::vector<std::string>{".&03%0@10", ".&01%8@260@100"}))
            << "an event at the start position takes effect";
    }
    SessionRenderer fromSix(session, "", 6000, 9000, Rate);
    EXPECT_EQ(fromSix.PlayingTracks().size(), 4u);
    std::vector<std::int16_t> out(fromSix.TotalFrames() * 2);
    fromSix.Render(out.data(), fromSix.TotalFrames());
    EXPECT_EQ(fromSix.PlayingTracks().size(), 3u) << "the removal stops one of the two";
    ASSERT_EQ(fromSix.Problems().size(), 1u);
    EXPECT_EQ(fromSix.Problems()[0].Text(), "'not a number' is not a valid integer value");
}

TEST_F(SessionExport, TracksThatCannotPlayAreLeftOutAndTheExportFinishes) {
    ScratchFolder folder;
    const auto notSound = folder.Write("noise.wav", "RIFF....WAVEjunk");
    session.StartValues.Waves = {"/no/such/file.mp3", ModelPath(notSound), "just text",
                                 ".&04%500@0@100"};
    const auto out = RenderAll(0, 2000);
    EXPECT_NEAR(Frequency(out, 0, 0, 2 * Rate), 500.0, 0.5);
    SessionRenderer renderer(session, "", 0, 2000, Rate);
    EXPECT_EQ(
        renderer.LeftOut(),
        (std::vector<std::string>{"/no/such/file.mp3 (not found)",
                                  ModelPath(notSound) + " (not a sound file that can be played)",
                                  "just text (not found)"}));
}

TEST_F(SessionExport, AnEmptyStretchRendersNothing) {
    SessionRenderer renderer(session, "", 5000, 5000, Rate);
    EXPECT_EQ(renderer.TotalFrames(), 0u);
    std::int16_t out[2];
    EXPECT_EQ(renderer.Render(out, 1), 0u);
}

TEST_F(SessionExport, TwoNoiseTracksAreTwoDifferentNoises) {
    session.StartValues.Waves = {".&03%0@100"};
    const auto one = RenderAll(0, 500);
    session.StartValues.Waves = {".&03%0@50", ".&03%0@50"};
    const auto two = RenderAll(0, 500);
    int same = 0;
    for (std::size_t i = 0; i < one.size(); ++i)
        same += std::abs(one[i] - two[i]) <= 2 ? 1 : 0;
    EXPECT_LT(same, static_cast<int>(one.size() / 10)) << "two halves of one noise sum to it";
}

TEST_F(SessionExport, TracksAtOnceAreCappedAndTimesFromAFileCannotOverflow) {
    session.StartValues.Waves.assign(EventPlayhead::MaxPlayingTracks + 10, ".&04%500@0@1");
    AddEvent(EventKind::AddTrack, std::numeric_limits<std::int32_t>::min(), ".&04%500@0@1");
    SessionRenderer renderer(session, "", 1000, 2000, Rate);
    EXPECT_EQ(renderer.PlayingTracks().size(), EventPlayhead::MaxPlayingTracks);
    EXPECT_EQ(renderer.Problems().size(), 1u) << "the cap is reported once";
}

TEST_F(SessionExport, DitherMovesSamplesByOneAtMostAndNeverTouchesSilence) {
    session.StartValues.Waves = {".&04%500@1@50"};
    AddEvent(EventKind::RemoveTrack, 500, ".&04%500@1@50");
    const auto render = [this](bool dither) {
        SessionRenderer renderer(session, "", 0, 1000, Rate, {16, dither});
        std::vector<std::int16_t> out(renderer.TotalFrames() * 2);
        renderer.Render(out.data(), renderer.TotalFrames());
        return out;
    };
    const auto dithered = render(true), plain = render(false);
    int moved = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        ASSERT_LE(std::abs(dithered[i] - plain[i]), 1) << i;
        moved += dithered[i] != plain[i];
    }
    EXPECT_GT(moved, 2000) << "the dither is there";
    EXPECT_EQ(Peak(dithered, Rate / 2, Rate / 2), 0) << "no track: exact zeros";
    for (std::size_t i = 0; i < dithered.size(); i += 2)
        ASSERT_EQ(dithered[i + 1], 0) << "the silent side stays exact zeros, frame " << i / 2;
}

} // namespace umbrascope
