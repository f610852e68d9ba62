#pragma once

// Whether a sound server answers (pactl info): tests that play through a real device skip
// without one. test.sh starts a private one.

#include <cstdlib>

namespace umbrascope {

inline bool SoundServerAnswers() {
    return std::system("timeout 5 pactl info >/dev/null 2>&1") == 0;
}

} // namespace umbrascope
