#pragma once

// Track descriptors: one Windows-1251 string per audio track. Either the path of a WAV or MP3
// file, or a generator description ".&0N%field@field@..." (binaural beats, frequency
// modulation, white noise, sine tone).
//
// Thread rule: every function here is pure and thread safe.

#include "base/UserText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace umbrascope {

enum class TrackKind { Unknown, Wav, Mp3, Binaural, FrequencyModulation, Noise, Sine };

// The player a track thread chooses: the upper-cased file extension ".WAV" or ".MP3" first,
// then the first four characters ".&01" to ".&04". Anything else plays nothing.
TrackKind PlaybackKind(std::string_view descriptor);

// Two descriptors name the same track when they are equal after upper-casing both.
bool SameTrack(std::string_view a, std::string_view b);

// The text lists show for a track: a file's name without its folder, or the generator and its
// fields as they stand in the descriptor. Missing fields show as empty.
UserText TrackShownText(std::string_view descriptor);

// Its Russian text (Windows-1251).
std::string TrackDisplayText(std::string_view descriptor);

// The generator state of one generated track.
struct ToneParams {
    TrackKind Kind = TrackKind::Unknown;
    double Freq1 = 0;         // beat, modulation or sine frequency, Hz
    double Carrier = 0;       // Hz
    double Deviation = 0;     // Hz
    std::uint8_t Channel = 0; // sine: 0 both sides, 1 left, 2 right, anything else neither
    double Level = 0;         // volume / 100; above 1 when a descriptor asks for more than 100 %
    std::uint32_t SampleIndex = 0; // frames generated so far
};

// Reads a generator descriptor. Empty when it is not a generator descriptor or is malformed
// (a separator missing, a field empty or not a number): such a track plays nothing.
std::optional<ToneParams> ParseToneDescriptor(std::string_view descriptor);

} // namespace umbrascope
