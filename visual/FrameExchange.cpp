#include "FrameExchange.h"

#include <sys/mman.h>

#include <cstdint>
#include <memory>
#include <utility>

namespace umbrascope {

namespace {

// Frames are the program's largest buffers, and they come and go with every play. Mapped from
// the system, they go back to it when the window hides; from the heap they would stay resident,
// since the allocator keeps freed blocks of that size for reuse (about 8 MB a frame at
// 1920 x 1080, in each thread's own arena). They are laid on large pages where the system
// offers them: a 4K frame is 33 MB, which in small pages costs some 8,000 faults when first
// drawn and a translation miss on every few rows after.
struct FrameMapping {
    void* address = nullptr;
    std::size_t bytes = 0;
};

constexpr std::size_t LargePage = std::size_t{2} << 20;

void UnmapFrame(void* info) {
    const std::unique_ptr<FrameMapping> mapping(static_cast<FrameMapping*>(info));
    munmap(mapping->address, mapping->bytes);
}

} // namespace

QImage PresentationFrame(QSize size, bool takeMemoryNow) {
    const qsizetype bytesPerLine = qsizetype{size.width()} * 4;
    const auto frameBytes =
        static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(size.height());
    auto mapping = std::make_unique<FrameMapping>();
    mapping->bytes = frameBytes + LargePage; // room to start on a large page
    mapping->address =
        mmap(nullptr, mapping->bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping->address == MAP_FAILED)
        return QImage(size, QImage::Format_RGB32);
    const auto start = reinterpret_cast<std::uintptr_t>(mapping->address);
    auto* bits = reinterpret_cast<uchar*>((start + LargePage - 1) / LargePage * LargePage);
    madvise(bits, frameBytes, MADV_HUGEPAGE); // a hint: without large pages, small ones serve
#ifdef MADV_POPULATE_WRITE
    if (takeMemoryNow)
        madvise(bits, frameBytes, MADV_POPULATE_WRITE); // a hint too: else the first drawing does
#endif
    return QImage(bits, size.width(), size.height(), bytesPerLine, QImage::Format_RGB32, UnmapFrame,
                  mapping.release());
}

void FrameExchange::Open(QSize size) {
    // The buffers take their memory now, while the window comes up, rather than in the first
    // frames, which would come late.
    QImage buffers[] = {PresentationFrame(size, true), PresentationFrame(size, true),
                        PresentationFrame(size, true)};
    std::lock_guard lock(mutex_);
    size_ = size;
    open_ = true;
    back_ = std::move(buffers[0]);
    ready_ = std::move(buffers[1]);
    front_ = std::move(buffers[2]);
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
        back_ = PresentationFrame(size_);
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

} // namespace umbrascope
