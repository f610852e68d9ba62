// Messages that track threads post: the poster goes on at once, the user-interface thread is
// told and shows them; nothing covers a full-screen show, and nothing is shown after the end.

#include "app/gui/MessageBridge.h"
#include "QtTestSupport.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include <thread>

namespace umbrascope {

namespace {

TEST(MessageBridge, AThreadsMessageIsShownAsSoonAsTheWindowIsToldWithoutHoldingTheThreadUp) {
    TestApplication();
    MessageRecorder messages;
    MessageBridge bridge(messages.Answerer());
    const std::shared_ptr<UserMessages> sink = bridge.Messages();
    // Returns without the user-interface thread doing anything meanwhile.
    std::thread watcher([&] { sink->PostMessage(UserText::Verbatim("Ошибка аудиоустройства")); });
    watcher.join();
    EXPECT_TRUE(messages.texts.isEmpty());
    // Told, not polled: the events already posted are enough.
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.texts, QStringList({"Ошибка аудиоустройства"}));
}

TEST(MessageBridge, NoBoxCoversAFullScreenShowTheMessagesComeTogetherAfterIt) {
    TestApplication();
    MessageRecorder messages;
    MessageBridge bridge(messages.Answerer());
    QWidget show;
    show.showFullScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&show));
    std::thread tracks([sink = bridge.Messages()] {
        sink->PostMessage(UserText::Verbatim("first"));
        sink->PostMessage(UserText::Verbatim("second"));
        sink->PostMessage(UserText::Verbatim("first"));
    });
    tracks.join();
    QTest::qWait(150);
    EXPECT_TRUE(messages.texts.isEmpty());
    show.hide();
    ASSERT_TRUE(WaitUntil([&] { return !messages.texts.isEmpty(); }));
    EXPECT_EQ(messages.texts,
              QStringList({"Сообщения, появившиеся во время показа:\n\nfirst\n\nsecond"}));
}

TEST(MessageBridge, AfterTheEndNothingIsShown) {
    TestApplication();
    MessageRecorder messages;
    std::shared_ptr<UserMessages> sink;
    {
        MessageBridge bridge(messages.Answerer());
        sink = bridge.Messages();
        sink->PostMessage(UserText::Verbatim("late")); // the window ends before it is shown
        bridge.Close();
        QCoreApplication::processEvents();
    }
    sink->PostMessage(UserText::Verbatim("after the end")); // goes to standard error
    QTest::qWait(50);
    EXPECT_TRUE(messages.texts.isEmpty());
}

} // namespace

} // namespace umbrascope
