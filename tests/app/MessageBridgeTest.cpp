// Message boxes that track threads ask for: shown by the user-interface thread while the
// asking thread waits (or goes on, for a posted message), and never left waiting when the
// program ends.

#include "app/gui/MessageBridge.h"
#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include <atomic>
#include <thread>

namespace umbrascope {

namespace {

TEST(MessageBridge, ShowsAThreadsMessageAndLetsTheThreadGoOnAfterwards) {
    TestApplication();
    MessageRecorder messages;
    MessageBridge bridge(messages.Answerer());
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        bridge.ShowMessage(UserText::Verbatim("Ошибка аудиоустройства"));
        returned = true;
    });
    ASSERT_TRUE(WaitUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_EQ(messages.texts, QStringList({"Ошибка аудиоустройства"}));

    bridge.ShowMessage(
        UserText::Verbatim("from the interface thread")); // shown at once, no waiting
    EXPECT_EQ(messages.texts.size(), 2);
}

TEST(MessageBridge, APostedMessageDoesNotHoldThePosterUp) {
    TestApplication();
    MessageRecorder messages;
    MessageBridge bridge(messages.Answerer());
    // The sound device's watcher tells of a lost server this way and must go on at once.
    std::thread watcher([&] { bridge.PostMessage(UserText::Verbatim("Ошибка аудиоустройства")); });
    watcher.join();
    EXPECT_TRUE(messages.texts.isEmpty());
    ASSERT_TRUE(WaitUntil([&] { return !messages.texts.isEmpty(); }));
    EXPECT_EQ(messages.texts, QStringList({"Ошибка аудиоустройства"}));
}

TEST(MessageBridge, NoBoxCoversAFullScreenShowTheMessagesComeTogetherAfterIt) {
    TestApplication();
    MessageRecorder messages;
    MessageBridge bridge(messages.Answerer());
    QWidget show;
    show.showFullScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&show));
    std::atomic<bool> returned{false};
    std::thread tracks([&] {
        bridge.ShowMessage(UserText::Verbatim("first"));
        bridge.ShowMessage(UserText::Verbatim("second"));
        bridge.ShowMessage(UserText::Verbatim("first"));
        returned = true;
    });
    ASSERT_TRUE(WaitUntil([&] { return returned.load(); })); // went on without an answer
    tracks.join();
    EXPECT_TRUE(messages.texts.isEmpty());
    show.hide();
    ASSERT_TRUE(WaitUntil([&] { return !messages.texts.isEmpty(); }));
    EXPECT_EQ(messages.texts,
              QStringList({"Сообщения, появившиеся во время показа:\n\nfirst\n\nsecond"}));
}

TEST(MessageBridge, ClosingReleasesAWaitingThreadAndDropsItsBox) {
    TestApplication();
    MessageRecorder messages;
    MessageBridge bridge(messages.Answerer());
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        bridge.ShowMessage(UserText::Verbatim("late"));
        returned = true;
    });
    // The interface thread is busy ending the program: it shows nothing meanwhile.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(returned);
    bridge.Close();
    worker.join();
    QTest::qWait(50);
    EXPECT_TRUE(messages.texts.isEmpty());
    bridge.ShowMessage(UserText::Verbatim("after the end")); // goes to standard error
    EXPECT_TRUE(messages.texts.isEmpty());
}

} // namespace

} // namespace umbrascope
