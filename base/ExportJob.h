#pragma once

// An export made on a worker thread of its own, so a window can show the progress and stay
// usable: the sound export's and the video export's. Cancelling, or any failure, leaves no file
// behind (and a file that was there before keeps what it held).
//
// Thread rule: the job is made, asked and destroyed on one thread; its work runs on the worker
// thread, which Cancel stops at the work's next step and the destructor joins. Progress() and
// Finished() and WaitingForLock() never block; Outcome() may be read once Finished() is true.

#include "ExportOutcome.h"
#include "WriteOptions.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

namespace umbrascope {

class ExportJob {
public:
    // What the work and the job share while the work runs.
    struct Steps {
        std::atomic<bool> cancelled{false};
        std::atomic<std::uint64_t> done{0};
        std::atomic<std::uint64_t> total{0};
        // When the work last waited for another program's lock on its file (steady clock, ms).
        std::atomic<std::int64_t> lockWaitSeen{-1};
        std::vector<UserText> notices; // the worker's alone; added to the outcome's problems
    };
    // How the work's file waits for another program's lock: while the job is not cancelled,
    // showing the wait through WaitingForLock; what the file was written without goes to the
    // outcome's problems.
    static WriteOptions WritingOptions(Steps& steps);
    // Runs on the worker thread: counts its steps, looks at cancelled between them and fills
    // the outcome. An exception it throws becomes the outcome's error.
    using Work = std::function<void(Steps& steps, ExportOutcome& outcome)>;

    explicit ExportJob(Work work);
    ~ExportJob();
    ExportJob(const ExportJob&) = delete;
    ExportJob& operator=(const ExportJob&) = delete;

    void Cancel() { steps_.cancelled = true; }
    bool Finished() const { return finished_; }

    // True while the work waits for another program to let go of its file.
    bool WaitingForLock() const;

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
