#include "VideoExportJob.h"

#include <utility>

namespace umbrascope {

VideoExportJob::VideoExportJob(Session session, std::string projectFolder,
                               std::filesystem::path target, VideoExportSettings settings)
    : ExportJob([session = std::move(session), projectFolder = std::move(projectFolder),
                 target = std::move(target),
                 settings = std::move(settings)](Steps& steps, ExportOutcome& outcome) mutable {
          settings.writing = WritingOptions(steps);
          VideoExport video(session, projectFolder, target, settings);
          steps.total = video.TotalFrames();
          outcome.written = video.Run([&steps](std::uint64_t done) {
              steps.done = done;
              return !steps.cancelled;
          });
          outcome.cancelled = !outcome.written;
          outcome.clippedSamples = video.ClippedSamples();
          outcome.renderedSamples = video.SoundSamples();
          outcome.firstClipTime = video.FirstClipTime();
          outcome.problems = video.Problems();
          outcome.leftOut = video.LeftOut();
      }) {}

} // namespace umbrascope
