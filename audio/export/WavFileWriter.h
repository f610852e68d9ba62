#pragma once

// Writes 16- or 24-bit stereo PCM as a RIFF WAVE file. The file appears under its name only when
// Finish succeeds; an abandoned or failed write leaves nothing there.
//
// Thread rule: one writer, one thread.

#include "SoundFileWriter.h"
#include "base/ReplacingFile.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace umbrascope {

class WavFileWriter final : public SoundFileWriter {
public:
    // Throws IoError when the file cannot be created.
    WavFileWriter(const std::filesystem::path& target, int sampleRate, int bits = 16,
                  WriteOptions options = {});

    // Throws IoError; the data would grow past what a RIFF file can describe.
    void Write(const std::int32_t* stereo, std::size_t frames) override;
    // A 16-bit file takes these as they are.
    void Write(const std::int16_t* stereo, std::size_t frames) override;

    // Writes the sizes into the header and puts the file in place. Throws IoError.
    void Finish() override;

    // Most sample bytes a RIFF file can hold: its sizes are 32-bit.
    static constexpr std::uint64_t MaxDataBytes = 0xFFFFFFFFull - 36;

private:
    void Append(const void* data, std::uint64_t bytes);

    ReplacingFile file_;
    int sampleRate_;
    int bits_;
    std::uint64_t dataBytes_ = 0;
    std::vector<std::uint8_t> packed_;
};

} // namespace umbrascope
