#include "FfmpegCall.h"

#include "base/FileUtils.h"

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
}

#include <new>
#include <utility>

namespace umbrascope {

std::string FfmpegErrorText(int result) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(result, text, sizeof text);
    return text;
}

int CheckFfmpeg(int result, const char* what) {
    if (result < 0)
        throw IoError(std::string(what) + ": " + FfmpegErrorText(result));
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

FfmpegEncoder::FfmpegEncoder(const char* name, std::string what) : what_(std::move(what)) {
    const AVCodec* codec = avcodec_find_encoder_by_name(name);
    if (!codec)
        throw IoError(std::string("this FFmpeg has no ") + name + " encoder");
    context_.reset(avcodec_alloc_context3(codec));
    if (!context_)
        throw std::bad_alloc();
}

void FfmpegEncoder::Open() {
    CheckFfmpeg(avcodec_open2(context_.get(), context_->codec, nullptr),
                (what_ + " encoder could not be opened").c_str());
}

void FfmpegEncoder::Send(const AVFrame& frame) {
    CheckFfmpeg(avcodec_send_frame(context_.get(), &frame),
                (what_ + " could not be encoded").c_str());
}

void FfmpegEncoder::Finish() {
    CheckFfmpeg(avcodec_send_frame(context_.get(), nullptr),
                (what_ + " could not be completed").c_str());
}

bool FfmpegEncoder::Receive(AVPacket& packet) {
    const int result = avcodec_receive_packet(context_.get(), &packet);
    if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
        return false;
    CheckFfmpeg(result, (what_ + " could not be encoded").c_str());
    return true;
}

} // namespace umbrascope
