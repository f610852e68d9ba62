#pragma once

// Shared by the sound file tests: the generated fixture files, WAV files written byte by byte
// for exact positions, and a stand-in for the streaming loop's calls into a source.

#include "audio/sources/TrackSource.h"

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace umbrascope {

using Bytes = std::vector<std::uint8_t>;

// The folder the fixture script filled (made once per test program).
const std::filesystem::path& SoundFixtures();

// A fresh, empty folder for files a test writes itself.
std::filesystem::path ScratchFolder();

Bytes ReadAll(const std::filesystem::path& path);
void WriteAll(const std::filesystem::path& path, const Bytes& bytes);

// Appends little-endian values and text.
void PutU16(Bytes& out, std::uint16_t value);
void PutU32(Bytes& out, std::uint32_t value);
void PutText(Bytes& out, const char* text);

// A 16-byte PCM format chunk.
Bytes FormatChunk(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                  std::uint16_t blockAlign, std::uint16_t bits);
// A chunk with this identifier and payload (size field = payload size).
Bytes Chunk(const char* id, const Bytes& payload);
// "RIFF", size, "WAVE" followed by the chunks.
Bytes RiffWave(const std::vector<Bytes>& chunks);

// Frames of 16-bit stereo whose bytes count up (byte i of the data holds i mod 251), so that
// any buffer tells where in the data it came from.
Bytes CountingData(std::size_t bytes);

// Calls the source as the streaming loop does: the first buffer, then fill and switch.
Bytes PlayBuffers(TrackSource& source, int buffers);

} // namespace umbrascope
