#include "WorkerPool.h"

namespace umbrascope {

WorkerPool::WorkerPool(unsigned helpers) {
    for (unsigned i = 0; i < helpers; ++i)
        threads_.emplace_back([this] { Help(); });
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& thread : threads_)
        thread.join();
}

// Takes iterations one by one until none is left; called with the lock not held.
void WorkerPool::RunShare() {
    std::unique_lock lock(mutex_);
    while (next_ < count_) {
        const std::size_t index = next_++;
        const auto* work = work_;
        lock.unlock();
        (*work)(index);
        lock.lock();
        if (--unfinished_ == 0)
            finished_.notify_all();
    }
}

void WorkerPool::Help() {
    std::size_t seen = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_)
                return;
            seen = generation_;
        }
        RunShare();
    }
}

void WorkerPool::Run(std::size_t count, const std::function<void(std::size_t)>& work) {
    if (count == 0)
        return;
    {
        std::lock_guard lock(mutex_);
        work_ = &work;
        count_ = count;
        next_ = 0;
        unfinished_ = count;
        ++generation_;
    }
    if (count > 1)
        wake_.notify_all();
    RunShare();
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return unfinished_ == 0; });
    work_ = nullptr;
    count_ = 0;
}

} // namespace umbrascope
