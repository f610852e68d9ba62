#pragma once

// What the export commands share: their arguments (FILE.usp OUT, then options with a value
// each), the stretch of the session, the message of an interrupted export, the progress bar on
// a terminal and the report of what the export could not do. Each command's own options are
// its business.
//
// Thread rule: the command's only thread (the signal handler just sets a flag).

#include "Cli.h"
#include "base/UserText.h"
#include "model/SessionDocument.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace umbrascope {

struct ExportRequest {
    std::filesystem::path project;
    std::filesystem::path output;
    std::optional<std::int32_t> from;
    std::optional<std::int32_t> to;
    std::vector<std::pair<std::string, std::string>> options; // the command's own, in order
};

// Reads FILE.usp OUT and the options after them, each with a value except the switches named
// (kept with an empty value); --from and --to are read here. A message when the arguments are
// wrong, or when OUT is FILE.usp itself.
std::optional<std::string> ParseExportRequest(const std::vector<std::string>& arguments,
                                              const std::string& usage,
                                              const std::vector<std::string>& switches,
                                              ExportRequest& request);

// An option's value as a whole number from lowest to highest; a message naming the option
// otherwise.
std::optional<std::string> ReadWholeNumber(const std::pair<std::string, std::string>& option,
                                           int lowest, int highest, int& value);

// Opens the project as the document (a built session's media unpacked into media) and settles
// the stretch: --from (default 0) to --to (default the session's length). A message when the
// project cannot be opened or the stretch is empty; with withinSession also when it reaches
// past the session's end.
std::optional<std::string> OpenExportProject(const ExportRequest& request, bool withinSession,
                                             SessionDocument& document, UnpackedMedia& media,
                                             std::int32_t& from, std::int32_t& to);

// The message of an export that a signal ended.
std::string InterruptedMessage(const std::filesystem::path& output);

// "Clipped samples: N" on standard output and, when the mix clipped, the sentence the window
// shows too (its share, where it begins and what to do about it), in English.
void ReportClipping(std::uint64_t clipped, std::uint64_t samples, std::int64_t firstClipTime);

// Tells on standard error the problems met and the media left out (Windows-1251 texts).
void ReportExportProblems(const std::vector<UserText>& problems,
                          const std::vector<std::string>& leftOut);

// A bar with the share done and the time left, redrawn in place on a terminal; nothing when
// standard error is not a terminal.
class ProgressBar {
public:
    explicit ProgressBar(std::uint64_t total);
    void Show(std::uint64_t done);

private:
    std::uint64_t total_;
    bool shown_;
    std::int64_t started_;   // steady clock, ms
    std::int64_t lastDrawn_; // steady clock, ms
};

} // namespace umbrascope
