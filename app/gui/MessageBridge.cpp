#include "MessageBridge.h"

#include "ui/MessageBoxes.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <iostream>

MessageBridge::MessageBridge() : timer_(std::make_unique<QTimer>()) {
    // Polled rather than posted: the request travels under this object's own lock, which the
    // race detector can follow, unlike Qt's event queue.
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { ShowWaitingMessages(); });
    timer_->start(50);
}

MessageBridge::~MessageBridge() {
    Close();
}

void MessageBridge::ShowMessage(const std::string& text) {
    const QCoreApplication* application = QCoreApplication::instance();
    std::unique_lock lock(mutex_);
    if (closed_ || !application) {
        std::cerr << "umbrascope: " << text << '\n';
        return;
    }
    if (QThread::currentThread() == application->thread()) {
        lock.unlock();
        ShowMessageBox(nullptr, QString::fromStdString(text));
        return;
    }
    auto request = std::make_shared<Request>(Request{text});
    waiting_.push_back(request);
    answered_.wait(lock, [&] { return request->shown || closed_; });
}

void MessageBridge::PostMessage(const std::string& text) {
    std::lock_guard lock(mutex_);
    if (closed_) {
        std::cerr << "umbrascope: " << text << '\n';
        return;
    }
    waiting_.push_back(std::make_shared<Request>(Request{text}));
}

void MessageBridge::ShowWaitingMessages() {
    for (;;) {
        std::shared_ptr<Request> request;
        {
            std::lock_guard lock(mutex_);
            if (closed_ || waiting_.empty())
                return;
            request = waiting_.front();
            waiting_.pop_front();
        }
        ShowMessageBox(nullptr, QString::fromStdString(request->text));
        std::lock_guard lock(mutex_);
        request->shown = true;
        answered_.notify_all();
    }
}

void MessageBridge::Close() {
    timer_->stop();
    std::lock_guard lock(mutex_);
    closed_ = true;
    waiting_.clear();
    answered_.notify_all();
}
