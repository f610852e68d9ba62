#include "FfmpegCall.h"

#include "base/FileUtils.h"

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
}

#include <new>

std::string FfmpegErrorText(int result) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(result, text, sizeof text);
    return text;
}

int CheckFfmpeg(int result, const char* what) {
    if (result < 0)
        throw EInOutError(std::string(what) + ": " + FfmpegErrorText(result));
    return result;
}

void SilenceFfmpegLog() {
    av_log_set_level(AV_LOG_QUIET);
}

FramePtr MakeFrame() {
    FramePtr frame(av_frame_alloc());
    if (!frame)
        throw std::bad_alloc();
    return frame;
}

PacketPtr MakePacket() {
    PacketPtr packet(av_packet_alloc());
    if (!packet)
        throw std::bad_alloc();
    return packet;
}

CodecContextPtr MakeEncoder(const char* name) {
    const AVCodec* codec = avcodec_find_encoder_by_name(name);
    if (!codec)
        throw EInOutError(std::string("this FFmpeg has no ") + name + " encoder");
    CodecContextPtr context(avcodec_alloc_context3(codec));
    if (!context)
        throw std::bad_alloc();
    return context;
}

bool ReceivePacket(AVCodecContext& encoder, AVPacket& packet, const char* what) {
    const int result = avcodec_receive_packet(&encoder, &packet);
    if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
        return false;
    CheckFfmpeg(result, what);
    return true;
}
