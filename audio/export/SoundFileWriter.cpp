#include "SoundFileWriter.h"

#include <vector>

namespace umbrascope {

void SoundFileWriter::Write(const std::int16_t* stereo, std::size_t frames) {
    const std::vector<std::int32_t> wide(stereo, stereo + frames * 2);
    Write(wide.data(), frames);
}

} // namespace umbrascope
