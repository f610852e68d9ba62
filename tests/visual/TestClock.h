#pragma once

// A session clock for driving the presentation thread without the playback controller:
// session time 0 is the moment it is made.

#include <chrono>
#include <cstdint>
#include <functional>

namespace umbrascope {

inline std::function<std::uint32_t()> SessionTimeFromNow() {
    const auto started = std::chrono::steady_clock::now();
    return [started] {
        const auto elapsed = std::chrono::steady_clock::now() - started;
        return static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    };
}

} // namespace umbrascope
