// umbrascope --export-audio FILE.usp OUT.wav|OUT.flac [--from MS] [--to MS] [--rate HZ]
//             [--bits 16|24] [--no-dither]

#include "Cli.h"
#include "CommandWriting.h"
#include "ExportCommand.h"
#include "Interruptions.h"
#include "audio/export/SessionExport.h"
#include "audio/export/SoundFileWriter.h"
#include "audio/export/WavFileWriter.h"
#include "base/FileUtils.h"

#include <iostream>
#include <vector>

namespace umbrascope {

namespace {

constexpr const char* ExportAudioUsage =
    "usage: umbrascope --export-audio FILE.usp OUT.wav|OUT.flac [--from MS] "
    "[--to MS] [--rate HZ] [--bits 16|24] [--no-dither]";

std::optional<std::string> ReadOptions(const ExportRequest& request, int& rate,
                                       ExportFormat& format) {
    for (const auto& option : request.options) {
        if (option.first == "--no-dither") {
            format.dither = false;
        } else if (option.first == "--rate") {
            if (ReadWholeNumber(option, 8000, 192000, rate))
                return std::string("--rate takes a rate from 8000 to 192000 Hz");
        } else if (option.first == "--bits") {
            if (ReadWholeNumber(option, 16, 24, format.bits) || format.bits % 8 != 0)
                return std::string("--bits takes 16 or 24");
        } else {
            return "unknown option " + option.first;
        }
    }
    return std::nullopt;
}

} // namespace

int RunExportAudioCommand(const std::vector<std::string>& arguments) {
    ExportRequest request;
    int rate = 44100;
    ExportFormat format;
    if (const auto problem =
            ParseExportRequest(arguments, ExportAudioUsage, {"--no-dither"}, request))
        return Fail(*problem);
    if (const auto problem = ReadOptions(request, rate, format))
        return Fail(*problem);
    if (const auto problem =
            RefuseUnknownExtension(request.output, {".wav", ".flac"}, "the sound export"))
        return Fail(*problem);
    // Before the project opens, as a built session's media are unpacked then.
    CatchInterruptions();
    UnpackedMedia media;
    SessionDocument document;
    std::int32_t from = 0, to = 0;
    if (const auto problem = OpenExportProject(request, false, document, media, from, to))
        return Fail(*problem);

    try {
        SessionRenderer renderer(document.Contents(), document.ProjectFolder(), from, to, rate,
                                 format);
        const bool flac = IsFlacName(request.output);
        const std::uint64_t bytesPerFrame = format.bits / 8 * 2;
        if (!flac && renderer.TotalFrames() * bytesPerFrame > WavFileWriter::MaxDataBytes)
            return Fail("the sound is too long for a WAV file; export a shorter stretch");
        const auto writer =
            OpenSoundFileWriter(request.output, rate, format.bits, renderer.TotalFrames(),
                                CommandWriteOptions(request.output));
        // 16-bit WAV files take the renderer's samples as they are.
        auto* plainWav = dynamic_cast<WavFileWriter*>(writer.get());
        if (format.bits != 16)
            plainWav = nullptr;
        ProgressBar progress(renderer.TotalFrames());
        constexpr std::size_t BlockFrames = 65536;
        std::vector<std::int16_t> narrow(plainWav ? BlockFrames * 2 : 0);
        std::vector<std::int32_t> wide(plainWav ? 0 : BlockFrames * 2);
        for (;;) {
            const std::size_t frames = plainWav ? renderer.Render(narrow.data(), BlockFrames)
                                                : renderer.Render(wide.data(), BlockFrames);
            if (frames == 0)
                break;
            if (Interrupted())
                return Fail(InterruptedMessage(request.output));
            if (plainWav)
                plainWav->Write(narrow.data(), frames);
            else
                writer->Write(wide.data(), frames);
            progress.Show(renderer.RenderedFrames());
        }
        writer->Finish();
        ReportExportProblems(renderer.Problems(), renderer.LeftOut());
        ReportClipping(renderer.ClippedSamples(), renderer.RenderedFrames() * 2,
                       renderer.FirstClipTime());
    } catch (const IoError& error) {
        return Fail(request.output.string() + ": " + error.what());
    }
    return 0;
}

} // namespace umbrascope
