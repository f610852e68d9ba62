#pragma once

// An export made on a worker thread of its own, so a window can show the progress and stay
// usable: the sound export's and the video export's. Cancelling, or any failure, leaves no file
// behind (and a file that was there before keeps what it held).
//
// Thread rule: the job is made, asked and destroyed on one thread; its work runs on the worker
// thread, which Cancel stops at the work's next step and the destructor joins. Progress() and
// Finished() never block; Outcome() may be read once Finished() is true.

#include "ExportOutcome.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace umbrascope {

class ExportJob {
public:
    // What the work and the job share while the work runs.
    struct Steps {
        std::atomic<bool> cancelled{false};
        std::atomic<std::uint64_t> done{0};
        std::atomic<std::uint64_t> total{0};
    };
    // Runs on the worker thread: counts its steps, looks at cancelled between them and fills
    // the outcome. An exception it throws becomes the outcome's error.
    using Work = std::function<void(Steps& steps, ExportOutcome& outcome)>;

    explicit ExportJob(Work work);
    ~ExportJob();
    ExportJob(const ExportJob&) = delete;
    ExportJob& operator=(const ExportJob&) = delete;

    void Cancel() { steps_.cancelled = true; }
    bool Finished() const { return finished_; }

    // The share of the steps done so far, 0 to 1.
    double Progress() const;

    const ExportOutcome& Outcome() const { return outcome_; }

private:
    void Run(const Work& work);

    Steps steps_;
    std::atomic<bool> finished_{false};
    ExportOutcome outcome_; // written by the worker before finished_ is set
    std::thread worker_;
};

} // namespace umbrascope
