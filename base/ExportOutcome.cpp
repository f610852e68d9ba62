#include "ExportOutcome.h"

#include <algorithm>
#include <cmath>

namespace umbrascope {

UserText ClippingSentence(std::uint64_t clippedSamples, std::uint64_t samples,
                          std::int64_t firstClipTime) {
    if (clippedSamples == 0 || samples == 0)
        return {};
    // Tenths of a per cent; the decimal sign is the sentence's own, so each language has its
    // own.
    const auto tenths =
        std::llround(1000.0 * static_cast<double>(clippedSamples) / static_cast<double>(samples));
    const std::int64_t seconds = std::max<std::int64_t>(firstClipTime, 0) / 1000;
    const std::string secondsText = std::to_string(seconds % 60);
    return {Translatable("umbrascope::ExportOutcome",
                         "Звук превышал предельную громкость в %1,%2 % отсчётов (%3), впервые "
                         "около %4. Уменьшите громкость дорожек, чтобы звук не искажался."),
            {std::to_string(tenths / 10), std::to_string(tenths % 10),
             std::to_string(clippedSamples),
             std::to_string(seconds / 60) + ":" + (seconds % 60 < 10 ? "0" : "") + secondsText}};
}

} // namespace umbrascope
