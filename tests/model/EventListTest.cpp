#include "model/Session.h"
#include "model/SessionState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

namespace umbrascope {

namespace {

class EventList : public ::testing::Test {
protected:
    std::vector<std::int32_t> Times() const {
        std::vector<std::int32_t> times;
        for (const auto& event : events)
            times.push_back(event.EventTime);
        return times;
    }

    std::vector<std::string> Values() const {
        std::vector<std::string> values;
        for (const auto& event : events)
            values.push_back(event.EventValue);
        return values;
    }

    std::vector<TSessionEvent> events;
};

} // namespace

TEST_F(EventList, InsertionGoesAfterEveryEventOfTheSameTime) {
    EXPECT_EQ(InsertEvent(events, {"t", 500, "a"}), 0u);
    EXPECT_EQ(InsertEvent(events, {"t", 100, "b"}), 0u);
    EXPECT_EQ(InsertEvent(events, {"t", 500, "c"}), 2u);
    EXPECT_EQ(InsertEvent(events, {"t", -5, "d"}), 0u);
    EXPECT_EQ(InsertEvent(events, {"t", 900, "e"}), 4u);
    EXPECT_EQ(Values(), (std::vector<std::string>{"d", "b", "a", "c", "e"}));

    events = {{"t", 5000, "a"}, {"t", 1000, "b"}, {"t", 3000, "c"}};
    EXPECT_EQ(InsertEvent(events, {"t", 2000, "d"}), 0u) << "out of order from a file";
}

TEST_F(EventList, ResortingAfterATimeChangeKeepsTiesInOrder) {
    events = {{"t", 100, "a"}, {"t", 200, "b"}, {"t", 300, "c"}, {"t", 300, "d"}};
    events[0].EventTime = 300;
    ResortEvents(events, 0);
    EXPECT_EQ(Values(), (std::vector<std::string>{"b", "a", "c", "d"}));
    events[3].EventTime = 0;
    ResortEvents(events, 3);
    EXPECT_EQ(Values(), (std::vector<std::string>{"d", "b", "a", "c"}));
}

TEST(Resorting, GivesTheOrderOfAStableSortByTime) {
    std::mt19937 random(7);
    const auto pick = [&](int below) { return static_cast<int>(random() % below); };
    for (int trial = 0; trial < 2000; ++trial) {
        std::vector<TSessionEvent> events;
        for (int i = pick(8); i >= 0; --i)
            events.push_back({"t", pick(4), std::to_string(events.size())});
        if (trial % 5 != 0) // now and then a list from a file that is not in order
            std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
                return a.EventTime < b.EventTime;
            });
        const auto changed = static_cast<std::size_t>(pick(static_cast<int>(events.size())));
        events[changed].EventTime = pick(4);
        auto expected = events;
        std::stable_sort(expected.begin(), expected.end(),
                         [](const auto& a, const auto& b) { return a.EventTime < b.EventTime; });
        ResortEvents(events, changed);
        ASSERT_EQ(events, expected) << "trial " << trial;
    }
}

TEST_F(EventList, DeletingMovesLaterEventsDownAndIgnoresBadIndexes) {
    events = {{"t", 1, "a"}, {"t", 2, "b"}, {"t", 3, "c"}};
    DeleteEvent(events, 1);
    EXPECT_EQ(Values(), (std::vector<std::string>{"a", "c"}));
    DeleteEvent(events, 7);
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(EventList, RescalingMovesEventsProportionallyWithHalvesToEven) {
    events = {{"t", 90000, ""}, {"t", 1799000, ""}, {"t", 1000, ""}};
    RescaleEventTimes(events, 1800000, 3600000);
    EXPECT_EQ(Times(), (std::vector<std::int32_t>{180000, 3598000, 2000}));
    events = {{"t", 1000, ""}};
    RescaleEventTimes(events, 1800000, 2700000);
    EXPECT_EQ(Times(), (std::vector<std::int32_t>{1500}));
    events = {{"t", 1000, ""}};
    RescaleEventTimes(events, 1800000, 420000);
    EXPECT_EQ(Times(), (std::vector<std::int32_t>{233}));
    // 3 * 0.5 = 1.5 goes to 2, 5 * 0.5 = 2.5 goes to 2.
    events = {{"t", 3, ""}, {"t", 5, ""}};
    RescaleEventTimes(events, 600000, 300000);
    EXPECT_EQ(Times(), (std::vector<std::int32_t>{2, 2}));
}

TEST_F(EventList, RescalingLeavesTimesAloneWhenTheLengthStaysOrWasZero) {
    events = {{"t", 1234, ""}, {"t", 1799999, ""}};
    RescaleEventTimes(events, 1800000, 1800000);
    EXPECT_EQ(Times(), (std::vector<std::int32_t>{1234, 1799999}));
    RescaleEventTimes(events, 0, 1800000);
    EXPECT_EQ(Times(), (std::vector<std::int32_t>{1234, 1799999}));
}

TEST_F(EventList, RescalingExtremeTimesClampsInsteadOfOverflowing) {
    const auto max = std::numeric_limits<std::int32_t>::max();
    const auto min = std::numeric_limits<std::int32_t>::min();
    events = {{"t", 2000000000, ""}, {"t", min, ""}, {"t", -7, ""}};
    RescaleEventTimes(events, 300000, 3600000);
    EXPECT_EQ(Times(), (std::vector<std::int32_t>{max, min, -84}));
    events = {{"t", 2000000000, ""}};
    RescaleEventTimes(events, -1, 3600000);
    EXPECT_EQ(Times(), (std::vector<std::int32_t>{min}));
    EXPECT_EQ(RescaledTime(max, 1, max), max);
}

TEST(NearestEvent, TiesGoToTheEarlierAndNoneNearerThanTheLengthGivesTheFirst) {
    const std::vector<TSessionEvent> events = {
        {"t", 60000, ""}, {"t", 180000, ""}, {"t", 180000, ""}, {"t", 400000, ""}};
    EXPECT_EQ(NearestEventIndex(events, 120000, 1800000), 0u) << "half way between";
    EXPECT_EQ(NearestEventIndex(events, 190000, 1800000), 1u) << "equal times";
    EXPECT_EQ(NearestEventIndex(events, 390000, 5000), 0u) << "nearer than the length only";
    EXPECT_EQ(NearestEventIndex({{"t", std::numeric_limits<std::int32_t>::min(), ""}},
                                std::numeric_limits<std::int32_t>::max(), 1800000),
              0u);
    EXPECT_FALSE(NearestEventIndex({}, 0, 1800000));
}

} // namespace umbrascope
