#pragma once

// Whether a track would play a file, asked when the user chooses it: the same readers the track
// threads use look at the file, so what they would refuse is refused before it is added. Any
// thread.

#include "base/UserText.h"

#include <optional>
#include <string>

namespace umbrascope {

// Nothing when a track can play the file at this Windows-1251 path; otherwise why not (one
// sentence that names the file).
std::optional<UserText> UnplayableAudioFileReason(const std::string& cp1251Path);

} // namespace umbrascope
