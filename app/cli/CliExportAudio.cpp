// umbrascope --export-audio FILE.usp OUT.wav|OUT.flac [--from MS] [--to MS] [--rate HZ]
//             [--bits 16|24] [--no-dither]

#include "Cli.h"
#include "audio/SessionExport.h"
#include "audio/SoundFileWriter.h"
#include "audio/WavFileWriter.h"
#include "base/FileUtils.h"
#include "model/Common.h"
#include "model/Cp1251.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int) {
    interrupted = true;
}

struct ExportRequest {
    std::filesystem::path project;
    std::filesystem::path output;
    std::optional<std::int32_t> from;
    std::optional<std::int32_t> to;
    int rate = 44100;
    ExportFormat format;
};

constexpr const char* Usage =
    "usage: umbrascope --export-audio FILE.usp OUT.wav|OUT.flac [--from MS] "
    "[--to MS] [--rate HZ] [--bits 16|24] [--no-dither]";

std::optional<std::string> ParseRequest(const std::vector<std::string>& arguments,
                                        ExportRequest& request) {
    if (arguments.size() < 2)
        return std::string(Usage);
    request.project = arguments[0];
    request.output = arguments[1];
    for (std::size_t i = 2; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--no-dither") {
            request.format.Dither = false;
            continue;
        }
        if (i + 1 == arguments.size())
            return option.starts_with("--") ? option + " needs a value" : std::string(Usage);
        const auto value = ParseMilliseconds(arguments[++i]);
        if (!value)
            return option + " takes a whole number from 0 to 2147483647";
        if (option == "--from")
            request.from = value;
        else if (option == "--to")
            request.to = value;
        else if (option == "--rate" && *value >= 8000 && *value <= 192000)
            request.rate = *value;
        else if (option == "--rate")
            return std::string("--rate takes a rate from 8000 to 192000 Hz");
        else if (option == "--bits" && (*value == 16 || *value == 24))
            request.format.Bits = *value;
        else if (option == "--bits")
            return std::string("--bits takes 16 or 24");
        else
            return "unknown option " + option;
    }
    return std::nullopt;
}

std::string Clock(std::int64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

// A bar with the share done and the time left, redrawn in place on a terminal.
class ProgressBar {
public:
    explicit ProgressBar(std::uint64_t total) : total_(total), shown_(isatty(STDERR_FILENO)) {}

    void Show(std::uint64_t done) {
        const auto now = std::chrono::steady_clock::now();
        if (!shown_ || total_ == 0 ||
            (now - lastDrawn_ < std::chrono::milliseconds(200) && done < total_))
            return;
        lastDrawn_ = now;
        const double share = static_cast<double>(done) / static_cast<double>(total_);
        const double elapsed = std::chrono::duration<double>(now - started_).count();
        const auto left = share > 0 ? static_cast<std::int64_t>(elapsed / share - elapsed) : 0;
        constexpr int Width = 40;
        const int filled = static_cast<int>(share * Width);
        std::fprintf(stderr, "\r[%s%s] %3d%%  %s left ", std::string(filled, '#').c_str(),
                     std::string(Width - filled, '.').c_str(), static_cast<int>(share * 100),
                     Clock(left).c_str());
        if (done >= total_)
            std::fprintf(stderr, "\n");
        std::fflush(stderr);
    }

private:
    std::uint64_t total_;
    bool shown_;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point lastDrawn_{};
};

} // namespace

int RunExportAudioCommand(const std::vector<std::string>& arguments) {
    ExportRequest request;
    if (const auto problem = ParseRequest(arguments, request))
        return Fail(*problem);
    if (const auto failure = OpenProjectArgument(request.project.string()))
        return Fail(*failure);
    const std::int32_t from = request.from.value_or(0);
    const std::int32_t to = request.to.value_or(SessionLength);
    if (to <= from)
        return Fail("nothing to export: the end (" + std::to_string(to) +
                    " ms) does not lie after the start (" + std::to_string(from) + " ms)");

    // A closed terminal (SIGHUP) ends the export as cleanly as Ctrl+C or kill: no hidden
    // temporary file is left behind.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, OnInterrupt);
    try {
        SessionRenderer renderer(OpenSession(), OpenProjectFolder(), from, to, request.rate,
                                 request.format);
        const bool flac = IsFlacName(request.output);
        const std::uint64_t bytesPerFrame = request.format.Bits / 8 * 2;
        if (!flac && renderer.TotalFrames() * bytesPerFrame > WavFileWriter::MaxDataBytes)
            return Fail("the sound is too long for a WAV file; export a shorter stretch");
        const auto writer = OpenSoundFileWriter(request.output, request.rate, request.format.Bits,
                                                renderer.TotalFrames());
        // 16-bit WAV files take the renderer's samples as they are.
        auto* plainWav = dynamic_cast<WavFileWriter*>(writer.get());
        if (request.format.Bits != 16)
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
            if (interrupted)
                return Fail("interrupted; " + request.output.string() + " was not written");
            if (plainWav)
                plainWav->Write(narrow.data(), frames);
            else
                writer->Write(wide.data(), frames);
            progress.Show(renderer.RenderedFrames());
        }
        writer->Finish();
        for (const auto& problem : renderer.Problems())
            std::cerr << "umbrascope: " << Cp1251ToUtf8(problem) << '\n';
        for (const auto& track : renderer.LeftOut())
            std::cerr << "umbrascope: left out of the export: " << Cp1251ToUtf8(track) << '\n';
        std::cout << "Clipped samples: " << renderer.ClippedSamples() << '\n';
    } catch (const EInOutError& error) {
        return Fail(request.output.string() + ": " + error.what());
    }
    return 0;
}
