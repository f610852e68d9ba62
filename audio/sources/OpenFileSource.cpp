#include "Mp3Source.h"
#include "WavSource.h"
#include "audio/tracks/PlayUtils.h"
#include "model/TrackDescriptor.h"

namespace umbrascope {

OpenedSource OpenFileSource(const std::string& descriptor, std::int32_t startOffset,
                            const std::atomic<bool>* running) {
    switch (PlaybackKind(descriptor)) {
    case TrackKind::Wav:
        return OpenWavSource(descriptor, startOffset);
    case TrackKind::Mp3:
        return OpenMp3Source(descriptor, startOffset, running);
    default:
        return {};
    }
}

} // namespace umbrascope
