#pragma once

// The window's messages from the threads that play: track threads and the sound device post
// them through Messages() and go on at once; the bridge is told by an event on its own thread
// and shows them there, one box after the other. No thread ever waits for a box. While a
// full-screen show is on, no box covers it: the messages are kept (each text once) and shown
// together, in one box, when the show ends.
//
// Thread rule: made, used and destroyed on the user-interface thread; what Messages() gives is
// thread safe and may outlive the bridge (later messages then go to standard error).

#include "audio/sources/TrackSource.h"
#include "ui/MessageBoxes.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

namespace umbrascope {

class MessageBridge final : public QObject {
public:
    // The boxes are shown, or handed to answerer when there is one (tests).
    explicit MessageBridge(MessageAnswerer answerer = {});
    ~MessageBridge() override;
    MessageBridge(const MessageBridge&) = delete;
    MessageBridge& operator=(const MessageBridge&) = delete;

    // Where whoever plays posts: thread safe, returns at once.
    std::shared_ptr<UserMessages> Messages() const;

    // At the window's end: messages not yet shown are dropped, and later ones go to standard
    // error.
    void Close();

protected:
    bool event(QEvent* event) override;

private:
    class Queue;

    // Shows the messages that wait, one after the other, or keeps them while a full-screen
    // show is on.
    void ShowWaitingMessages();
    void Show(const QString& text);

    const MessageAnswerer answerer_;

    const std::shared_ptr<Queue> queue_;
    std::vector<UserText> kept_;
    // While messages are kept, looks again now and then for the end of the show.
    QTimer showEnded_;
};

} // namespace umbrascope
