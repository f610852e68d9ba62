#pragma once

// What the export writes its sound into: a WAV or a FLAC file (SoundFileFormats.h says which
// takes what).
//
// Thread rule: one writer, one thread.

#include "base/WriteOptions.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace umbrascope {

class SoundFileWriter {
public:
    virtual ~SoundFileWriter() = default;

    // Appends stereo frames whose samples hold the file's bits. Throws IoError.
    virtual void Write(const std::int32_t* stereo, std::size_t frames) = 0;
    // The same for a 16-bit file; widened to the 32-bit form unless the file takes it as it is.
    virtual void Write(const std::int16_t* stereo, std::size_t frames);

    // Completes the file and puts it in place. Throws IoError.
    virtual void Finish() = 0;
};

} // namespace umbrascope
