#include "FrameExchange.h"

#include <utility>

void FrameExchange::Open(QSize size) {
    std::lock_guard lock(mutex_);
    size_ = size;
    open_ = true;
}

void FrameExchange::Resize(QSize size) {
    std::lock_guard lock(mutex_);
    size_ = size;
}

void FrameExchange::Release() {
    std::unique_lock lock(mutex_);
    open_ = false;
    changed_.notify_all();
    changed_.wait(lock, [this] { return !drawing_; });
    back_ = QImage();
    ready_ = QImage();
    front_ = QImage();
    readyFull_ = false;
    hasFront_ = false;
}

QSize FrameExchange::FrameSize() const {
    std::lock_guard lock(mutex_);
    return size_;
}

QImage* FrameExchange::BeginFrame() {
    std::lock_guard lock(mutex_);
    if (!open_ || size_.isEmpty())
        return nullptr;
    drawing_ = true;
    if (back_.size() != size_ || back_.format() != QImage::Format_RGB32)
        back_ = QImage(size_, QImage::Format_RGB32);
    return &back_;
}

void FrameExchange::EndFrame(bool present, std::stop_token stop) {
    std::function<void()> notifier;
    {
        std::unique_lock lock(mutex_);
        if (present && open_) {
            changed_.wait_for(lock, stop, HandOverLimit, [this] { return !readyFull_ || !open_; });
            if (open_ && !stop.stop_requested() && back_.size() == size_) {
                if (readyFull_)
                    ++dropped_;
                std::swap(back_, ready_);
                readyFull_ = true;
                ++handedOver_;
                notifier = notifier_;
            }
        }
        drawing_ = false;
        changed_.notify_all();
    }
    if (notifier)
        notifier();
}

const QImage* FrameExchange::TakeFrame() {
    std::lock_guard lock(mutex_);
    if (readyFull_) {
        std::swap(ready_, front_);
        readyFull_ = false;
        hasFront_ = true;
        ++shown_;
        changed_.notify_all();
    }
    return hasFront_ ? &front_ : nullptr;
}

void FrameExchange::SetFrameReadyNotifier(std::function<void()> notifier) {
    std::lock_guard lock(mutex_);
    notifier_ = std::move(notifier);
}

std::uint64_t FrameExchange::FramesHandedOver() const {
    std::lock_guard lock(mutex_);
    return handedOver_;
}

std::uint64_t FrameExchange::FramesShown() const {
    std::lock_guard lock(mutex_);
    return shown_;
}

std::uint64_t FrameExchange::FramesDropped() const {
    std::lock_guard lock(mutex_);
    return dropped_;
}
