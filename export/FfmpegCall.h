#pragma once

// FFmpeg's results as the program's errors, and owners for FFmpeg's objects.
//
// Thread rule: the objects belong to whoever made them; the functions keep no state.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
}

#include <memory>
#include <string>

namespace umbrascope {

// FFmpeg's text for a negative result.
std::string FfmpegErrorText(int result);

// Throws IoError "what: FFmpeg's text" for a negative result; returns it otherwise.
int CheckFfmpeg(int result, const char* what);

// FFmpeg prints nothing of its own: every failure reaches the user as the program's message.
void SilenceFfmpegLog();

struct FfmpegDeleter {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

using CodecContextPtr = std::unique_ptr<AVCodecContext, FfmpegDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FfmpegDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, FfmpegDeleter>;

// Throw std::bad_alloc when FFmpeg has no memory for them.
FramePtr MakeFrame();
PacketPtr MakePacket();

// An FFmpeg encoder: frames in, packets out. The encoders derived from it set its context up and
// open it. Throws IoError for every failure.
class FfmpegEncoder {
public:
    const AVCodecContext& Context() const { return *context_; }

    // No more frames: what the encoder holds back comes out as packets.
    void Finish();

    // The next packet, if one is ready.
    bool Receive(AVPacket& packet);

protected:
    // name: FFmpeg's name of the encoder; what: the stream it makes, for messages.
    FfmpegEncoder(const char* name, std::string what);

    void Open();
    void Send(const AVFrame& frame);

    CodecContextPtr context_;

private:
    std::string what_;
};

} // namespace umbrascope
