// The presentation thread: its rhythm, phrase timing, pausing with the text switched off, the
// hand-over of frames and phrase readers, and stopping in every state it can be in.

#include "visual/VideoThread.h"
#include "GuiTestApplication.h"
#include "TestClock.h"
#include "TestFiles.h"
#include "model/Session.h"
#include "tests/common/SanitizerBuild.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

namespace umbrascope {

namespace {

using namespace std::chrono_literals;

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = 5000ms) {
    const auto deadline = std::chrono::steady_clock::now() + limit * SanitizerSlowdown;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// Takes frames the way the window does when it paints.
class FakeWindow {
public:
    explicit FakeWindow(FrameExchange& frames) : frames_(frames) {
        thread_ = std::jthread([this](std::stop_token stop) {
            while (!stop.stop_requested()) {
                if (const QImage* frame = frames_.TakeFrame().image)
                    lastSize_ = frame->size().width() * 10000 + frame->size().height();
                std::this_thread::sleep_for(5ms);
            }
        });
    }
    int LastSize() const { return lastSize_; }

private:
    FrameExchange& frames_;
    std::atomic<int> lastSize_{0};
    std::jthread thread_;
};

class VideoThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureGuiApplication();
        values.PhraseInterval = 1000;
        state.Publish(values);
        frames.Open(QSize(320, 240));
        phrases.Replace(std::make_unique<TFile>(WritePhrases("A\nB\nC\n")));
        state.SetPlaying(true);
    }

    void TearDown() override {
        thread.Stop();
        state.SetPlaying(false);
        frames.Release();
        phrases.Close();
    }

    static std::filesystem::path WritePhrases(const std::string& bytes,
                                              const std::string& name = "phrases.txt") {
        const auto path = TestFilePath(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    void Publish(const std::function<void(SessionValuesInForce&)>& change) {
        change(values);
        state.Publish(values);
    }

    SessionValuesInForce values;
    PublishedState state;
    FrameExchange frames;
    PhraseSource phrases;
    TVideoThread thread{frames, phrases, state, SessionTimeFromNow()};
};

TEST_F(VideoThreadTest, DrawsFramesReadsTheFirstPhraseAndStops) {
    FakeWindow window(frames);
    thread.Start();
    EXPECT_TRUE(thread.Running());
    ASSERT_TRUE(WaitFor([&] { return frames.FramesShown() >= 3; }));
    EXPECT_EQ(window.LastSize(), 320 * 10000 + 240);
    EXPECT_EQ(thread.PhrasesTaken(), 1u); // the first pass always reads one
    EXPECT_EQ(phrases.ReadPosition(), 2u);
    const auto started = std::chrono::steady_clock::now();
    thread.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 500ms * SanitizerSlowdown);
    EXPECT_FALSE(thread.Running());
    EXPECT_GT(thread.Passes(), 2u);
}

TEST_F(VideoThreadTest, PhrasesFollowTheIntervalAndWrap) {
    Publish([](SessionValuesInForce& values) { values.PhraseInterval = 40; });
    FakeWindow window(frames);
    thread.Start();
    ASSERT_TRUE(WaitFor([&] { return thread.PhrasesTaken() >= 4; }));
    const auto taken = thread.PhrasesTaken();
    std::this_thread::sleep_for(400ms);
    thread.Stop();
    // Each interval is 40 ms plus at most one pass.
    EXPECT_LE(thread.PhrasesTaken(), taken + 400 / 40 + 1);
    EXPECT_GT(thread.PhrasesTaken(), taken);
    // More phrases than lines: the reading wrapped to the first line and went on.
    EXPECT_EQ(phrases.ReadPosition(), thread.PhrasesTaken() % 3 * 2);
}

TEST_F(VideoThreadTest, TextOffPausesReadingAndOnResumesAtTheSameLineAtOnce) {
    Publish([](SessionValuesInForce& values) {
        values.TextEnabled = false;
        values.PhraseInterval = 300;
    });
    thread.Start();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(thread.PhrasesTaken(), 0u);
    EXPECT_EQ(phrases.ReadPosition(), 0u);
    Publish([](SessionValuesInForce& values) { values.TextEnabled = true; });
    ASSERT_TRUE(WaitFor([&] { return thread.PhrasesTaken() == 1; }, 1000ms));
    EXPECT_EQ(phrases.ReadPosition(), 2u);
    Publish([](SessionValuesInForce& values) { values.TextEnabled = false; });
    std::this_thread::sleep_for(450ms); // the interval passes while the text is off
    EXPECT_EQ(thread.PhrasesTaken(), 1u);
    Publish([](SessionValuesInForce& values) { values.TextEnabled = true; });
    ASSERT_TRUE(WaitFor([&] { return thread.PhrasesTaken() == 2; }, 1000ms));
    EXPECT_EQ(phrases.ReadPosition(), 4u); // line B
}

TEST_F(VideoThreadTest, ClearingIsPlayingEndsTheLoopAndANewStartRunsAgain) {
    thread.Start();
    ASSERT_TRUE(WaitFor([&] { return thread.Passes() > 0; }));
    state.SetPlaying(false);
    ASSERT_TRUE(WaitFor([&] { return !thread.Running(); }, 1000ms));
    state.SetPlaying(true);
    thread.Start();
    ASSERT_TRUE(WaitFor([&] { return thread.PhrasesTaken() == 1; }));
    EXPECT_TRUE(thread.Running());
}

TEST_F(VideoThreadTest, StopsPromptlyWhenNoWindowTakesItsFrames) {
    thread.Start();
    ASSERT_TRUE(WaitFor([&] { return frames.FramesDropped() > 0; }));
    const auto started = std::chrono::steady_clock::now();
    thread.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 300ms * SanitizerSlowdown);
}

