#include "FlacFileWriter.h"

#include "base/FileUtils.h"

#include <FLAC/stream_encoder.h>

#include <algorithm>

namespace umbrascope {

namespace {

FlacFileWriter& Writer(void* client) {
    return *static_cast<FlacFileWriter*>(client);
}

FLAC__StreamEncoderWriteStatus OnWrite(const FLAC__StreamEncoder*, const FLAC__byte buffer[],
                                       size_t bytes, uint32_t, uint32_t, void* client) {
    return Writer(client).WriteBytes(buffer, bytes) ? FLAC__STREAM_ENCODER_WRITE_STATUS_OK
                                                    : FLAC__STREAM_ENCODER_WRITE_STATUS_FATAL_ERROR;
}

FLAC__StreamEncoderSeekStatus OnSeek(const FLAC__StreamEncoder*, FLAC__uint64 offset,
                                     void* client) {
    return Writer(client).Seek(offset) ? FLAC__STREAM_ENCODER_SEEK_STATUS_OK
                                       : FLAC__STREAM_ENCODER_SEEK_STATUS_ERROR;
}

FLAC__StreamEncoderTellStatus OnTell(const FLAC__StreamEncoder*, FLAC__uint64* offset,
                                     void* client) {
    *offset = Writer(client).Position();
    return FLAC__STREAM_ENCODER_TELL_STATUS_OK;
}

} // namespace

FlacFileWriter::FlacFileWriter(const std::filesystem::path& target, int sampleRate, int bits,
                               std::uint64_t expectedFrames, WriteOptions options)
    : file_(target, ReplacingFile::Existing::Replace, std::move(options)),
      encoder_(FLAC__stream_encoder_new()) {
    if (!encoder_)
        throw IoError("the FLAC encoder cannot be created");
    bool ok = FLAC__stream_encoder_set_channels(encoder_, 2);
    ok = ok && FLAC__stream_encoder_set_bits_per_sample(encoder_, static_cast<uint32_t>(bits));
    ok = ok && FLAC__stream_encoder_set_sample_rate(encoder_, static_cast<uint32_t>(sampleRate));
    ok = ok && FLAC__stream_encoder_set_compression_level(encoder_, 5);
    ok = ok && FLAC__stream_encoder_set_total_samples_estimate(encoder_, expectedFrames);
    ThrowIfFailed(ok, "the FLAC encoder refuses the format");
    const auto status =
        FLAC__stream_encoder_init_stream(encoder_, OnWrite, OnSeek, OnTell, nullptr, this);
    ThrowIfFailed(status == FLAC__STREAM_ENCODER_INIT_STATUS_OK,
                  "the FLAC encoder cannot be started");
}

FlacFileWriter::~FlacFileWriter() {
    if (encoder_)
        FLAC__stream_encoder_delete(encoder_); // finishes the stream if need be; nothing is kept
}

void FlacFileWriter::ThrowIfFailed(bool ok, const char* what) {
    if (failure_)
        std::rethrow_exception(failure_);
    if (!ok)
        throw IoError(what);
}

bool FlacFileWriter::WriteBytes(const void* data, std::size_t bytes) noexcept {
    if (failure_)
        return false;
    try {
        if (position_ == size_)
            file_.Write(data, bytes);
        else
            file_.WriteAt(position_, data, bytes);
        position_ += bytes;
        size_ = std::max(size_, position_);
        return true;
    } catch (...) {
        failure_ = std::current_exception();
        return false;
    }
}

bool FlacFileWriter::Seek(std::uint64_t position) noexcept {
    if (position > size_)
        return false;
    position_ = position;
    return true;
}

void FlacFileWriter::Write(const std::int32_t* stereo, std::size_t frames) {
    constexpr std::size_t Piece = 1u << 20; // libFLAC counts frames in 32 bits
    for (std::size_t done = 0; done < frames;) {
        const std::size_t count = std::min(Piece, frames - done);
        const bool ok = FLAC__stream_encoder_process_interleaved(encoder_, stereo + done * 2,
                                                                 static_cast<uint32_t>(count));
        ThrowIfFailed(ok, "the FLAC encoder failed");
        done += count;
    }
}

void FlacFileWriter::Finish() {
    // Finishing writes the last frames and the length into the stream information block.
    ThrowIfFailed(FLAC__stream_encoder_finish(encoder_), "the FLAC encoder failed");
    file_.Commit();
}

} // namespace umbrascope
