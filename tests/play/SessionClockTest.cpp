// The session time line the playback controller and the presentation thread share.

#include "play/SessionClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace umbrascope {

namespace {

using namespace std::chrono_literals;

TEST(SessionClockTest, SessionTimeStartsAtThePosition) {
    SetClockBase(60000);
    const auto now = SessionTimeNow();
    EXPECT_GE(now, 60000u);
    EXPECT_LT(now, 60500u);
    std::this_thread::sleep_for(20ms);
    EXPECT_GE(SessionTimeNow(), now + 20);
    std::jthread reader([](std::stop_token stop) {
        while (!stop.stop_requested())
            (void)SessionTimeNow();
    });
    for (int i = 0; i < 1000; ++i)
        SetClockBase(i);
}

} // namespace

} // namespace umbrascope
