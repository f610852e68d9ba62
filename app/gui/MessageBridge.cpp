#include "MessageBridge.h"

#include "ui/MessageBoxes.h"
#include "ui/ShownText.h"

#include <QApplication>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <iostream>

namespace umbrascope {

MessageBridge::MessageBridge(MessageAnswerer answerer)
    : answerer_(std::move(answerer)), timer_(std::make_unique<QTimer>()) {
    // Polled rather than posted: the request travels under this object's own lock, which the
    // race detector can follow, unlike Qt's event queue.
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { ShowWaitingMessages(); });
    timer_->start(50);
}

MessageBridge::~MessageBridge() {
    Close();
}

void MessageBridge::ShowMessage(const UserText& text) {
    const QCoreApplication* application = QCoreApplication::instance();
    std::unique_lock lock(mutex_);
    if (closed_ || !application) {
        std::cerr << "umbrascope: " << text.Text() << '\n';
        return;
    }
    if (QThread::currentThread() == application->thread()) {
        lock.unlock();
        Show(ShownText(text));
        return;
    }
    auto request = std::make_shared<Request>(Request{text});
    waiting_.push_back(request);
    answered_.wait(lock, [&] { return request->shown || closed_; });
}

void MessageBridge::PostMessage(const UserText& text) {
    std::lock_guard lock(mutex_);
    if (closed_) {
        std::cerr << "umbrascope: " << text.Text() << '\n';
        return;
    }
    waiting_.push_back(std::make_shared<Request>(Request{text}));
}

namespace {

bool FullScreenShowing() {
    const auto windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [](const QWidget* w) { return w->isVisible() && w->isFullScreen(); });
}

} // namespace

void MessageBridge::KeepWaitingMessages() {
    std::lock_guard lock(mutex_);
    for (const auto& request : waiting_) {
        if (std::find(kept_.begin(), kept_.end(), request->text) == kept_.end())
            kept_.push_back(request->text);
        request->shown = true;
    }
    waiting_.clear();
    answered_.notify_all();
}

void MessageBridge::ShowWaitingMessages() {
    if (FullScreenShowing()) {
        KeepWaitingMessages();
        return;
    }
    if (!kept_.empty()) {
        const std::vector<UserText> kept = std::move(kept_);
        kept_.clear();
        QString text = QCoreApplication::translate("umbrascope::MessageBridge",
                                                   "Сообщения, появившиеся во время показа:");
        for (const UserText& message : kept)
            text += QStringLiteral("\n\n") + ShownText(message);
        Show(text);
    }
    for (;;) {
        std::shared_ptr<Request> request;
        {
            std::lock_guard lock(mutex_);
            if (closed_ || waiting_.empty())
                return;
            request = waiting_.front();
            waiting_.pop_front();
        }
        Show(ShownText(request->text));
        std::lock_guard lock(mutex_);
        request->shown = true;
        answered_.notify_all();
    }
}

void MessageBridge::Show(const QString& text) {
    if (answerer_)
        answerer_(text);
    else
        ShowMessageBox(nullptr, text);
}

void MessageBridge::Close() {
    timer_->stop();
    std::lock_guard lock(mutex_);
    closed_ = true;
    waiting_.clear();
    answered_.notify_all();
}

} // namespace umbrascope
