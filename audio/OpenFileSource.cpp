#include "PlayUtils.h"

// File tracks: the WAV and MP3 players plug in here. Until they do, a file track plays nothing.
std::unique_ptr<TrackSource> OpenFileSource(const std::string& /*descriptor*/,
                                            std::int32_t /*startOffset*/) {
    return nullptr;
}
