#include "PcmQueue.h"

#include "SampleFormat.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

std::atomic<std::uint64_t> allUnderruns{0};

template <typename Sample> Sample Scaled(double value, double level) {
    const double scaled = std::nearbyint(value * level);
    constexpr double low = std::numeric_limits<Sample>::min();
    constexpr double high = std::numeric_limits<Sample>::max();
    return static_cast<Sample>(std::clamp(scaled, low, high));
}

template <typename Sample>
void ScaleSamples(std::uint8_t* data, std::size_t bytes, int channels, double left, double right) {
    const std::size_t count = bytes / sizeof(Sample);
    for (std::size_t i = 0; i < count; ++i) {
        const double level = (i % channels) % 2 == 0 ? left : right;
        Sample sample;
        std::memcpy(&sample, data + i * sizeof(Sample), sizeof(Sample));
        sample = Scaled<Sample>(sample, level);
        std::memcpy(data + i * sizeof(Sample), &sample, sizeof(Sample));
    }
}

void ScaleUnsigned8(std::uint8_t* data, std::size_t bytes, int channels, double left,
                    double right) {
    for (std::size_t i = 0; i < bytes; ++i) {
        const double level = (i % channels) % 2 == 0 ? left : right;
        data[i] = static_cast<std::uint8_t>(Scaled<std::int8_t>(data[i] - 128.0, level) + 128);
    }
}

} // namespace

std::uint64_t AudioUnderrunCount() {
    return allUnderruns.load();
}

PcmQueue::PcmQueue(const PcmFormat& format) : input_(format), device_(WidenedFormat(format)) {}

std::uint64_t PcmQueue::Push(const std::uint8_t* data, std::size_t bytes) {
    std::lock_guard lock(mutex_);
    std::vector<std::uint8_t> frames = std::move(partialFrame_);
    frames.insert(frames.end(), data, data + bytes);
    const std::size_t whole = frames.size() - frames.size() % input_.BlockAlign;
    partialFrame_.assign(frames.begin() + static_cast<std::ptrdiff_t>(whole), frames.end());
    frames.resize(whole);
    if (input_.BitsPerSample == 24)
        frames = Widen24(frames.data(), frames.size());

    if (starved_) {
        ++underruns_;
        ++allUnderruns;
        starved_ = false;
    }
    const std::uint64_t ticket = ++lastQueued_;
    if (frames.empty())
        lastPlayed_ = ticket; // nothing for the device to play
    else
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
    left_ = std::clamp(left, 0.0, 1.0);
    right_ = std::clamp(right, 0.0, 1.0);
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

std::size_t PcmQueue::Consume(std::uint8_t* out, std::size_t bytes) {
    std::lock_guard lock(mutex_);
    std::size_t taken = 0;
    while (taken < bytes && !entries_.empty() && !closed_) {
        Entry& entry = entries_.front();
        const std::size_t count = std::min(bytes - taken, entry.bytes.size() - entry.offset);
        std::memcpy(out + taken, entry.bytes.data() + entry.offset, count);
        entry.offset += count;
        taken += count;
        if (entry.offset == entry.bytes.size()) {
            MarkPlayed(entry.ticket);
            entries_.pop_front();
        }
    }
    ApplyLevel(out, taken);
    if (taken < bytes) {
        std::memset(out + taken, device_.BitsPerSample == 8 ? 0x80 : 0, bytes - taken);
        if (lastQueued_ > 0 && !closed_)
            starved_ = true;
    }
    return taken;
}

std::optional<std::vector<std::uint8_t>>
PcmQueue::ConsumeBuffer(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return !entries_.empty() || closed_; });
    if (entries_.empty() || closed_)
        return std::nullopt;
    Entry entry = std::move(entries_.front());
    entries_.pop_front();
    std::vector<std::uint8_t> played(
        entry.bytes.begin() + static_cast<std::ptrdiff_t>(entry.offset), entry.bytes.end());
    ApplyLevel(played.data(), played.size());
    MarkPlayed(entry.ticket);
    return played;
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

void PcmQueue::ApplyLevel(std::uint8_t* data, std::size_t bytes) const {
    if (left_ == 1 && right_ == 1)
        return;
    const int channels = device_.Channels;
    switch (device_.BitsPerSample) {
    case 8:
        ScaleUnsigned8(data, bytes, channels, left_, right_);
        break;
    case 16:
        ScaleSamples<std::int16_t>(data, bytes, channels, left_, right_);
        break;
    default:
        ScaleSamples<std::int32_t>(data, bytes, channels, left_, right_);
        break;
    }
}
