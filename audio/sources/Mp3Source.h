#pragma once

// MP3 file tracks: the file's Layer III frames are found, checked and fed to the decoder one
// frame's length at a time, and the file plays in an endless loop from the track's start
// offset. Decoding errors cost one byte of search each until a frame decodes again.

#include "MP3Utils.h"
#include "TrackSource.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace umbrascope {

// Opens the MP3 file named by the descriptor (a Windows-1251 path) at startOffset ms into the
// track. No source when the track must end: the file cannot be read (no problem), running went
// false while the first frame was being looked for (no problem), or it holds no Layer III frame
// (the problem "Неверный MP3 файл"). ID3v2 tags at the start are passed over by their declared
// size. Call from the track's own thread.
OpenedSource OpenMp3Source(const std::string& descriptor, std::int32_t startOffset,
                           const std::atomic<bool>* running = nullptr);

// Where a track starting startOffset ms into a file of fileSize bytes at the given bitrate
// begins its search for a frame: the duration and the offset count from the first frame, since
// the tags before it hold no sound. Exposed for tests.
std::uint64_t Mp3StartPosition(std::uint32_t firstFrame, std::uint32_t fileSize, int bitrateKbps,
                               std::int32_t startOffset);

} // namespace umbrascope
