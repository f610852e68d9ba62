#pragma once

// A bounded queue that hands items from one thread to another: Push waits while it is full,
// Pop while it is empty, and Close ends both waits for good (what is still queued is dropped).
//
// Thread rule: thread safe; meant for one producer and one consumer.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>

namespace umbrascope {

template <typename T> class HandOverQueue {
public:
    explicit HandOverQueue(std::size_t capacity) : capacity_(capacity) {}

    // False, without queueing, once the queue is closed.
    bool Push(T item) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return closed_ || items_.size() < capacity_; });
        if (closed_)
            return false;
        items_.push_back(std::move(item));
        changed_.notify_all();
        return true;
    }

    // Empty once the queue is closed.
    std::optional<T> Pop() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return closed_ || !items_.empty(); });
        if (closed_)
            return std::nullopt;
        T item = std::move(items_.front());
        items_.pop_front();
        changed_.notify_all();
        return item;
    }

    void Close() {
        std::lock_guard lock(mutex_);
        closed_ = true;
        items_.clear();
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<T> items_;
    std::size_t capacity_;
    bool closed_ = false;
};

} // namespace umbrascope
