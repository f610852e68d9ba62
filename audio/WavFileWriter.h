#pragma once

// Writes 16-bit stereo PCM as a RIFF WAVE file. The file appears under its name only when
// Finish succeeds; an abandoned or failed write leaves nothing there.
//
// Thread rule: one writer, one thread.

#include "base/ReplacingFile.h"

#include <cstdint>
#include <filesystem>

class WavFileWriter {
public:
    // Throws EInOutError when the file cannot be created.
    WavFileWriter(const std::filesystem::path& target, int sampleRate);

    // Throws EInOutError; the data would grow past what a RIFF file can describe.
    void Write(const std::int16_t* stereo, std::size_t frames);

    // Writes the sizes into the header and puts the file in place. Throws EInOutError.
    void Finish();

    // Most sample bytes a RIFF file can hold: its sizes are 32-bit.
    static constexpr std::uint64_t MaxDataBytes = 0xFFFFFFFFull - 36;

private:
    ReplacingFile file_;
    int sampleRate_;
    std::uint64_t dataBytes_ = 0;
};
