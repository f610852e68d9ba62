#include "ExportCommand.h"

#include "Cli.h"
#include "base/ExportOutcome.h"
#include "model/Cp1251.h"
#include "ui/ShownText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace umbrascope {

namespace {

std::int64_t SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string Clock(std::int64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

} // namespace

std::optional<std::string> ParseExportRequest(const std::vector<std::string>& arguments,
                                              const std::string& usage,
                                              const std::vector<std::string>& switches,
                                              ExportRequest& request) {
    if (arguments.size() < 2 || arguments[0].starts_with("--") || arguments[1].starts_with("--"))
        return usage;
    request.project = arguments[0];
    request.output = arguments[1];
    if (auto refusal = RefuseOutputThatIsInput(arguments[0], arguments[1]))
        return refusal;
    for (std::size_t i = 2; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (std::find(switches.begin(), switches.end(), name) != switches.end()) {
            request.options.emplace_back(name, "");
            continue;
        }
        if (i + 1 == arguments.size())
            return name.starts_with("--") ? name + " needs a value" : usage;
        const std::string& value = arguments[++i];
        if (name == "--from" || name == "--to") {
            const auto time = ParseMilliseconds(value);
            if (!time)
                return name + " takes a whole number from 0 to 2147483647";
            (name == "--from" ? request.from : request.to) = time;
        } else {
            request.options.emplace_back(name, value);
        }
    }
    return std::nullopt;
}

std::optional<std::string> ReadWholeNumber(const std::pair<std::string, std::string>& option,
                                           int lowest, int highest, int& value) {
    const auto number = ParseMilliseconds(option.second);
    if (!number || *number < lowest || *number > highest)
        return option.first + " takes a whole number from " + std::to_string(lowest) + " to " +
               std::to_string(highest);
    value = *number;
    return std::nullopt;
}

std::optional<std::string> OpenExportProject(const ExportRequest& request, bool withinSession,
                                             SessionDocument& document, UnpackedMedia& media,
                                             std::int32_t& from, std::int32_t& to) {
    if (const auto failure = OpenProjectArgument(request.project.string(), document, media))
        return failure;
    if (auto refusal = RefuseOutputOverSession(document.Contents(), document.ProjectFileName,
                                               request.output.string()))
        return refusal;
    const std::int32_t length = document.SessionLength;
    from = request.from.value_or(0);
    to = request.to.value_or(length);
    if (withinSession && (from >= length || to > length))
        return "the stretch from " + std::to_string(from) + " to " + std::to_string(to) +
               " ms lies outside the session, which ends at " + std::to_string(length) + " ms";
    if (to <= from)
        return "nothing to export: the end (" + std::to_string(to) +
               " ms) does not lie after the start (" + std::to_string(from) + " ms)";
    return std::nullopt;
}

std::string InterruptedMessage(const std::filesystem::path& output) {
    return "interrupted; " + output.string() + " was not written";
}

void ReportExportProblems(const std::vector<UserText>& problems,
                          const std::vector<std::string>& leftOut) {
    for (const auto& problem : problems)
        Tell(problem.Text());
    for (const auto& track : leftOut)
        Tell("left out of the export: " + PrintedName(track));
}

void ReportClipping(std::uint64_t clipped, std::uint64_t samples, std::int64_t firstClipTime) {
    std::cout << "Clipped samples: " << clipped << '\n';
    if (const UserText sentence = ClippingSentence(clipped, samples, firstClipTime);
        !sentence.Empty())
        std::cout << EnglishText(sentence) << '\n';
}

ProgressBar::ProgressBar(std::uint64_t total)
    : total_(total), shown_(isatty(STDERR_FILENO)), started_(SteadyMilliseconds()),
      lastDrawn_(started_ - 1000) {}

void ProgressBar::Show(std::uint64_t done) {
    const std::int64_t now = SteadyMilliseconds();
    if (!shown_ || total_ == 0 || (now - lastDrawn_ < 200 && done < total_))
        return;
    lastDrawn_ = now;
    const double share = static_cast<double>(done) / static_cast<double>(total_);
    const double elapsed = static_cast<double>(now - started_) / 1000;
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

} // namespace umbrascope
