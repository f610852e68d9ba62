// The WAV header walk and the first buffers of the loop, over any bytes.

#include "audio/sources/WavSource.h"
#include "fuzz_memory_file.h"

#include <cstdlib>

namespace umbrascope {

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const MemoryFile file(data, size);
    // The last byte chooses the start: 0 or somewhere up to four minutes in.
    const std::int32_t offset = size > 0 ? data[size - 1] * 977 : 0;
    const auto source = OpenWavSource(file.Path(), offset).source;
    if (!source)
        return 0;
    const PcmFormat format = source->Format();
    if (format.channels <= 0 || format.blockAlign <= 0 || format.sampleRate <= 0)
        std::abort(); // the stream layer must never be handed such a format
    PlaySome(*source, 3);
    return 0;
}

} // namespace umbrascope
