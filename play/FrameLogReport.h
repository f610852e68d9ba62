#pragma once

// The end of a play with a frame log: the log written to its file and its summary printed on
// standard error. User-interface thread.

#include <filesystem>

namespace umbrascope {

class FrameLog;

// Writes the log to path (complete, then put in place) and prints the summary on standard
// error; a file that cannot be written is told there too. False when it could not be written.
bool ReportFrameLog(const FrameLog& log, const std::filesystem::path& path) noexcept;

} // namespace umbrascope
