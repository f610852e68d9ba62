// umbrascope --export-audio FILE.usp OUT.wav [--from MS] [--to MS] [--rate HZ]

#include "Cli.h"
#include "ExportCommand.h"
#include "audio/SessionExport.h"
#include "audio/WavFileWriter.h"
#include "base/FileUtils.h"
#include "model/Common.h"

#include <iostream>
#include <vector>

namespace {

constexpr const char* ExportAudioUsage =
    "usage: umbrascope --export-audio FILE.usp OUT.wav [--from MS] [--to MS] [--rate HZ]";

std::optional<std::string> ReadOptions(const ExportRequest& request, int& rate) {
    for (const auto& option : request.options) {
        if (option.first != "--rate")
            return "unknown option " + option.first;
        if (ReadWholeNumber(option, 8000, 192000, rate))
            return std::string("--rate takes a rate from 8000 to 192000 Hz");
    }
    return std::nullopt;
}

} // namespace

int RunExportAudioCommand(const std::vector<std::string>& arguments) {
    ExportRequest request;
    int rate = 44100;
    if (const auto problem = ParseExportRequest(arguments, ExportAudioUsage, request))
        return Fail(*problem);
    if (const auto problem = ReadOptions(request, rate))
        return Fail(*problem);
    std::int32_t from = 0, to = 0;
    if (const auto problem = OpenExportProject(request, false, from, to))
        return Fail(*problem);

    CatchInterruptions();
    try {
        SessionRenderer renderer(OpenSession(), OpenProjectFolder(), from, to, rate);
        if (renderer.TotalFrames() * 4 > WavFileWriter::MaxDataBytes)
            return Fail("the sound is too long for a WAV file; export a shorter stretch");
        WavFileWriter writer(request.output, rate);
        ProgressBar progress(renderer.TotalFrames());
        std::vector<std::int16_t> block(65536 * 2);
        while (const std::size_t frames = renderer.Render(block.data(), 65536)) {
            if (Interrupted())
                return Fail(InterruptedMessage(request.output));
            writer.Write(block.data(), frames);
            progress.Show(renderer.RenderedFrames());
        }
        writer.Finish();
        ReportExportProblems(renderer.Problems(), renderer.LeftOut());
        std::cout << "Clipped samples: " << renderer.ClippedSamples() << '\n';
    } catch (const EInOutError& error) {
        return Fail(request.output.string() + ": " + error.what());
    }
    return 0;
}
