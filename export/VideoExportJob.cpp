#include "VideoExportJob.h"

#include <exception>
#include <utility>

VideoExportJob::VideoExportJob(Session session, std::string projectFolder,
                               std::filesystem::path target, VideoExportSettings settings)
    : worker_(&VideoExportJob::Run, this, std::move(session), std::move(projectFolder),
              std::move(target), settings) {}

VideoExportJob::~VideoExportJob() {
    Cancel();
    worker_.join();
}

double VideoExportJob::Progress() const {
    const std::uint64_t total = totalFrames_;
    return total == 0 ? 0.0 : static_cast<double>(doneFrames_) / static_cast<double>(total);
}

void VideoExportJob::Run(Session session, std::string projectFolder, std::filesystem::path target,
                         VideoExportSettings settings) {
    try {
        VideoExport video(std::move(session), std::move(projectFolder), target, settings);
        totalFrames_ = video.TotalFrames();
        outcome_.written = video.Run([this](std::uint64_t done) {
            doneFrames_ = done;
            return !cancelled_;
        });
        outcome_.cancelled = !outcome_.written;
        outcome_.clippedSamples = video.ClippedSamples();
        outcome_.problems = video.Problems();
        outcome_.leftOut = video.LeftOut();
    } catch (const std::exception& failure) {
        outcome_.error = failure.what();
    } catch (...) {
        outcome_.error = "unexpected failure";
    }
    finished_ = true;
}
