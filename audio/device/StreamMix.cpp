#include "StreamMix.h"

#include <algorithm>

void MixStreams(const std::vector<std::shared_ptr<PcmQueue>>& streams, float* out,
                std::size_t frames) {
    std::fill_n(out, frames * 2, 0.0f);
    for (const auto& stream : streams)
        stream->MixInto(out, frames);
    for (std::size_t i = 0; i < frames * 2; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}
