#pragma once

// How an export that ran on a worker thread ended: the sound export's and the video export's,
// which the window reports alike.

#include "UserText.h"

#include <cstdint>
#include <string>
#include <vector>

namespace umbrascope {

struct ExportOutcome {
    bool written = false;   // the file is complete and in place
    bool cancelled = false; // Cancel stopped it; nothing was written
    UserText error;         // why nothing was written, empty otherwise
    std::uint64_t clippedSamples = 0;
    std::uint64_t renderedSamples = 0; // of the sound, both channels counted
    std::int64_t firstClipTime = -1;   // session ms near the first clipped sample, -1 if none
    std::vector<UserText> problems;
    std::vector<std::string> leftOut; // Windows-1251, as SessionRenderer::LeftOut
};

} // namespace umbrascope
