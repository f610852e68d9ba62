#include "SoundExportJob.h"

#include <utility>

namespace umbrascope {

SoundExportJob::SoundExportJob(Session session, std::string projectFolder,
                               std::filesystem::path target, SoundExportSettings settings)
    : ExportJob([session = std::move(session), projectFolder = std::move(projectFolder),
                 target = std::move(target),
                 settings = std::move(settings)](Steps& steps, ExportOutcome& outcome) mutable {
          settings.writing = WritingOptions(steps);
          outcome = ExportSound(std::move(session), std::move(projectFolder), target, settings,
                                [&steps](std::uint64_t done, std::uint64_t total) {
                                    steps.total = total;
                                    steps.done = done;
                                    return !steps.cancelled;
                                });
      }) {}

} // namespace umbrascope
