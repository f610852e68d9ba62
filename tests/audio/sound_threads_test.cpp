// The streaming loop and the track threads, played through the in-memory device so that each
// test decides when a buffer has been played.

#include "RecordedMessages.h"
#include "audio/device/MemoryAudioBackend.h"
#include "audio/sources/Tones.h"
#include "audio/tracks/PlayUtils.h"
#include "audio/tracks/StreamingLoop.h"
#include "model/Session.h"
#include "tests/common/SanitizerBuild.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

namespace umbrascope {

namespace {

using namespace std::chrono_literals;

constexpr std::size_t TestFrames = 64;

// Fills buffer k (counting from 1) with the sample value 100 * k on both channels, so a
// played buffer tells which fill it came from.
class CountingSource final : public TrackSource {
public:
    explicit CountingSource(bool reportsDeviceFailure = false)
        : reportsDeviceFailure_(reportsDeviceFailure) {}
    PcmFormat Format() const override { return {22050, 2, 16, 4}; }
    std::size_t BufferBytes() const override { return TestFrames * 4; }
    void Fill(std::uint8_t* buffer) override {
        const auto value = static_cast<std::int16_t>(100 * ++fills_);
        for (std::size_t i = 0; i < TestFrames * 2; ++i)
            std::memcpy(buffer + i * 2, &value, 2);
    }
    bool ReportsDeviceFailure() const override { return reportsDeviceFailure_; }
    int Fills() const { return fills_.load(); }

private:
    const bool reportsDeviceFailure_;
    std::atomic<int> fills_{0};
};

// The in-memory device plays at 22050 Hz, the counting source's own rate: its samples reach
// the device unconverted, as floats (1.0 = 32768).
std::int16_t FirstSample(const std::vector<float>& buffer) {
    return static_cast<std::int16_t>(buffer[0] * 32768);
}

bool AllZero(const std::vector<float>& buffer) {
    return std::all_of(buffer.begin(), buffer.end(), [](float sample) { return sample == 0; });
}

bool WaitFinished(const TrackHandle& track, std::chrono::milliseconds timeout) {
    const auto until = std::chrono::steady_clock::now() + timeout * SanitizerSlowdown;
    while (!track->Finished() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(5ms);
    return track->Finished();
}

class StreamingLoopTest : public ::testing::Test {
protected:
    StreamingLoopTest() { SetSound(true, 100); }
    ~StreamingLoopTest() override {
        threads.StopAndJoinAll();
        running = false;
        if (loop.joinable())
            loop.join();
    }

    // The test thread stands for the user-interface thread, the only one that publishes.
    void SetSound(bool enabled, std::uint8_t volume) {
        SessionValuesInForce values;
        values.AudioEnabled = enabled;
        values.AudioVolume = volume;
        state->Publish(values);
    }

    // The loop plays the fixture's source, which outlives it.
    void StartLoop() {
        loop = std::thread([this] { StreamTrack(source, running, *state, reports); });
    }

    std::shared_ptr<PcmQueue> FirstStream() {
        auto stream = device.Stream(0, 2s);
        EXPECT_TRUE(stream);
        return stream;
    }

    const std::shared_ptr<PublishedState> state = std::make_shared<PublishedState>();
    MemoryAudioBackend device;
    ScopedAudioBackend selected{device};
    const std::shared_ptr<RecordedMessages> messages = std::make_shared<RecordedMessages>();
    const std::shared_ptr<PlayReports> reports = std::make_shared<PlayReports>(messages);
    TrackThreads threads{reports};
    CountingSource source;
    std::atomic<bool> running{true};
    std::thread loop;
};

TEST_F(StreamingLoopTest, SoundSwitchedOffPlaysZerosWhileTheSourceRunsOn) {
    SetSound(false, 100);
    StartLoop();
    auto stream = FirstStream();
    for (int i = 0; i < 4; ++i) {
        const auto played = stream->ConsumeBuffer(2s);
        ASSERT_TRUE(played);
        EXPECT_TRUE(AllZero(*played));
    }
    SetSound(true, 100);
    // The two buffers already queued may still be silent; the next one carries sound from
    // where the source has got to, not from its start.
    std::int16_t heard = 0;
    for (int i = 0; i < 4 && heard == 0; ++i)
        heard = FirstSample(stream->ConsumeBuffer(2s).value());
    EXPECT_GE(heard, 500);
    running = false;
    while (stream->ConsumeBuffer(2s)) {
    }
}

TEST_F(StreamingLoopTest, MasterVolumeSetsTheLevelOfEveryBufferClampedAtFullScale) {
    for (const auto& [volume, expected] : std::vector<std::pair<std::uint8_t, std::int16_t>>{
             {0, 0}, {50, 50}, {100, 100}, {200, 100}}) {
        SetSound(true, volume);
        MemoryAudioBackend own;
        SetAudioBackend(&own);
        CountingSource counting;
        std::atomic<bool> go{true};
        std::thread track([&] { StreamTrack(counting, go, *state, reports); });
        auto stream = own.Stream(0, 2s);
        ASSERT_TRUE(stream);
        // The first buffer already plays at the master volume (its samples are 100).
        EXPECT_EQ(FirstSample(stream->ConsumeBuffer(2s).value()), expected) << int(volume);
        EXPECT_EQ(FirstSample(stream->ConsumeBuffer(2s).value()), 2 * expected) << int(volume);
        go = false;
        while (stream->ConsumeBuffer(2s)) {
        }
        track.join();
        SetAudioBackend(&device);
    }
    // The stored value stays as it was.
    EXPECT_EQ(state->CurrentValues()->AudioVolume, 200);
}

TEST_F(StreamingLoopTest, AVolumeChangeReachesAPlayingTrack) {
    StartLoop();
    auto stream = FirstStream();
    EXPECT_EQ(FirstSample(stream->ConsumeBuffer(2s).value()), 100);
    SetSound(true, 50);
    // At most the buffers queued before the change play at the old level.
    std::int16_t value = 0;
    int fill = 1;
    for (int i = 0; i < 4; ++i) {
        value = FirstSample(stream->ConsumeBuffer(2s).value());
        ++fill;
    }
    EXPECT_EQ(value, 50 * fill);
    running = false;
    while (stream->ConsumeBuffer(2s)) {
    }
}

TEST_F(StreamingLoopTest, AStopPlaysOutAtMostTheQueuedBuffers) {
    StartLoop();
    auto stream = FirstStream();
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(stream->ConsumeBuffer(2s));
    running = false;
    const int fillsAtStop = source.Fills();
    int playedAfterStop = 0;
    while (stream->ConsumeBuffer(2s))
        ++playedAfterStop;
    loop.join();
    EXPECT_LE(playedAfterStop, 2);
    EXPECT_LE(source.Fills(), fillsAtStop + 1);
    EXPECT_TRUE(stream->Closed());
}

TEST_F(StreamingLoopTest, AStopDuringOpeningPlaysTheFirstBufferOnly) {
    running = false;
    StartLoop();
    auto stream = FirstStream();
    const auto played = stream->ConsumeBuffer(2s);
    ASSERT_TRUE(played);
    EXPECT_EQ(FirstSample(*played), 100);
    EXPECT_FALSE(stream->ConsumeBuffer(2s));
    loop.join();
    EXPECT_EQ(source.Fills(), 1);
}

TEST_F(StreamingLoopTest, ADeviceThatStopsPlayingEndsTheTrack) {
    StartLoop();
    auto stream = FirstStream();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(stream->ConsumeBuffer(2s));
    // From here on nothing is played, as when the sound server dies.
    const auto silent = std::chrono::steady_clock::now();
    ASSERT_TRUE(stream->WaitClosed(5s));
    loop.join();
    EXPECT_LT(std::chrono::steady_clock::now() - silent, 2s * SanitizerSlowdown);
    EXPECT_LE(source.Fills(), 5);
}

TEST_F(StreamingLoopTest, ADeviceThatNeverStartsEndsTheTrack) {
    StartLoop();
    auto stream = FirstStream();
    const auto began = std::chrono::steady_clock::now();
    ASSERT_TRUE(stream->WaitClosed(8s));
    loop.join();
    // A new stream is given a few seconds to start.
    EXPECT_LT(std::chrono::steady_clock::now() - began, 5s * SanitizerSlowdown);
    EXPECT_EQ(source.Fills(), 2);
}

TEST_F(StreamingLoopTest, AStopIsNotHeldUpByADeviceThatPlaysNothing) {
    StartLoop();
    ASSERT_TRUE(FirstStream());
    std::this_thread::sleep_for(100ms);
    const auto stopped = std::chrono::steady_clock::now();
    running = false;
    loop.join();
    // Not the seconds a new device is given to start: a short wait for the queued sound.
    EXPECT_LT(std::chrono::steady_clock::now() - stopped, 500ms * SanitizerSlowdown);
}

TEST_F(StreamingLoopTest, ARefusedDeviceIsReportedOnlyBySourcesThatAskForIt) {
    device.SetOpenFails(true);
    CountingSource quiet;
    StreamTrack(quiet, running, *state, reports);
    EXPECT_TRUE(messages->Shown().empty());
    EXPECT_EQ(quiet.Fills(), 0);

    CountingSource file(true);
    StreamTrack(file, running, *state, reports);
    EXPECT_EQ(messages->Shown(), std::vector<std::string>{"Ошибка аудиоустройства"});

    const TrackHandle tone = threads.Start(state, ".&01%8@260@100", 0);
    EXPECT_TRUE(WaitFinished(tone, 2s));
    EXPECT_EQ(messages->Shown().size(), 1u);
    EXPECT_EQ(device.StreamsOpened(), 0u);
}

TEST_F(StreamingLoopTest, DescriptorsThatPlayNothingEndTheirThreadAtOnce) {
    std::vector<TrackHandle> tracks;
    for (const char* descriptor :
         {".&05%8@260@100", "/music/song.ogg", ".&01%8@260", ".&04%333@", "", "/music/a.wav"})
        tracks.push_back(threads.Start(state, descriptor, 0));
    for (const auto& track : tracks)
        EXPECT_TRUE(WaitFinished(track, 2s)) << track->Descriptor;
    EXPECT_EQ(device.StreamsOpened(), 0u);
    EXPECT_TRUE(messages->Shown().empty());
    threads.ReclaimFinished();
    EXPECT_EQ(threads.Count(), 0u);
}

TEST_F(StreamingLoopTest, ATrackThreadPlaysItsGeneratorInTheFixedFormat) {
    const TrackHandle track = threads.Start(state, ".&04%333@1@50", 1234);
    EXPECT_EQ(track->Descriptor, ".&04%333@1@50");
    EXPECT_EQ(track->StartOffset, 1234);
    auto stream = FirstStream();
    EXPECT_EQ(stream->TrackFormat(), (PcmFormat{22050, 2, 16, 4}));
    ToneParams params = *ParseToneDescriptor(".&04%333@1@50");
    std::vector<std::uint8_t> bytes(ToneBufferBytes);
    std::vector<float> expected(ToneFramesPerBuffer * 2);
    for (int i = 0; i < 3; ++i) {
        FillToneBuffer(params, bytes.data());
        for (std::size_t k = 0; k < expected.size(); ++k)
            expected[k] =
                static_cast<std::int16_t>(bytes[k * 2] | bytes[k * 2 + 1] << 8) / 32768.0f;
        EXPECT_EQ(stream->ConsumeBuffer(2s).value(), expected) << i;
    }
    StopTrackThread(track);
    while (stream->ConsumeBuffer(2s)) {
    }
    EXPECT_TRUE(WaitFinished(track, 2s));
}

TEST_F(StreamingLoopTest, StoppingOneOfTwoEqualTracksLeavesTheOtherPlaying) {
    const TrackHandle first = threads.Start(state, ".&03%0@100", 0);
    const TrackHandle second = threads.Start(state, ".&03%0@100", 0);
    auto a = device.Stream(0, 2s);
    auto b = device.Stream(1, 2s);
    ASSERT_TRUE(a && b);
    const auto fromA = a->ConsumeBuffer(2s).value();
    EXPECT_EQ(b->ConsumeBuffer(2s).value(), fromA); // each from its own generator
    StopTrackThread(second);
    // Which stream belongs to which thread depends on who opened first: play both until one
    // of them closes.
    for (int i = 0; i < 20 && !a->Closed() && !b->Closed(); ++i) {
        a->ConsumeBuffer(100ms);
        b->ConsumeBuffer(100ms);
    }
    ASSERT_NE(a->Closed(), b->Closed());
    const auto playing = a->Closed() ? b : a;
    EXPECT_TRUE(WaitFinished(second, 2s));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(playing->ConsumeBuffer(2s));
    EXPECT_FALSE(first->Finished());
    // The finished one is reclaimed without touching the playing one.
    threads.ReclaimFinished();
    EXPECT_EQ(threads.Count(), 1u);
    threads.StopAll();
    while (playing->ConsumeBuffer(2s)) {
    }
    EXPECT_TRUE(WaitFinished(first, 2s));
}

TEST_F(StreamingLoopTest, APlayerThatGoesDoesNotWaitForTracksPlayingOutAfterAStop) {
    // The window closed while its session played: Stop began the play-out, then the window's
    // tracks are joined, and another player's track plays on.
    TrackThreads other;
    const TrackHandle elsewhere = other.Start(state, ".&01%8@260@100", 0);
    ASSERT_TRUE(device.Stream(0, 2s));
    for (int i = 0; i < 2; ++i)
        threads.Start(state, ".&01%8@260@100", 0);
    ASSERT_TRUE(device.Stream(2, 2s));
    threads.StopAll();
    std::this_thread::sleep_for(50ms);
    const auto asked = std::chrono::steady_clock::now();
    threads.StopAndJoinAll();
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 300ms * SanitizerSlowdown);
    EXPECT_TRUE(elsewhere->Running);
    EXPECT_FALSE(elsewhere->Finished());
}

TEST_F(StreamingLoopTest, ProgramExitStopsAndJoinsEveryTrackWithoutPlayingOutItsSound) {
    std::vector<TrackHandle> tracks;
    for (int i = 0; i < 4; ++i)
        tracks.push_back(threads.Start(state, ".&01%8@260@100", 0));
    ASSERT_TRUE(device.Stream(3, 2s));
    // The device plays nothing: a play-out would wait two buffers and its margin, 572 ms.
    const auto asked = std::chrono::steady_clock::now();
    threads.StopAndJoinAll();
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 300ms * SanitizerSlowdown);
    EXPECT_EQ(threads.Count(), 0u);
    for (const auto& track : tracks)
        EXPECT_TRUE(track->Finished());
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(device.Stream(i, 0ms)->Closed());
}

TEST(PcmQueueTest, PlaysMonoTwentyFourBitsOnBothSidesAndKeepsFramesWhole) {
    PcmQueue queue({8000, 1, 24, 3}, 8000);
    const std::uint8_t samples[] = {0x00, 0x00, 0x40, 0x00, 0x00, 0xC0, 0x00};
    queue.Push(samples, 7); // the seventh byte waits for the rest of its sample
    EXPECT_EQ(queue.ConsumeBuffer(0ms).value(), (std::vector<float>{0.5f, 0.5f, -0.5f, -0.5f}));
    const std::uint8_t rest[] = {0x00, 0x20};
    queue.Push(rest, 2);
    EXPECT_EQ(queue.ConsumeBuffer(0ms).value(), (std::vector<float>{0.25f, 0.25f}));
}

TEST(PcmQueueTest, LevelsApplyPerSideAndStayWithinFullScale) {
    PcmQueue stereo({22050, 2, 16, 4}, 22050);
    const std::int16_t samples[] = {16384, -16384};
    stereo.SetLevel(0.5, 3.0); // the right level is clamped to full scale
    stereo.Push(reinterpret_cast<const std::uint8_t*>(samples), sizeof samples);
    EXPECT_EQ(stereo.ConsumeBuffer(0ms).value(), (std::vector<float>{0.25f, -0.5f}));
}

TEST(PcmQueueTest, CountsAnUnderrunOnlyWhenTheStreamGoesOnAfterRunningDry) {
    PcmQueue queue({22050, 2, 16, 4}, 22050);
    std::vector<float> device(32, 0.125f);         // 16 frames, mixed into
    queue.MixInto(device.data(), 16);              // before the first buffer: not an underrun
    const std::vector<std::uint8_t> buffer(32, 1); // 8 frames of 257
    const auto ticket = queue.Push(buffer.data(), buffer.size());
    EXPECT_EQ(queue.MixInto(device.data(), 16), 8u);
    EXPECT_TRUE(queue.HasPlayed(ticket));
    EXPECT_EQ(device[0], 0.125f + 257 / 32768.0f);
    EXPECT_EQ(device[20], 0.125f); // nothing added after the queued frames
    EXPECT_EQ(queue.Underruns(), 0u);
    queue.Push(buffer.data(), buffer.size());
    EXPECT_EQ(queue.Underruns(), 1u);
    queue.Drop();
    EXPECT_EQ(queue.QueuedBuffers(), 0u);
}

TEST(PcmQueueTest, ABufferCountsAsPlayedOnlyWhenTheDeviceHasGotThere) {
    // At 1000 Hz a buffer of 186 ms may be held back whole by the converter: it still counts as
    // played only once the device has asked for the sound before and at it.
    PcmQueue queue({1000, 2, 16, 4}, 44100);
    const std::vector<std::uint8_t> buffer(186 * 4, 1);
    const auto ticket = queue.Push(buffer.data(), buffer.size());
    EXPECT_FALSE(queue.HasPlayed(ticket));
    std::vector<float> device(2 * 44100);
    queue.MixInto(device.data(), 44100);
    EXPECT_TRUE(queue.HasPlayed(ticket));
}

TEST(AudioStreamTest, RefusesFormatsNoDeviceCanPlay) {
    EXPECT_TRUE(IsPlayableFormat({44100, 2, 16, 4}));
    EXPECT_TRUE(IsPlayableFormat({8000, 1, 8, 1}));
    EXPECT_TRUE(IsPlayableFormat({48000, 6, 24, 18}));
    EXPECT_FALSE(IsPlayableFormat({44100, 2, 12, 3}));
    EXPECT_FALSE(IsPlayableFormat({44100, 0, 16, 0}));
    EXPECT_FALSE(IsPlayableFormat({0, 2, 16, 4}));
    EXPECT_FALSE(IsPlayableFormat({999, 2, 16, 4}));
    EXPECT_TRUE(IsPlayableFormat({1000, 2, 16, 4}));
    EXPECT_TRUE(IsPlayableFormat({768000, 2, 16, 4}));
    EXPECT_FALSE(IsPlayableFormat({768001, 2, 16, 4}));
    EXPECT_FALSE(IsPlayableFormat({44100, 2, 16, 3}));
    EXPECT_FALSE(IsPlayableFormat({44100, 9, 16, 18}));
    EXPECT_FALSE(OpenAudioStream({44100, 2, 16, 3}));
}

} // namespace

} // namespace umbrascope
