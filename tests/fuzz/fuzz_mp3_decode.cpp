// The MP3 frame search, resynchronisation and decoding, over any bytes.

#include "audio/sources/Mp3Source.h"
#include "fuzz_memory_file.h"

#include <algorithm>

namespace umbrascope {

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A few dozen frames show every path (search, resynchronisation, loop); longer inputs
    // only make each run slower.
    size = std::min<std::size_t>(size, 16384);
    const MemoryFile file(data, size);
    const std::int32_t offset = size > 0 ? data[size - 1] * 131 : 0;
    if (const auto source = OpenMp3Source(file.Path(), offset).source)
        PlaySome(*source, 3);
    return 0;
}

} // namespace umbrascope
