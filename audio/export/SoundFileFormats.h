#pragma once

// The kinds of sound file the export writes, in one table that everything asks: the command
// line's checks and --help, the window's choices and file filter, and the export itself. A file
// is of the kind its name's extension says, in any letter case.

#include "SoundFileWriter.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace umbrascope {

struct SoundFileFormat {
    std::string_view name;      // as users know it: "WAV"
    std::string_view extension; // in lower case, with its dot: ".wav"
    std::array<int, 2> bits;    // the sample widths it holds
    bool dither;                // whether its rounding may be dithered
    // Most bytes of samples a file can hold; 0 when its size has no limit.
    std::uint64_t maxDataBytes;
    // Opens the file for stereo frames of the given bits; expectedFrames lets a file say its
    // length from the start. Throws IoError.
    std::unique_ptr<SoundFileWriter> (*open)(const std::filesystem::path& target, int rate,
                                             int bits, std::uint64_t expectedFrames,
                                             WriteOptions options);

    bool Takes(int sampleBits) const;
};

// WAV first: the format an export writes unless told otherwise.
std::span<const SoundFileFormat> SoundFileFormats();

// The format of a file of that name, or null when no format has its extension.
const SoundFileFormat* SoundFileFormatOf(const std::filesystem::path& target);

// Every format's extension, in the table's order: ".wav", ".flac".
std::vector<std::string> SoundFileExtensions();

// Every sample width some format holds, smallest first: 16, 24.
std::vector<int> SoundFileBits();

} // namespace umbrascope
