#include "MemoryAudioBackend.h"

std::unique_ptr<AudioStream> MemoryAudioBackend::Open(const PcmFormat& format) {
    std::lock_guard lock(mutex_);
    if (openFails_)
        return nullptr;
    auto queue = std::make_shared<PcmQueue>(format);
    streams_.push_back(queue);
    opened_.notify_all();
    return std::make_unique<AudioStream>(std::move(queue), nullptr);
}

void MemoryAudioBackend::SetOpenFails(bool fails) {
    std::lock_guard lock(mutex_);
    openFails_ = fails;
}

std::size_t MemoryAudioBackend::StreamsOpened() const {
    std::lock_guard lock(mutex_);
    return streams_.size();
}

std::shared_ptr<PcmQueue> MemoryAudioBackend::Stream(std::size_t index,
                                                     std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    opened_.wait_for(lock, timeout, [&] { return streams_.size() > index; });
    return index < streams_.size() ? streams_[index] : nullptr;
}
