#pragma once

// The sound encoder: 16-bit stereo PCM encoded as AAC by FFmpeg's own encoder at 192 kbit/s.
//
// Thread rule: one thread.

#include "FfmpegCall.h"

#include <cstdint>

extern "C" {
#include <libswresample/swresample.h>
}

namespace umbrascope {

class AacEncoder : public FfmpegEncoder {
public:
    static constexpr int BitRate = 192000;

    // Throws IoError when the encoder cannot be opened.
    explicit AacEncoder(int rate);
    ~AacEncoder();
    AacEncoder(const AacEncoder&) = delete;
    AacEncoder& operator=(const AacEncoder&) = delete;

    // Frames the encoder takes at once; only the last block may be shorter.
    int BlockFrames() const { return context_->frame_size; }

    // The next block of stereo frames (left, right interleaved).
    void Send(const std::int16_t* stereo, int frames);

private:
    SwrContext* converter_ = nullptr;
    FramePtr frame_;
    std::int64_t nextFrame_ = 0;
};

} // namespace umbrascope
