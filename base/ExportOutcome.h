#pragma once

// How an export ended: the sound export's and the video export's, which the window and the
// command line report alike.

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

// The sentence on a mix that went past full scale: the share of the samples cut, how many,
// near which time (session ms) the first lies, and what to do about it. Empty when none was.
UserText ClippingSentence(std::uint64_t clippedSamples, std::uint64_t samples,
                          std::int64_t firstClipTime);

} // namespace umbrascope
