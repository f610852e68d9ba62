// umbrascope --export-audio FILE.usp OUT.wav|OUT.flac [--from MS] [--to MS] [--rate HZ]
//             [--bits 16|24] [--no-dither]

#include "Cli.h"
#include "CommandWriting.h"
#include "ExportCommand.h"
#include "Interruptions.h"
#include "Usage.h"
#include "audio/export/SoundExport.h"
#include "audio/export/SoundFileFormats.h"
#include "base/FileUtils.h"
#include "ui/ShownText.h"

#include <algorithm>
#include <vector>

namespace umbrascope {

namespace {

std::string ExportAudioUsage() {
    return "usage: umbrascope --export-audio FILE.usp " + SoundFileNamesSynopsis() +
           " [--from MS] [--to MS] [--rate HZ] [--bits " + SoundFileBitsSynopsis() +
           "] [--no-dither]";
}

std::optional<std::string> ReadBits(const std::pair<std::string, std::string>& option, int& bits) {
    const std::vector<int> widths = SoundFileBits();
    const auto number = ParseMilliseconds(option.second);
    if (!number || std::find(widths.begin(), widths.end(), *number) == widths.end()) {
        std::vector<std::string> named;
        for (const int width : widths)
            named.push_back(std::to_string(width));
        return "--bits takes " + JoinedWithOr(named);
    }
    bits = *number;
    return std::nullopt;
}

std::optional<std::string> ReadOptions(const ExportRequest& request,
                                       SoundExportSettings& settings) {
    for (const auto& option : request.options) {
        std::optional<std::string> problem;
        if (option.first == "--no-dither")
            settings.format.dither = false;
        else if (option.first == "--rate")
            problem = ReadWholeNumber(option, 8000, 192000, settings.rate);
        else if (option.first == "--bits")
            problem = ReadBits(option, settings.format.bits);
        else
            problem = "unknown option " + option.first;
        if (problem)
            return problem;
    }
    return std::nullopt;
}

} // namespace

int RunExportAudioCommand(const std::vector<std::string>& arguments) {
    ExportRequest request;
    SoundExportSettings settings;
    if (const auto problem =
            ParseExportRequest(arguments, ExportAudioUsage(), {"--no-dither"}, request))
        return Fail(*problem);
    if (const auto problem = ReadOptions(request, settings))
        return Fail(*problem);
    if (const auto problem =
            RefuseUnknownExtension(request.output, SoundFileExtensions(), "the sound export"))
        return Fail(*problem);
    // Before the project opens, as a built session's media are unpacked then.
    CatchInterruptions();
    UnpackedMedia media;
    SessionDocument document;
    if (const auto problem =
            OpenExportProject(request, false, document, media, settings.from, settings.to))
        return Fail(*problem);

    settings.writing = CommandWriteOptions(request.output);
    try {
        std::optional<ProgressBar> progress;
        const ExportOutcome outcome =
            ExportSound(document.Contents(), document.ProjectFolder(), request.output, settings,
                        [&](std::uint64_t done, std::uint64_t total) {
                            if (!progress)
                                progress.emplace(total);
                            progress->Show(done);
                            return !Interrupted();
                        });
        if (outcome.cancelled)
            return Fail(InterruptedMessage(request.output));
        ReportExportProblems(outcome.problems, outcome.leftOut);
        ReportClipping(outcome.clippedSamples, outcome.renderedSamples, outcome.firstClipTime);
    } catch (const UserTextError& error) {
        return Fail(request.output.string() + ": " + EnglishText(error.Message()));
    } catch (const IoError& error) {
        return Fail(request.output.string() + ": " + error.what());
    }
    return 0;
}

} // namespace umbrascope
