#include "MemoryAudioBackend.h"

#include "StreamMix.h"

namespace umbrascope {

std::unique_ptr<AudioStream> MemoryAudioBackend::Open(const PcmFormat& format) {
    std::lock_guard lock(mutex_);
    if (openFails_)
        return nullptr;
    auto queue = std::make_shared<PcmQueue>(format, deviceRate_);
    if (!queue->Valid())
        return nullptr;
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

std::vector<float> MemoryAudioBackend::Mix(std::size_t frames, std::chrono::milliseconds timeout) {
    std::vector<std::shared_ptr<PcmQueue>> streams;
    {
        std::lock_guard lock(mutex_);
        streams = streams_;
    }
    for (const auto& stream : streams)
        stream->WaitQueuedFrames(frames, timeout);
    std::vector<float> mixed(frames * 2);
    MixStreams(streams, mixed.data(), frames);
    return mixed;
}

} // namespace umbrascope
