// umbrascope --export-video FILE.usp OUT.mp4 [--from MS] [--to MS] [--size WxH] [--fps N]
// [--crf Q]: the session as an MP4 video, drawn without a display.

#include "Cli.h"
#include "CommandWriting.h"
#include "ExportCommand.h"
#include "Interruptions.h"
#include "base/FileUtils.h"
#include "export/VideoExport.h"

#include <iostream>

namespace umbrascope {

namespace {

constexpr const char* ExportVideoUsage =
    "usage: umbrascope --export-video FILE.usp OUT.mp4 [--from MS] [--to MS] [--size WxH] "
    "[--fps N] [--crf Q]";

// H.264 levels end at 8192 x 4320; a side may be 8192 on its own.
constexpr int LargestSide = 8192;
constexpr std::int64_t LargestArea = 8192 * 4320;

std::optional<std::string> ReadSize(const std::string& text, QSize& size) {
    const auto parsed = ParseSize(text, LargestSide);
    if (!parsed || parsed->width() % 2 != 0 || parsed->height() % 2 != 0 ||
        std::int64_t{parsed->width()} * parsed->height() > LargestArea)
        return std::string("--size takes WIDTHxHEIGHT with even sides (H.264 needs them), each "
                           "from 2 to 8192, at most 8192x4320 pixels in all");
    size = *parsed;
    return std::nullopt;
}

std::optional<std::string> ReadOptions(const ExportRequest& request,
                                       VideoExportSettings& settings) {
    for (const auto& option : request.options) {
        std::optional<std::string> problem;
        if (option.first == "--size")
            problem = ReadSize(option.second, settings.size);
        else if (option.first == "--fps")
            problem = ReadWholeNumber(option, 1, 240, settings.fps);
        else if (option.first == "--crf")
            // 0 would be lossless, which needs an H.264 profile that few players play.
            problem = ReadWholeNumber(option, 1, 51, settings.crf);
        else
            problem = "unknown option " + option.first;
        if (problem)
            return problem;
    }
    return std::nullopt;
}

} // namespace

int RunExportVideoCommand(const std::vector<std::string>& arguments) {
    ExportRequest request;
    VideoExportSettings settings;
    if (const auto problem = ParseExportRequest(arguments, ExportVideoUsage, {}, request))
        return Fail(*problem);
    if (const auto problem = ReadOptions(request, settings))
        return Fail(*problem);
    if (const auto problem = RefuseUnknownExtension(request.output, {".mp4"}, "the video export"))
        return Fail(*problem);
    // Before the project opens, as a built session's media are unpacked then.
    CatchInterruptions();
    UnpackedMedia media;
    SessionDocument document;
    if (const auto problem =
            OpenExportProject(request, true, document, media, settings.from, settings.to))
        return Fail(*problem);

    settings.writing = CommandWriteOptions(request.output);
    const auto application = MakeOffscreenApplication();
    try {
        VideoExport video(document.Contents(), document.ProjectFolder(), request.output, settings);
        ProgressBar progress(video.TotalFrames());
        const bool written = video.Run([&](std::uint64_t done) {
            progress.Show(done);
            return !Interrupted();
        });
        if (!written)
            return Fail(InterruptedMessage(request.output));
        ReportExportProblems(video.Problems(), video.LeftOut());
        ReportClipping(video.ClippedSamples(), video.SoundSamples(), video.FirstClipTime());
    } catch (const IoError& error) {
        return Fail(request.output.string() + ": " + error.what());
    }
    return 0;
}

} // namespace umbrascope
