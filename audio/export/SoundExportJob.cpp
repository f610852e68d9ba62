#include "SoundExportJob.h"

#include "SessionExport.h"
#include "WavFileWriter.h"

#include <utility>
#include <vector>

namespace umbrascope {

SoundExportJob::SoundExportJob(Session session, std::string projectFolder,
                               std::filesystem::path target, int rate)
    : ExportJob([session = std::move(session), projectFolder = std::move(projectFolder),
                 target = std::move(target), rate](Steps& steps, ExportOutcome& outcome) {
          SessionRenderer renderer(session, projectFolder, 0, session.SessionLength, rate);
          steps.total = renderer.TotalFrames();
          if (renderer.TotalFrames() * 4 > WavFileWriter::MaxDataBytes)
              throw UserTextError(Translatable("umbrascope::SoundExportJob",
                                               "Звук сессии слишком длинный для файла WAV"));
          WavFileWriter writer(target, rate, 16, WritingOptions(steps));
          constexpr std::size_t BlockFrames = 16384; // a cancel is seen within a tenth of a second
          std::vector<std::int16_t> block(BlockFrames * 2);
          while (const std::size_t frames = renderer.Render(block.data(), BlockFrames)) {
              if (steps.cancelled) {
                  outcome.cancelled = true;
                  break;
              }
              writer.Write(block.data(), frames);
              steps.done = renderer.RenderedFrames();
          }
          if (!outcome.cancelled) {
              writer.Finish();
              outcome.written = true;
          }
          outcome.clippedSamples = renderer.ClippedSamples();
          outcome.renderedSamples = renderer.RenderedFrames() * 2;
          outcome.firstClipTime = renderer.FirstClipTime();
          outcome.problems = renderer.Problems();
          outcome.leftOut = renderer.LeftOut();
      }) {}

} // namespace umbrascope
