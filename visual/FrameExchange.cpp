#include "FrameExchange.h"

#include <sys/mman.h>

#include <memory>
#include <utility>

namespace {

// Frames are the program's largest buffers, and they come and go with every play. Mapped from
// the system, they go back to it when the window hides; from the heap they would stay resident,
// since the allocator keeps freed blocks of that size for reuse (about 8 MB a frame at
// 1920 x 1080, in each thread's own arena).
struct FrameMapping {
    void* address = nullptr;
    std::size_t bytes = 0;
};

void UnmapFrame(void* info) {
    const std::unique_ptr<FrameMapping> mapping(static_cast<FrameMapping*>(info));
    munmap(mapping->address, mapping->bytes);
}

QImage NewFrame(QSize size) {
    const qsizetype bytesPerLine = qsizetype{size.width()} * 4;
    auto mapping = std::make_unique<FrameMapping>();
    mapping->bytes =
        static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(size.height());
    mapping->address =
        mmap(nullptr, mapping->bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping->address == MAP_FAILED)
        return QImage(size, QImage::Format_RGB32);
    auto* bits = static_cast<uchar*>(mapping->address);
    return QImage(bits, size.width(), size.height(), bytesPerLine, QImage::Format_RGB32, UnmapFrame,
                  mapping.release());
}

} // namespace

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
    if (back_.size() != size_)
        back_ = NewFrame(size_);
    if (back_.isNull())
        return nullptr;
    drawing_ = true;
    return &back_;
}

void FrameExchange::WaitUntilTaken(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, stop, HandOverLimit, [this] { return !readyFull_ || !open_; });
}

void FrameExchange::EndFrame(bool present, std::uint32_t frameTime) {
    std::function<void()> notifier;
    {
        std::lock_guard lock(mutex_);
        if (present && open_ && back_.size() == size_) {
            if (readyFull_)
                ++dropped_;
            std::swap(back_, ready_);
            readyFull_ = true;
            readyTime_ = frameTime;
            ++handedOver_;
            notifier = notifier_;
        }
        drawing_ = false;
        changed_.notify_all();
    }
    if (notifier)
        notifier();
}

FrameExchange::Shown FrameExchange::TakeFrame() {
    std::lock_guard lock(mutex_);
    const bool fresh = readyFull_;
    if (fresh) {
        std::swap(ready_, front_);
        frontTime_ = readyTime_;
        readyFull_ = false;
        hasFront_ = true;
        ++shown_;
        changed_.notify_all();
    }
    return {hasFront_ ? &front_ : nullptr, fresh, frontTime_};
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
