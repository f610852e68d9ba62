#pragma once

// The sound of a session written to a WAV file on a worker thread of its own, so a window can
// show the progress and stay usable. Cancelling, or any failure, leaves no file behind (and a
// file that was there before keeps what it held).
//
// Thread rule: the job is made, asked and destroyed on one thread; it renders on its own
// worker thread, which Cancel stops at the next block and the destructor joins. Progress()
// and Finished() never block; Outcome() may be read once Finished() is true.

#include "ExportOutcome.h"
#include "model/Session.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

class SoundExportJob {
public:
    // Starts rendering the whole session (moved media are looked for in projectFolder) at
    // rate frames per second into target.
    SoundExportJob(Session session, std::string projectFolder, std::filesystem::path target,
                   int rate);
    ~SoundExportJob();
    SoundExportJob(const SoundExportJob&) = delete;
    SoundExportJob& operator=(const SoundExportJob&) = delete;

    void Cancel() { cancelled_ = true; }
    bool Finished() const { return finished_; }

    // The share of the sound rendered so far, 0 to 1.
    double Progress() const;

    const ExportOutcome& Outcome() const { return outcome_; }

private:
    void Run(Session session, std::string projectFolder, std::filesystem::path target, int rate);

    std::atomic<bool> cancelled_{false};
    std::atomic<bool> finished_{false};
    std::atomic<std::uint64_t> doneFrames_{0};
    std::atomic<std::uint64_t> totalFrames_{0};
    ExportOutcome outcome_; // written by the worker before finished_ is set
    std::thread worker_;
};
