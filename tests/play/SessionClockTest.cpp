// The session time line the playback controller and the presentation thread share: the
// machine's monotonic clock, and the virtual clock tests play on.

#include "play/SessionClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace umbrascope {

namespace {

using namespace std::chrono_literals;

TEST(SessionClockTest, SessionTimeStartsAtThePosition) {
    MonotonicClock clock;
    clock.SetClockBase(60000);
    const auto now = clock.SessionTimeNow();
    EXPECT_GE(now, 60000u);
    EXPECT_LT(now, 60500u);
    std::this_thread::sleep_for(20ms);
    EXPECT_GE(clock.SessionTimeNow(), now + 20);
    std::jthread reader([&clock](std::stop_token stop) {
        while (!stop.stop_requested())
            (void)clock.SessionTimeNow();
    });
    for (int i = 0; i < 1000; ++i)
        clock.SetClockBase(i);
}

TEST(SessionClockTest, AVirtualClockMovesOnlyWhenAdvanced) {
    VirtualClock clock;
    clock.Advance(1234); // a clock made earlier: the base, not its start, is session time 0
    clock.SetClockBase(60000);
    EXPECT_EQ(clock.SessionTimeNow(), 60000u);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(clock.SessionTimeNow(), 60000u);
    clock.Advance(50);
    EXPECT_EQ(clock.SessionTimeNow(), 60050u);
    clock.SetClockBase(10);
    EXPECT_EQ(clock.SessionTimeNow(), 10u);
}

} // namespace

} // namespace umbrascope
