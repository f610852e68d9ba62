#pragma once

// The picture encoder: RGB32 frames converted to 4:2:0 YUV with the BT.709 colours every player
// assumes for video, and encoded as H.264 by libx264 on FFmpeg's own threads.
//
// Thread rule: one thread (the encoder's own threads are FFmpeg's business).

#include "FfmpegCall.h"

#include <QImage>
#include <QSize>

extern "C" {
#include <libswscale/swscale.h>
}

namespace umbrascope {

struct PictureQuality {
    int crf;            // libx264's constant rate factor: lower is better and larger
    const char* preset; // libx264's speed preset
};

class H264Encoder : public FfmpegEncoder {
public:
    // size: even width and height. Throws IoError when the encoder cannot be opened.
    H264Encoder(QSize size, int fps, PictureQuality quality);
    ~H264Encoder();
    H264Encoder(const H264Encoder&) = delete;
    H264Encoder& operator=(const H264Encoder&) = delete;

    // Makes picture (Format_RGB32, the encoder's size) the frame to send.
    void Convert(const QImage& picture);

    // Sends the frame last converted as the next frame (black before the first conversion).
    void Send();

private:
    SwsContext* converter_ = nullptr;
    FramePtr frame_;
    std::int64_t nextFrame_ = 0;
};

} // namespace umbrascope
