#pragma once

// WAV file tracks: the PCM sample data of a RIFF WAVE file played unchanged, in the file's own
// format, as an endless loop from the track's start offset. The loop runs seamlessly from the
// last whole frame of the data back to its first.

#include "TrackSource.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace umbrascope {

class TFile;

// Where a WAV file keeps its samples, as its header walk finds them.
struct WavLayout {
    PcmFormat format;
    std::uint16_t formatTag = 0;
    bool pcmSubFormat = false; // an extensible header whose sub-format is integer PCM
    std::uint32_t dataStart = 0;
    std::uint32_t declaredSize = 0; // the data chunk's own size field
    std::uint32_t dataSize = 0;     // whole frames actually present: the loop's length
};

// Walks the header: the format chunk, at most one other chunk, then the data chunk. Identifiers
// are not checked, so any file gives a layout; DataSize is 0 when it holds no whole frame.
WavLayout ReadWavLayout(TFile& file);

// True when the header names integer PCM (plainly or as the sub-format of an extensible header)
// in a format an output stream can take.
bool IsPlayablePcm(const WavLayout& layout);

// The file position at which a track startOffset ms in begins; wraps over the data's length.
std::uint32_t WavStartPosition(const WavLayout& layout, std::int32_t startOffset);

// Opens the WAV file named by the descriptor (a Windows-1251 path) at startOffset ms into the
// track. No source when the track must end: the file cannot be read or holds no sample data
// (no problem), or its header describes no PCM format (the problem "Ошибка аудиоустройства"
// with the reason). Call from the track's own thread.
OpenedSource OpenWavSource(const std::string& descriptor, std::int32_t startOffset);

} // namespace umbrascope
