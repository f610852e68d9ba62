#include "SampleFormat.h"

#include <cstring>

PcmFormat WidenedFormat(PcmFormat format) {
    if (format.BitsPerSample == 24) {
        format.BitsPerSample = 32;
        format.BlockAlign = format.Channels * 4;
    }
    return format;
}

std::vector<std::uint8_t> Widen24(const std::uint8_t* data, std::size_t bytes) {
    std::vector<std::uint8_t> wide(bytes / 3 * 4);
    for (std::size_t in = 0, out = 0; in + 3 <= bytes; in += 3, out += 4) {
        wide[out] = 0;
        std::memcpy(&wide[out + 1], data + in, 3);
    }
    return wide;
}
