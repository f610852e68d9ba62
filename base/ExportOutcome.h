#pragma once

// How an export that ran on a worker thread ended: the sound export's and the video export's,
// which the window reports alike.

#include <cstdint>
#include <string>
#include <vector>

namespace umbrascope {

struct ExportOutcome {
    bool written = false;   // the file is complete and in place
    bool cancelled = false; // Cancel stopped it; nothing was written
    std::string error;      // UTF-8: why nothing was written, "" otherwise
    std::uint64_t clippedSamples = 0;
    std::uint64_t renderedSamples = 0; // of the sound, both channels counted
    std::int64_t firstClipTime = -1;   // session ms near the first clipped sample, -1 if none
    std::vector<std::string> problems; // Windows-1251, as SessionRenderer::Problems
    std::vector<std::string> leftOut;  // Windows-1251, as SessionRenderer::LeftOut
};

} // namespace umbrascope
