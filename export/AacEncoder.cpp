#include "AacEncoder.h"

#include "base/FileUtils.h"

namespace umbrascope {

AacEncoder::AacEncoder(int rate) : FfmpegEncoder("aac", "the sound"), frame_(MakeFrame()) {
    AVCodecContext& context = *context_;
    context.sample_rate = rate;
    context.sample_fmt = AV_SAMPLE_FMT_FLTP;
    context.ch_layout = AV_CHANNEL_LAYOUT_STEREO;
    context.bit_rate = BitRate;
    context.time_base = {1, rate};
    context.flags |= AV_CODEC_FLAG_GLOBAL_HEADER; // MP4 keeps the decoder's set-up in its header
    Open();

    CheckFfmpeg(swr_alloc_set_opts2(&converter_, &context.ch_layout, AV_SAMPLE_FMT_FLTP, rate,
                                    &context.ch_layout, AV_SAMPLE_FMT_S16, rate, 0, nullptr),
                "the sound conversion could not be prepared");
    CheckFfmpeg(swr_init(converter_), "the sound conversion could not be prepared");

    frame_->format = AV_SAMPLE_FMT_FLTP;
    frame_->sample_rate = rate;
    frame_->nb_samples = context.frame_size;
    CheckFfmpeg(av_channel_layout_copy(&frame_->ch_layout, &context.ch_layout),
                "no memory for sound");
    CheckFfmpeg(av_frame_get_buffer(frame_.get(), 0), "no memory for sound");
}

AacEncoder::~AacEncoder() {
    swr_free(&converter_);
}

void AacEncoder::Send(const std::int16_t* stereo, int frames) {
    CheckFfmpeg(av_frame_make_writable(frame_.get()), "no memory for sound");
    const auto* source = reinterpret_cast<const std::uint8_t*>(stereo);
    frame_->nb_samples = CheckFfmpeg(swr_convert(converter_, frame_->data, frames, &source, frames),
                                     "the sound could not be converted");
    frame_->pts = nextFrame_;
    nextFrame_ += frame_->nb_samples;
    FfmpegEncoder::Send(*frame_);
}

} // namespace umbrascope
