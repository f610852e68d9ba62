// Without a sound server, opening an output stream fails: generated tracks end silently and
// sources that report device failures tell the user. SDL2 is pointed at a server that does not
// exist before anything starts it, so the test holds wherever it runs.

#include "RecordedMessages.h"
#include "audio/device/AudioStream.h"
#include "audio/tracks/PlayUtils.h"
#include "audio/tracks/StreamingLoop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace umbrascope {

namespace {

using namespace std::chrono_literals;

class FileLikeSource final : public TrackSource {
public:
    PcmFormat Format() const override { return {44100, 2, 16, 4}; }
    std::size_t BufferBytes() const override { return 24576; }
    void Fill(std::uint8_t*) override { ++fills; }
    bool ReportsDeviceFailure() const override { return true; }
    int fills = 0;
};

class NoServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "pulseaudio", 1);
        setenv("PULSE_SERVER", "unix:/nonexistent/umbrascope/native", 1);
    }
    void TearDown() override { QuitAudioOutput(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new NoServerEnvironment);

TEST(NoSoundServerTest, OpeningAStreamFails) {
    EXPECT_FALSE(OpenAudioStream({22050, 2, 16, 4}));
}

TEST(NoSoundServerTest, GeneratedTracksEndSilently) {
    const auto messages = std::make_shared<RecordedMessages>();
    TrackThreads threads(std::make_shared<PlayReports>(messages));
    std::vector<TrackHandle> tracks;
    for (const char* descriptor :
         {".&01%8@260@100", ".&02%8@260@5@100", ".&03%0@100", ".&04%333@0@100"})
        tracks.push_back(threads.Start(std::make_shared<PublishedState>(), descriptor, 0));
    const auto until = std::chrono::steady_clock::now() + 5s;
    for (const auto& track : tracks) {
        while (!track->Finished() && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(5ms);
        EXPECT_TRUE(track->Finished()) << track->Descriptor;
    }
    threads.StopAndJoinAll();
    EXPECT_TRUE(messages->Shown().empty());
    EXPECT_EQ(threads.Reports().Streams().refused, 4u);
}

TEST(NoSoundServerTest, AFileTrackTellsTheUser) {
    const auto messages = std::make_shared<RecordedMessages>();
    FileLikeSource source;
    const std::atomic<bool> running{true};
    StreamTrack(source, running, PublishedState(), std::make_shared<PlayReports>(messages));
    EXPECT_EQ(messages->Shown(), std::vector<std::string>{"Ошибка аудиоустройства"});
    EXPECT_EQ(source.fills, 0);
}

} // namespace

} // namespace umbrascope
