#include "Tones.h"
#include "TrackSource.h"

#include <algorithm>
#include <cstdint>

namespace umbrascope {

std::size_t BufferBytesFor(const PcmFormat& format) {
    const auto rate = static_cast<std::uint64_t>(std::max(format.sampleRate, 0));
    const std::uint64_t frames = (rate * ToneFramesPerBuffer + ToneSampleRate / 2) / ToneSampleRate;
    return static_cast<std::size_t>(std::max<std::uint64_t>(frames, 1) *
                                    static_cast<std::uint64_t>(std::max(format.blockAlign, 1)));
}

} // namespace umbrascope
