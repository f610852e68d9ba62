#include "H264Encoder.h"

#include "base/FileUtils.h"

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
}

#include <cstring>

namespace umbrascope {

namespace {

// Full-range RGB in, studio-range BT.709 YUV out, as the stream says it is.
void SetBt709(SwsContext* converter) {
    const int* coefficients = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(converter, coefficients, 1, coefficients, 0, 0, 1 << 16, 1 << 16);
}

void FillBlack(AVFrame& frame) {
    const int chromaHeight = (frame.height + 1) / 2;
    for (int y = 0; y < frame.height; ++y)
        std::memset(frame.data[0] + y * frame.linesize[0], 16, frame.width);
    for (int plane = 1; plane <= 2; ++plane)
        for (int y = 0; y < chromaHeight; ++y)
            std::memset(frame.data[plane] + y * frame.linesize[plane], 128, (frame.width + 1) / 2);
}

} // namespace

H264Encoder::H264Encoder(QSize size, int fps, PictureQuality quality)
    : FfmpegEncoder("libx264", "the picture"), frame_(MakeFrame()) {
    AVCodecContext& context = *context_;
    context.width = size.width();
    context.height = size.height();
    context.pix_fmt = AV_PIX_FMT_YUV420P;
    context.time_base = {1, fps};
    context.framerate = {fps, 1};
    context.sample_aspect_ratio = {1, 1};
    context.color_range = AVCOL_RANGE_MPEG;
    context.colorspace = AVCOL_SPC_BT709;
    context.color_primaries = AVCOL_PRI_BT709;
    context.color_trc = AVCOL_TRC_BT709;
    context.flags |= AV_CODEC_FLAG_GLOBAL_HEADER; // MP4 keeps the parameter sets in its header
    context.thread_count = 0;                     // as many as the machine has
    av_opt_set(context.priv_data, "preset", quality.preset, 0);
    av_opt_set_double(context.priv_data, "crf", quality.crf, 0);
    Open();

    frame_->format = AV_PIX_FMT_YUV420P;
    frame_->width = size.width();
    frame_->height = size.height();
    CheckFfmpeg(av_frame_get_buffer(frame_.get(), 0), "no memory for a frame");
    FillBlack(*frame_);

    converter_ =
        sws_getContext(size.width(), size.height(), AV_PIX_FMT_RGB32, size.width(), size.height(),
                       AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!converter_)
        throw IoError("the colour conversion could not be prepared");
    SetBt709(converter_);
}

H264Encoder::~H264Encoder() {
    sws_freeContext(converter_);
}

void H264Encoder::Convert(const QImage& picture) {
    // The encoder may still hold the frame sent last; then it gets a copy of its own.
    CheckFfmpeg(av_frame_make_writable(frame_.get()), "no memory for a frame");
    const std::uint8_t* source[] = {picture.constBits()};
    const int sourceStride[] = {static_cast<int>(picture.bytesPerLine())};
    sws_scale(converter_, source, sourceStride, 0, picture.height(), frame_->data,
              frame_->linesize);
}

void H264Encoder::Send() {
    frame_->pts = nextFrame_++;
    FfmpegEncoder::Send(*frame_);
}

} // namespace umbrascope
