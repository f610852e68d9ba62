#pragma once

// Writes 16- or 24-bit stereo PCM as a FLAC file with libFLAC. Like the WAV writer, the file
// appears under its name only when Finish succeeds.
//
// Thread rule: one writer, one thread.

#include "SoundFileWriter.h"
#include "base/ReplacingFile.h"

#include <FLAC/stream_encoder.h>

#include <cstdint>
#include <exception>
#include <filesystem>

namespace umbrascope {

class FlacFileWriter final : public SoundFileWriter {
public:
    // Throws IoError when the file cannot be created or the encoder refuses the format.
    FlacFileWriter(const std::filesystem::path& target, int sampleRate, int bits,
                   std::uint64_t expectedFrames, WriteOptions options = {});
    ~FlacFileWriter() override;

    using SoundFileWriter::Write;
    void Write(const std::int32_t* stereo, std::size_t frames) override;
    void Finish() override;

    // libFLAC's callbacks.
    bool WriteBytes(const void* data, std::size_t bytes) noexcept;
    bool Seek(std::uint64_t position) noexcept;
    std::uint64_t Position() const noexcept { return position_; }

private:
    void ThrowIfFailed(bool ok, const char* what);

    ReplacingFile file_;
    FLAC__StreamEncoder* encoder_ = nullptr;
    std::uint64_t position_ = 0;
    std::uint64_t size_ = 0;
    std::exception_ptr failure_; // an error of the file met inside a callback
};

} // namespace umbrascope
