#pragma once

// What the export writes its sound into: a WAV file (16 or 24 bits) or a FLAC file, chosen by
// the target's name.
//
// Thread rule: one writer, one thread.

#include "base/WriteOptions.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace umbrascope {

class SoundFileWriter {
public:
    virtual ~SoundFileWriter() = default;

    // Appends stereo frames whose samples hold the file's bits. Throws IoError.
    virtual void Write(const std::int32_t* stereo, std::size_t frames) = 0;

    // Completes the file and puts it in place. Throws IoError.
    virtual void Finish() = 0;
};

// A ".flac" name (any letter case) makes a FLAC file, any other a WAV file. expectedFrames
// lets the FLAC file say its length from the start. Throws IoError.
std::unique_ptr<SoundFileWriter> OpenSoundFileWriter(const std::filesystem::path& target,
                                                     int sampleRate, int bits,
                                                     std::uint64_t expectedFrames,
                                                     WriteOptions options = {});

// True for a name that OpenSoundFileWriter makes a FLAC file of.
bool IsFlacName(const std::filesystem::path& target);

} // namespace umbrascope
