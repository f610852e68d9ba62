#include "WavFileWriter.h"

#include "base/FileUtils.h"

#include <array>
#include <bit>
#include <vector>

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

std::array<std::uint8_t, HeaderBytes> Header(int sampleRate, std::uint64_t dataBytes) {
    constexpr std::uint32_t channels = 2, bytesPerSample = 2;
    std::array<std::uint8_t, HeaderBytes> header{'R', 'I', 'F', 'F', 0,   0,   0,   0,
                                                 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    PutU32(&header[4], static_cast<std::uint32_t>(36 + dataBytes));
    PutU32(&header[16], 16);
    PutU16(&header[20], 1); // PCM
    PutU16(&header[22], channels);
    PutU32(&header[24], static_cast<std::uint32_t>(sampleRate));
    PutU32(&header[28], static_cast<std::uint32_t>(sampleRate) * channels * bytesPerSample);
    PutU16(&header[32], channels * bytesPerSample);
    PutU16(&header[34], 16);
    header[36] = 'd';
    header[37] = 'a';
    header[38] = 't';
    header[39] = 'a';
    PutU32(&header[40], static_cast<std::uint32_t>(dataBytes));
    return header;
}

} // namespace

WavFileWriter::WavFileWriter(const std::filesystem::path& target, int sampleRate)
    : file_(target), sampleRate_(sampleRate) {
    const auto header = Header(sampleRate_, 0);
    file_.Write(header.data(), header.size());
}

void WavFileWriter::Write(const std::int16_t* stereo, std::size_t frames) {
    const std::uint64_t bytes = std::uint64_t{frames} * 4;
    if (dataBytes_ + bytes > MaxDataBytes)
        throw EInOutError("the sound is too long for a WAV file");
    if constexpr (std::endian::native == std::endian::little) {
        file_.Write(stereo, bytes);
    } else {
        std::vector<std::uint8_t> little(bytes);
        for (std::size_t i = 0; i < frames * 2; ++i)
            PutU16(&little[i * 2], static_cast<std::uint16_t>(stereo[i]));
        file_.Write(little.data(), little.size());
    }
    dataBytes_ += bytes;
}

void WavFileWriter::Finish() {
    const auto header = Header(sampleRate_, dataBytes_);
    file_.WriteAt(0, header.data(), header.size());
    file_.Commit();
}
