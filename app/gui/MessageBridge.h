#pragma once

// Message boxes asked for by track threads, shown by the user-interface thread: the asking
// thread waits until the user has closed the box, or until the program is ending. While a
// full-screen show is on, no box covers it: the messages are kept (each text once), the asking
// threads go on at once, and the messages are shown together, in one box, when the show ends.

#include "audio/sources/TrackSource.h"
#include "ui/MessageBoxes.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class QTimer;

namespace umbrascope {

class MessageBridge final : public UserMessages {
public:
    // Create on the user-interface thread: it looks for waiting messages every 50 ms. The
    // boxes are shown, or handed to answerer when there is one (tests).
    explicit MessageBridge(MessageAnswerer answerer = {});
    ~MessageBridge() override;

    // Thread safe. Returns when the box has been closed (at once after Close).
    void ShowMessage(const UserText& text) override;

    // Thread safe; returns at once: the box is shown in turn, and nobody waits for it.
    void PostMessage(const UserText& text) override;

    // User-interface thread, at program exit before track threads are joined: threads that
    // wait for an answer go on without one, and later messages go to standard error.
    void Close();

private:
    struct Request {
        UserText text;
        bool shown = false;
    };

    // User-interface thread: shows the messages that wait, one after the other, or keeps them
    // while a full-screen show is on.
    void ShowWaitingMessages();
    void KeepWaitingMessages();
    void Show(const QString& text);

    const MessageAnswerer answerer_;
    std::unique_ptr<QTimer> timer_;
    std::mutex mutex_;
    std::condition_variable answered_;
    std::deque<std::shared_ptr<Request>> waiting_;
    std::vector<UserText> kept_; // user-interface thread only
    bool closed_ = false;
};

} // namespace umbrascope
