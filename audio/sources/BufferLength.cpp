#include "Tones.h"
#include "TrackSource.h"

#include <algorithm>
#include <cstdint>

std::size_t BufferBytesFor(const PcmFormat& format) {
    const auto rate = static_cast<std::uint64_t>(std::max(format.SampleRate, 0));
    const std::uint64_t frames = (rate * ToneFramesPerBuffer + ToneSampleRate / 2) / ToneSampleRate;
    return static_cast<std::size_t>(std::max<std::uint64_t>(frames, 1) *
                                    static_cast<std::uint64_t>(std::max(format.BlockAlign, 1)));
}
