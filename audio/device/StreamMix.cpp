#include "StreamMix.h"

#include <algorithm>

namespace umbrascope {

void MixStreams(const std::vector<std::shared_ptr<PcmQueue>>& streams, float* out,
                std::size_t frames) {
    std::fill_n(out, frames * 2, 0.0f);
    for (const auto& stream : streams)
        stream->MixInto(out, frames);
    bool clipped = false;
    for (std::size_t i = 0; i < frames * 2; ++i) {
        clipped = clipped || out[i] > 1.0f || out[i] < -1.0f;
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    }
    if (!clipped)
        return;
    // Every player whose sound was in the mix hears the cut.
    for (const auto& stream : streams)
        if (const auto reports = stream->Reports())
            reports->MarkClipped();
}

} // namespace umbrascope
