// The transport: where play of a document stands, apart from the document. A session opened
// starts at 0 with its state published; two players in one process share no position, state,
// track threads, messages or clip indicator.

#include "play/Transport.h"
#include "audio/device/MemoryAudioBackend.h"
#include "model/EventCatalogue.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

namespace umbrascope {

namespace {

using namespace std::chrono_literals;

class Recorded final : public UserMessages {
public:
    void PostMessage(const UserText& text) override {
        std::lock_guard lock(mutex_);
        texts_.push_back(text.Text());
    }
    std::vector<std::string> Texts() const {
        std::lock_guard lock(mutex_);
        return texts_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
};

TEST(Transport, RewindPublishesTheStateAtZeroAndAFailureKeepsWhatWasSet) {
    Session session;
    session.StartValues.VideoType = 2;
    session.Events = {{EventTypeName(EventKind::AudioVolume), 10, "40"},
                      {EventTypeName(EventKind::TextPosition), 20, "loud"}};
    Transport transport;
    transport.SessionPosition = 700;
    EXPECT_FALSE(transport.Rewind(session));
    EXPECT_EQ(transport.SessionPosition, 0);
    EXPECT_EQ(*transport.Published()->CurrentValues(), transport.CurrentValues);
    EXPECT_EQ(transport.CurrentValues.VideoType, 2);

    EXPECT_TRUE(transport.ComputeStateAt(session, 100));
    EXPECT_EQ(transport.CurrentValues.AudioVolume, 40);
    EXPECT_EQ(*transport.Published()->CurrentValues(), transport.CurrentValues);

    transport.SessionPosition = 90000;
    transport.KeepPositionInSession(60000);
    EXPECT_EQ(transport.SessionPosition, 59999);
}

TEST(Transport, TwoPlayersShareNothing) {
    MemoryAudioBackend device;
    ScopedAudioBackend selected(device);
    const auto firstMessages = std::make_shared<Recorded>();
    const auto secondMessages = std::make_shared<Recorded>();
    Transport first(std::make_unique<VirtualClock>(), firstMessages);
    Transport second(std::make_unique<VirtualClock>(), secondMessages);
    Session loud;
    loud.StartValues.AudioVolume = 77;
    first.SessionPosition = 5000;
    (void)first.ComputeStateAt(loud, first.SessionPosition);
    first.SetPlaying(true);
    first.Clock().SetClockBase(5000);
    EXPECT_EQ(second.SessionPosition, 0);
    EXPECT_FALSE(second.IsPlaying());
    EXPECT_EQ(second.Published()->CurrentValues()->AudioVolume, 100);
    EXPECT_EQ(second.Clock().SessionTimeNow(), 0u);

    // Two full-scale tones clip the mix; the first player's file track cannot play.
    const std::string tone = ".&04%440@0@100";
    const auto zeros = std::filesystem::temp_directory_path() /
                       ("umbrascope-transport-" + std::to_string(::getpid()) + ".mp3");
    std::ofstream(zeros) << std::string(4096, '\0');
    first.Tracks().Start(first.Published(), tone, 0);
    first.Tracks().Start(first.Published(), tone, 0);
    const TrackHandle broken = first.Tracks().Start(first.Published(), zeros.string(), 0);
    ASSERT_NE(device.Stream(1, 5s), nullptr);
    device.Mix(4096, 5s);
    EXPECT_FALSE(second.Tracks().Reports().TakeClipped());
    EXPECT_TRUE(first.Tracks().Reports().TakeClipped());
    EXPECT_EQ(first.Tracks().Count(), 3u);
    EXPECT_EQ(second.Tracks().Count(), 0u);
    for (int wait = 0; wait < 500 && !broken->Finished(); ++wait)
        std::this_thread::sleep_for(10ms);
    second.Tracks().StopAndJoinAll(); // leaves the first player's tracks playing
    EXPECT_EQ(first.Tracks().Count(), 3u);
    first.Tracks().StopAndJoinAll();
    EXPECT_EQ(first.Tracks().Reports().Streams().opened, 2u);
    EXPECT_EQ(second.Tracks().Reports().Streams().opened, 0u);
    EXPECT_EQ(firstMessages->Texts(), std::vector<std::string>{"Неверный MP3 файл"});
    EXPECT_TRUE(secondMessages->Texts().empty());
    std::filesystem::remove(zeros);
}

} // namespace

} // namespace umbrascope
