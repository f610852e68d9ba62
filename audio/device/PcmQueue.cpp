#include "PcmQueue.h"

#include <algorithm>
#include <atomic>

namespace umbrascope {

namespace {

std::atomic<std::uint64_t> allUnderruns{0};

// Played buffers kept for reuse: two are in flight, so a few are enough.
constexpr std::size_t SpareBuffers = 4;

} // namespace

std::uint64_t AudioUnderrunCount() {
    return allUnderruns.load();
}

PcmQueue::PcmQueue(const PcmFormat& format, int deviceRate)
    : track_(format), deviceRate_(deviceRate), converter_(format, deviceRate) {
    spare_.reserve(SpareBuffers);
}

std::uint64_t PcmQueue::Push(const std::uint8_t* data, std::size_t bytes) {
    std::vector<float> frames;
    {
        std::lock_guard lock(mutex_);
        if (!spare_.empty()) {
            frames = std::move(spare_.back());
            spare_.pop_back();
        }
    }
    converter_.Put(data, bytes);
    frames.resize(converter_.AvailableFrames() * 2);
    converter_.Take(frames.data(), frames.size() / 2);

    std::lock_guard lock(mutex_);
    if (starved_) {
        ++underruns_;
        ++allUnderruns;
        starved_ = false;
    }
    // A buffer the converter holds back whole (at a low rate the first one may fill only its
    // delay) still waits its turn: it counts as played when the device has got that far.
    const std::uint64_t ticket = ++lastQueued_;
    entries_.push_back(Entry{std::move(frames), 0, ticket});
    changed_.notify_all();
    return ticket;
}

bool PcmQueue::HasPlayed(std::uint64_t ticket) const {
    std::lock_guard lock(mutex_);
    return lastPlayed_ >= ticket;
}

bool PcmQueue::WaitUntilPlayed(std::uint64_t ticket, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return lastPlayed_ >= ticket || closed_; });
    return lastPlayed_ >= ticket;
}

void PcmQueue::SetLevel(double left, double right) {
    std::lock_guard lock(mutex_);
    left_ = static_cast<float>(std::clamp(left, 0.0, 1.0));
    right_ = static_cast<float>(std::clamp(right, 0.0, 1.0));
}

void PcmQueue::Drop() {
    std::lock_guard lock(mutex_);
    entries_.clear();
    lastPlayed_ = lastQueued_;
    starved_ = false;
    changed_.notify_all();
}

void PcmQueue::Close() {
    std::lock_guard lock(mutex_);
    entries_.clear();
    lastPlayed_ = lastQueued_;
    closed_ = true;
    changed_.notify_all();
}

bool PcmQueue::Closed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

void PcmQueue::MarkPlayed(std::uint64_t ticket) {
    lastPlayed_ = ticket;
    changed_.notify_all();
}

void PcmQueue::Recycle(std::vector<float>&& frames) {
    if (spare_.size() < spare_.capacity())
        spare_.push_back(std::move(frames));
}

std::size_t PcmQueue::MixInto(float* out, std::size_t frames) {
    std::lock_guard lock(mutex_);
    std::size_t taken = 0;
    while (taken < frames && !entries_.empty() && !closed_) {
        Entry& entry = entries_.front();
        const std::size_t count =
            std::min(frames - taken, (entry.frames.size() - entry.offset) / 2);
        const float* from = entry.frames.data() + entry.offset;
        float* to = out + taken * 2;
        for (std::size_t i = 0; i < count; ++i) {
            to[i * 2] += from[i * 2] * left_;
            to[i * 2 + 1] += from[i * 2 + 1] * right_;
        }
        entry.offset += count * 2;
        taken += count;
        if (entry.offset == entry.frames.size()) {
            MarkPlayed(entry.ticket);
            Recycle(std::move(entry.frames));
            entries_.pop_front();
        }
    }
    if (taken < frames && lastQueued_ > 0 && !closed_)
        starved_ = true;
    return taken;
}

std::optional<std::vector<float>> PcmQueue::ConsumeBuffer(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return !entries_.empty() || closed_; });
    if (entries_.empty() || closed_)
        return std::nullopt;
    Entry entry = std::move(entries_.front());
    entries_.pop_front();
    std::vector<float> played(entry.frames.begin() + static_cast<std::ptrdiff_t>(entry.offset),
                              entry.frames.end());
    for (std::size_t i = 0; i < played.size(); ++i)
        played[i] *= i % 2 == 0 ? left_ : right_;
    MarkPlayed(entry.ticket);
    return played;
}

std::size_t PcmQueue::QueuedFrames() const {
    std::size_t samples = 0;
    for (const Entry& entry : entries_)
        samples += entry.frames.size() - entry.offset;
    return samples / 2;
}

bool PcmQueue::WaitQueuedFrames(std::size_t frames, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return closed_ || QueuedFrames() >= frames; });
}

bool PcmQueue::WaitClosed(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return closed_; });
}

std::size_t PcmQueue::QueuedBuffers() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

std::size_t PcmQueue::Underruns() const {
    std::lock_guard lock(mutex_);
    return underruns_;
}

void PcmQueue::ReportTo(std::shared_ptr<PlayReports> reports) {
    std::lock_guard lock(mutex_);
    reports_ = std::move(reports);
}

std::shared_ptr<PlayReports> PcmQueue::Reports() const {
    std::lock_guard lock(mutex_);
    return reports_;
}

} // namespace umbrascope
