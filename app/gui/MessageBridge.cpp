#include "MessageBridge.h"

#include "ui/MessageBoxes.h"
#include "ui/ShownText.h"
#include "visual/EventQueueHandOver.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <deque>
#include <iostream>
#include <mutex>

namespace umbrascope {

namespace {

const QEvent::Type MessagesPostedEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// How often kept messages look for the end of the full-screen show.
constexpr int ShowEndedCheckMs = 100;

bool FullScreenShowing() {
    const auto windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [](const QWidget* w) { return w->isVisible() && w->isFullScreen(); });
}

} // namespace

// The messages posted and not yet taken, under a lock of their own. The first message after
// the bridge has taken the queue empty tells the bridge with one event; the texts themselves
// travel under the lock, which the race detector follows.
class MessageBridge::Queue final : public UserMessages {
public:
    explicit Queue(QObject* receiver) : receiver_(receiver) {}

    void PostMessage(const UserText& text) override {
        std::lock_guard lock(mutex_);
        if (!receiver_) {
            std::cerr << "umbrascope: " << text.Text() << '\n';
            return;
        }
        waiting_.push_back(text);
        if (!told_) {
            told_ = true;
            PostHandOver(receiver_, new QEvent(MessagesPostedEvent));
        }
    }

    // User-interface thread.
    std::deque<UserText> Take() {
        std::lock_guard lock(mutex_);
        told_ = false;
        return std::exchange(waiting_, {});
    }

    void Close() {
        std::lock_guard lock(mutex_);
        receiver_ = nullptr;
        waiting_.clear();
    }

private:
    std::mutex mutex_;
    QObject* receiver_; // null once closed
    std::deque<UserText> waiting_;
    bool told_ = false; // an event is on its way
};

MessageBridge::MessageBridge(MessageAnswerer answerer)
    : answerer_(std::move(answerer)), queue_(std::make_shared<Queue>(this)) {
    showEnded_.setInterval(ShowEndedCheckMs);
    connect(&showEnded_, &QTimer::timeout, this, [this] { ShowWaitingMessages(); });
}

MessageBridge::~MessageBridge() {
    Close();
}

std::shared_ptr<UserMessages> MessageBridge::Messages() const {
    return queue_;
}

void MessageBridge::Close() {
    showEnded_.stop();
    queue_->Close();
    kept_.clear();
}

bool MessageBridge::event(QEvent* event) {
    AcceptHandOver(event);
    if (event->type() != MessagesPostedEvent)
        return QObject::event(event);
    ShowWaitingMessages();
    return true;
}

void MessageBridge::ShowWaitingMessages() {
    std::deque<UserText> waiting = queue_->Take();
    if (FullScreenShowing()) {
        for (UserText& text : waiting)
            if (std::find(kept_.begin(), kept_.end(), text) == kept_.end())
                kept_.push_back(std::move(text));
        if (!kept_.empty())
            showEnded_.start();
        return;
    }
    showEnded_.stop();
    if (!kept_.empty()) {
        const std::vector<UserText> kept = std::exchange(kept_, {});
        QString text = QCoreApplication::translate("umbrascope::MessageBridge",
                                                   "Сообщения, появившиеся во время показа:");
        for (const UserText& message : kept)
            text += QStringLiteral("\n\n") + ShownText(message);
        Show(text);
    }
    // A box runs its own event loop: messages posted meanwhile come with the next event.
    for (const UserText& message : waiting)
        Show(ShownText(message));
}

void MessageBridge::Show(const QString& text) {
    if (answerer_)
        answerer_(text);
    else
        ShowMessageBox(nullptr, text);
}

} // namespace umbrascope
