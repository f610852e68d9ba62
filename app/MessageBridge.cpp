#include "MessageBridge.h"

#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QThread>

#include <condition_variable>
#include <iostream>
#include <mutex>

struct MessageBridge::Shared {
    std::mutex mutex;
    std::condition_variable answered;
    bool closed = false;
};

MessageBridge::MessageBridge() : shared_(std::make_shared<Shared>()) {}

MessageBridge::~MessageBridge() {
    Close();
}

void MessageBridge::ShowMessage(const std::string& text) {
    QCoreApplication* application = QCoreApplication::instance();
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->closed || !application) {
            std::cerr << "umbrascope: " << text << '\n';
            return;
        }
    }
    const QString message = QString::fromUtf8(text);
    if (QThread::currentThread() == application->thread()) {
        ShowMessageBox(nullptr, message);
        return;
    }
    auto shown = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        application,
        [shared = shared_, shown, message] {
            {
                std::lock_guard lock(shared->mutex);
                if (shared->closed)
                    return; // the program is ending and nobody waits any more
            }
            ShowMessageBox(nullptr, message);
            std::lock_guard lock(shared->mutex);
            *shown = true;
            shared->answered.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(shared_->mutex);
    shared_->answered.wait(lock, [&] { return *shown || shared_->closed; });
}

void MessageBridge::Close() {
    std::lock_guard lock(shared_->mutex);
    shared_->closed = true;
    shared_->answered.notify_all();
}
