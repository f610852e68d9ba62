#include "Mp4File.h"

#include "base/FileUtils.h"

#include <new>

namespace umbrascope {

Mp4File::Mp4File(const std::filesystem::path& target, WriteOptions options)
    : file_(target, ReplacingFile::Existing::Replace, std::move(options)) {
    CheckFfmpeg(
        avformat_alloc_output_context2(&format_, nullptr, "mp4", file_.TemporaryPath().c_str()),
        "the MP4 container could not be prepared");
    try {
        CheckFfmpeg(avio_open(&format_->pb, file_.TemporaryPath().c_str(), AVIO_FLAG_WRITE),
                    "the file could not be opened");
    } catch (...) {
        avformat_free_context(format_);
        throw;
    }
}

Mp4File::~Mp4File() {
    avio_closep(&format_->pb);
    avformat_free_context(format_);
}

int Mp4File::AddStream(const AVCodecContext& encoder) {
    AVStream* stream = avformat_new_stream(format_, nullptr);
    if (!stream)
        throw std::bad_alloc();
    CheckFfmpeg(avcodec_parameters_from_context(stream->codecpar, &encoder),
                "the stream could not be described");
    stream->time_base = encoder.time_base;
    if (encoder.codec_type == AVMEDIA_TYPE_VIDEO)
        stream->avg_frame_rate = encoder.framerate;
    encoderTimeBases_.push_back(encoder.time_base);
    return stream->index;
}

void Mp4File::Begin() {
    CheckFfmpeg(avformat_write_header(format_, nullptr), "the MP4 header could not be written");
}

void Mp4File::Write(AVPacket& packet, int stream) {
    packet.stream_index = stream;
    av_packet_rescale_ts(&packet, encoderTimeBases_[static_cast<std::size_t>(stream)],
                         format_->streams[stream]->time_base);
    CheckFfmpeg(av_interleaved_write_frame(format_, &packet), "the video could not be written");
}

void Mp4File::Finish() {
    CheckFfmpeg(av_write_trailer(format_), "the video could not be completed");
    CheckFfmpeg(avio_closep(&format_->pb), "the video could not be written");
    file_.Commit();
}

} // namespace umbrascope