TEST_F(VideoThreadTest, HidingTheWindowFirstLeavesTheThreadRunningWithoutDrawing) {
    FakeWindow window(frames);
    thread.Start();
    ASSERT_TRUE(WaitFor([&] { return frames.FramesShown() >= 2; }));
    frames.Release();
    const auto handed = frames.FramesHandedOver();
    const auto passes = thread.Passes();
    ASSERT_TRUE(WaitFor([&] { return thread.Passes() > passes + 3; }));
    EXPECT_EQ(frames.FramesHandedOver(), handed);
    EXPECT_TRUE(thread.Running());
}

TEST_F(VideoThreadTest, ReadersReplacedDuringPlayAndSettingsChangingNeverHurt) {
    Publish([](SessionValuesInForce& values) { values.PhraseInterval = 1; });
    FakeWindow window(frames);
    thread.Start();
    const auto other = WritePhrases("one\ntwo\n", "other.txt");
    for (int i = 0; i < 60; ++i) {
        if (i % 4 == 3)
            phrases.Replace(nullptr); // the file went away: the thread drops its phrase
        else
            phrases.Replace(std::make_unique<TFile>(other));
        Publish([i](SessionValuesInForce& values) {
            values.VideoType = static_cast<std::uint8_t>(i % 6);
            values.Transparency = static_cast<std::uint8_t>(i * 37);
            values.TextWidth = static_cast<std::uint8_t>(i % 3 * 100);
            values.TextPosition = static_cast<std::uint8_t>(i % 14);
            values.FontName = i % 2 ? "Arial" : "No Such Font";
            values.LinesWidth = static_cast<std::uint16_t>(i % 2);
        });
        std::this_thread::sleep_for(3ms);
    }
    phrases.Replace(std::make_unique<TFile>(other));
    const auto taken = thread.PhrasesTaken();
    ASSERT_TRUE(WaitFor([&] { return thread.PhrasesTaken() > taken + 2; }));
    EXPECT_TRUE(thread.Running());
}

TEST(FrameExchangeTest, HandsFramesOverInOrderAndOnlyWhileOpen) {
    FrameExchange frames;
    EXPECT_EQ(frames.BeginFrame(), nullptr); // no window shown yet
    frames.Open(QSize(8, 4));
    const auto handOver = [&](QRgb color, bool present) {
        QImage* back = frames.BeginFrame();
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->size(), QSize(8, 4));
        back->fill(color);
        frames.EndFrame(present, qRed(color));
    };
    handOver(qRgb(1, 1, 1), true);
    handOver(qRgb(2, 2, 2), false); // nothing drawn: nothing handed over
    const FrameExchange::Shown shown = frames.TakeFrame();
    ASSERT_NE(shown.image, nullptr);
    EXPECT_EQ(shown.image->pixel(0, 0), qRgb(1, 1, 1));
    EXPECT_TRUE(shown.fresh);
    EXPECT_EQ(shown.frameTime, 1u);
    const FrameExchange::Shown again = frames.TakeFrame();
    EXPECT_EQ(again.image->pixel(0, 0), qRgb(1, 1, 1)); // still the last one shown
    EXPECT_FALSE(again.fresh);

    handOver(qRgb(3, 3, 3), true);
    const auto started = std::chrono::steady_clock::now();
    frames.WaitUntilTaken(std::stop_token()); // the window does not take frame 3: a limited wait
    EXPECT_GE(std::chrono::steady_clock::now() - started, FrameExchange::HandOverLimit);
    handOver(qRgb(4, 4, 4), true); // then it goes
    EXPECT_EQ(frames.FramesDropped(), 1u);
    EXPECT_EQ(frames.TakeFrame().frameTime, 4u);
    EXPECT_EQ(frames.FramesShown(), 2u);
    EXPECT_EQ(frames.FramesHandedOver(), 3u);

    frames.Resize(QSize(5, 5));
    EXPECT_EQ(frames.BeginFrame()->size(), QSize(5, 5));
    frames.EndFrame(false);
    frames.Release();
    EXPECT_EQ(frames.BeginFrame(), nullptr);
    EXPECT_EQ(frames.TakeFrame().image, nullptr);
}

} // namespace

} // namespace umbrascope
