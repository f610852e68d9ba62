#include "SoundExportJob.h"

#include "SessionExport.h"
#include "WavFileWriter.h"

#include <exception>
#include <stdexcept>
#include <utility>

SoundExportJob::SoundExportJob(Session session, std::string projectFolder,
                               std::filesystem::path target, int rate)
    : worker_(&SoundExportJob::Run, this, std::move(session), std::move(projectFolder),
              std::move(target), rate) {}

SoundExportJob::~SoundExportJob() {
    Cancel();
    worker_.join();
}

double SoundExportJob::Progress() const {
    const std::uint64_t total = totalFrames_;
    return total == 0 ? 0.0 : static_cast<double>(doneFrames_) / static_cast<double>(total);
}

void SoundExportJob::Run(Session session, std::string projectFolder, std::filesystem::path target,
                         int rate) {
    try {
        const std::int32_t length = session.SessionLength;
        SessionRenderer renderer(std::move(session), std::move(projectFolder), 0, length, rate);
        totalFrames_ = renderer.TotalFrames();
        if (renderer.TotalFrames() * 4 > WavFileWriter::MaxDataBytes)
            throw std::length_error("Звук сессии слишком длинный для файла WAV");
        WavFileWriter writer(target, rate);
        constexpr std::size_t BlockFrames = 16384; // a cancel is seen within a tenth of a second
        std::vector<std::int16_t> block(BlockFrames * 2);
        while (const std::size_t frames = renderer.Render(block.data(), BlockFrames)) {
            if (cancelled_) {
                outcome_.cancelled = true;
                break;
            }
            writer.Write(block.data(), frames);
            doneFrames_ = renderer.RenderedFrames();
        }
        if (!outcome_.cancelled) {
            writer.Finish();
            outcome_.written = true;
        }
        outcome_.clippedSamples = renderer.ClippedSamples();
        outcome_.problems = renderer.Problems();
        outcome_.leftOut = renderer.LeftOut();
    } catch (const std::exception& failure) {
        outcome_.error = failure.what();
    } catch (...) {
        outcome_.error = "Неизвестная ошибка";
    }
    finished_ = true;
}
