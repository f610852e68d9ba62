#pragma once

// A session exported as a video on a worker thread of its own, so a window can show the
// progress and stay usable. Cancelling, or any failure, leaves no file behind (and a file that
// was there before keeps what it held).
//
// Thread rule: the job is made, asked and destroyed on one thread (the user-interface thread,
// whose QGuiApplication the drawing needs); it exports on its own worker thread, which Cancel
// stops after the frame in hand and the destructor joins. Progress() and Finished() never
// block; Outcome() may be read once Finished() is true.

#include "VideoExport.h"
#include "audio/ExportOutcome.h"
#include "model/Session.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

class VideoExportJob {
public:
    // Starts exporting the session (moved media are looked for in projectFolder) into target.
    VideoExportJob(Session session, std::string projectFolder, std::filesystem::path target,
                   VideoExportSettings settings);
    ~VideoExportJob();
    VideoExportJob(const VideoExportJob&) = delete;
    VideoExportJob& operator=(const VideoExportJob&) = delete;

    void Cancel() { cancelled_ = true; }
    bool Finished() const { return finished_; }

    // The share of the frames written so far, 0 to 1.
    double Progress() const;

    const ExportOutcome& Outcome() const { return outcome_; }

private:
    void Run(Session session, std::string projectFolder, std::filesystem::path target,
             VideoExportSettings settings);

    std::atomic<bool> cancelled_{false};
    std::atomic<bool> finished_{false};
    std::atomic<std::uint64_t> doneFrames_{0};
    std::atomic<std::uint64_t> totalFrames_{0};
    ExportOutcome outcome_; // written by the worker before finished_ is set
    std::thread worker_;
};
