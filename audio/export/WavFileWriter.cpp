#include "WavFileWriter.h"

#include "base/FileUtils.h"

#include <array>
#include <bit>
#include <vector>

namespace umbrascope {

namespace {

constexpr std::size_t HeaderBytes = 44;

void PutU16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::uint8_t* at, std::uint32_t value) {
    PutU16(at, value & 0xFFFF);
    PutU16(at + 2, value >> 16);
}

std::array<std::uint8_t, HeaderBytes> Header(int sampleRate, int bits, std::uint64_t dataBytes) {
    constexpr std::uint32_t channels = 2;
    const auto bytesPerSample = static_cast<std::uint32_t>(bits / 8);
    std::array<std::uint8_t, HeaderBytes> header{'R', 'I', 'F', 'F', 0,   0,   0,   0,
                                                 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    PutU32(&header[4], static_cast<std::uint32_t>(36 + dataBytes));
    PutU32(&header[16], 16);
    PutU16(&header[20], 1); // PCM
    PutU16(&header[22], channels);
    PutU32(&header[24], static_cast<std::uint32_t>(sampleRate));
    PutU32(&header[28], static_cast<std::uint32_t>(sampleRate) * channels * bytesPerSample);
    PutU16(&header[32], channels * bytesPerSample);
    PutU16(&header[34], static_cast<std::uint32_t>(bits));
    header[36] = 'd';
    header[37] = 'a';
    header[38] = 't';
    header[39] = 'a';
    PutU32(&header[40], static_cast<std::uint32_t>(dataBytes));
    return header;
}

} // namespace

WavFileWriter::WavFileWriter(const std::filesystem::path& target, int sampleRate, int bits,
                             WriteOptions options)
    : file_(target, ReplacingFile::Existing::Replace, std::move(options)), sampleRate_(sampleRate),
      bits_(bits) {
    const auto header = Header(sampleRate_, bits_, 0);
    file_.Write(header.data(), header.size());
}

void WavFileWriter::Append(const void* data, std::uint64_t bytes) {
    if (dataBytes_ + bytes > MaxDataBytes)
        throw IoError("the sound is too long for a WAV file");
    file_.Write(data, bytes);
    dataBytes_ += bytes;
}

void WavFileWriter::Write(const std::int16_t* stereo, std::size_t frames) {
    if (bits_ != 16) {
        SoundFileWriter::Write(stereo, frames);
        return;
    }
    if constexpr (std::endian::native == std::endian::little) {
        Append(stereo, std::uint64_t{frames} * 4);
    } else {
        packed_.resize(frames * 4);
        for (std::size_t i = 0; i < frames * 2; ++i)
            PutU16(&packed_[i * 2], static_cast<std::uint16_t>(stereo[i]));
        Append(packed_.data(), packed_.size());
    }
}

void WavFileWriter::Write(const std::int32_t* stereo, std::size_t frames) {
    // Little-endian samples of the file's bytes per sample.
    const std::size_t width = static_cast<std::size_t>(bits_ / 8);
    packed_.resize(frames * 2 * width);
    for (std::size_t i = 0; i < frames * 2; ++i) {
        const auto bits = static_cast<std::uint32_t>(stereo[i]);
        for (std::size_t b = 0; b < width; ++b)
            packed_[i * width + b] = static_cast<std::uint8_t>(bits >> (8 * b));
    }
    Append(packed_.data(), packed_.size());
}

void WavFileWriter::Finish() {
    const auto header = Header(sampleRate_, bits_, dataBytes_);
    file_.WriteAt(0, header.data(), header.size());
    file_.Commit();
}

} // namespace umbrascope
