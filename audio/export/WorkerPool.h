#pragma once

// A few long-lived threads that run the iterations of one loop at a time, so that the export
// can fill and convert its tracks side by side without starting threads for every block.
//
// Thread rule: Run is called from one thread at a time; it returns when every iteration has
// finished, so the work it hands out never outlives the call.

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace umbrascope {

class WorkerPool {
public:
    // helpers: threads besides the caller's; 0 runs everything on the calling thread.
    explicit WorkerPool(unsigned helpers);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Calls work(i) for every i below count, on the caller's thread and the pool's threads.
    // work must not throw.
    void Run(std::size_t count, const std::function<void(std::size_t)>& work);

private:
    void Help();
    void RunShare();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    const std::function<void(std::size_t)>* work_ = nullptr;
    std::size_t count_ = 0;
    std::size_t next_ = 0;
    std::size_t unfinished_ = 0;
    std::size_t generation_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace umbrascope
