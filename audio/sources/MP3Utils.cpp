#include "MP3Utils.h"

#include "base/FileUtils.h"

#include <algorithm>
#include <array>
#include <mpg123.h>
#include <mutex>

namespace umbrascope {

namespace {

// Layer III bitrates in kbit/s by bitrate index; 0 and 15 are refused before lookup.
constexpr std::array<int, 16> Mpeg1Bitrates{0,   32,  40,  48,  56,  64,  80,  96,
                                            112, 128, 160, 192, 224, 256, 320, 0};
constexpr std::array<int, 16> Mpeg2Bitrates{0,  8,  16, 24,  32,  40,  48,  56,
                                            64, 80, 96, 112, 128, 144, 160, 0};
constexpr std::array<int, 3> Mpeg1Rates{44100, 48000, 32000};

constexpr int VersionMpeg1 = 3;
constexpr int VersionMpeg2 = 2;
constexpr int VersionMpeg25 = 0;
constexpr int LayerThree = 1;

} // namespace

std::optional<Mp3FrameHeader> ParseMp3FrameHeader(const std::uint8_t bytes[4]) {
    if (bytes[0] != 0xFF || (bytes[1] & 0xE0) != 0xE0)
        return std::nullopt;
    const int version = (bytes[1] >> 3) & 3;
    const int layer = (bytes[1] >> 1) & 3;
    const int bitrateIndex = bytes[2] >> 4;
    const int rateIndex = (bytes[2] >> 2) & 3;
    const int padding = (bytes[2] >> 1) & 1;
    const int channelMode = bytes[3] >> 6;
    const int emphasis = bytes[3] & 3;
    if (version == 1 || layer != LayerThree || bitrateIndex == 0 || bitrateIndex == 15 ||
        rateIndex == 3 || emphasis == 2)
        return std::nullopt;

    Mp3FrameHeader header;
    const bool mpeg1 = version == VersionMpeg1;
    header.bitrateKbps = mpeg1 ? Mpeg1Bitrates[bitrateIndex] : Mpeg2Bitrates[bitrateIndex];
    header.sampleRate = Mpeg1Rates[rateIndex] / (mpeg1 ? 1 : version == VersionMpeg2 ? 2 : 4);
    header.channels = channelMode == 3 ? 1 : 2;
    const std::uint32_t slotsFactor = mpeg1 ? 144000 : 72000;
    header.frameLength = slotsFactor * static_cast<std::uint32_t>(header.bitrateKbps) /
                             static_cast<std::uint32_t>(header.sampleRate) +
                         static_cast<std::uint32_t>(padding);
    static_assert(VersionMpeg25 == 0 && VersionMpeg2 == 2);
    return header;
}

bool ContinuesStream(const Mp3FrameHeader& first, const Mp3FrameHeader& next) {
    return first.sampleRate == next.sampleRate;
}

std::optional<std::uint32_t> FindFrameBefore(TFile& file, std::uint64_t from, std::uint64_t stop,
                                             Mp3FrameHeader& found) {
    // Reads a block at a time; each block overlaps the next by the bytes that the header of the
    // frame after one starting at its last position needs.
    constexpr std::uint32_t BlockPositions = 8192;
    constexpr std::uint32_t LongestFrame = 1441; // 160 kbit/s at 8000 Hz, or 320 at 32000, padded
    constexpr std::uint32_t Overlap = LongestFrame + 3;
    std::array<std::uint8_t, BlockPositions + Overlap> block{};
    const std::uint64_t size = file.Size();
    stop = std::min<std::uint64_t>(stop, 0xFFFFFFFFu);
    for (std::uint64_t position = from; position < stop;) {
        const auto start = static_cast<std::uint32_t>(position);
        const auto count =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(BlockPositions, stop - position));
        file.Read(block.data(), start, count + Overlap);
        for (std::uint32_t i = 0; i < count; ++i) {
            if (block[i] != 0xFF)
                continue;
            const auto header = ParseMp3FrameHeader(&block[i]);
            if (!header)
                continue;
            // A frame counts when the next one's header follows it, or when the file ends
            // before a header could stand there (a last frame, perhaps cut short).
            const std::uint32_t next = i + header->frameLength;
            const auto following = ParseMp3FrameHeader(&block[next]);
            if (std::uint64_t{start} + next + 4 > size ||
                (following && ContinuesStream(*header, *following))) {
                found = *header;
                return start + i;
            }
        }
        position += count;
    }
    return std::nullopt;
}

std::uint32_t FindFrame(TFile& file, std::uint64_t from, std::uint32_t end, Mp3FrameHeader& found) {
    return FindFrameBefore(file, from, end, found).value_or(end);
}

std::uint32_t Id3v2TagsEnd(TFile& file, std::uint32_t end) {
    constexpr std::uint32_t HeaderBytes = 10;
    constexpr std::uint8_t FooterFlag = 0x10;
    std::uint64_t position = 0;
    for (;;) {
        std::uint8_t header[HeaderBytes];
        file.Read(header, static_cast<std::uint32_t>(position), HeaderBytes);
        const bool tag = header[0] == 'I' && header[1] == 'D' && header[2] == '3' &&
                         header[3] != 0xFF && header[4] != 0xFF &&
                         (header[6] | header[7] | header[8] | header[9]) < 0x80;
        if (!tag)
            break;
        // The size is "synchsafe": seven bits a byte, counting neither header nor footer.
        const std::uint32_t size = std::uint32_t{header[6]} << 21 | std::uint32_t{header[7]} << 14 |
                                   std::uint32_t{header[8]} << 7 | header[9];
        const std::uint64_t tagEnd =
            position + HeaderBytes + size + ((header[5] & FooterFlag) ? HeaderBytes : 0);
        if (tagEnd > end)
            break;
        position = tagEnd;
    }
    return static_cast<std::uint32_t>(position);
}

void InitialiseMp3Library() {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

Mp3Decoder::Mp3Decoder(int channels) : channels_(channels == 1 ? 1 : 2) {}

Mp3Decoder::~Mp3Decoder() {
    if (handle_)
        mpg123_delete(handle_);
}

namespace {

// The plain frame decoder the player expects: every frame comes out whole, in signed 16 bits,
// at the stream's own rate and in the channel count the output stream was opened with.
mpg123_handle* NewPlainDecoder(int channels) {
    InitialiseMp3Library();
    int error = MPG123_OK;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    if (!handle)
        return nullptr;
    const long forceChannels = channels == 1 ? MPG123_MONO_MIX : MPG123_FORCE_STEREO;
    bool ok =
        mpg123_param(handle, MPG123_REMOVE_FLAGS, MPG123_GAPLESS | MPG123_AUTO_RESAMPLE, 0.0) ==
            MPG123_OK &&
        mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | forceChannels, 0.0) == MPG123_OK &&
        mpg123_format_none(handle) == MPG123_OK;
    const long* rates = nullptr;
    std::size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    const int channelFlag = channels == 1 ? MPG123_MONO : MPG123_STEREO;
    for (std::size_t i = 0; ok && i < rateCount; ++i)
        ok = mpg123_format(handle, rates[i], channelFlag, MPG123_ENC_SIGNED_16) == MPG123_OK;
    if (!ok) {
        mpg123_delete(handle);
        return nullptr;
    }
    return handle;
}

} // namespace

void Mp3Decoder::Init() {
    if (!handle_)
        handle_ = NewPlainDecoder(channels_);
    // Opening a new feed drops whatever the previous one held.
    if (handle_ && mpg123_open_feed(handle_) != MPG123_OK) {
        mpg123_delete(handle_);
        handle_ = nullptr;
    }
}

Mp3DecodeResult Mp3Decoder::Decode(const std::uint8_t* input, std::size_t length,
                                   std::uint8_t* output, std::size_t capacity,
                                   std::size_t& produced) {
    produced = 0;
    if (!handle_)
        return Mp3DecodeResult::Error;
    if (!input)
        length = 0;
    for (;;) {
        std::size_t done = 0;
        const int result =
            mpg123_decode(handle_, input, length, output + produced, capacity - produced, &done);
        produced += done;
        input = nullptr; // fed once; any further call only continues decoding
        length = 0;
        // The first frame announces its format before it is decoded: go on decoding it.
        if (result == MPG123_NEW_FORMAT && produced < capacity)
            continue;
        if (produced > 0)
            return Mp3DecodeResult::Output;
        if (result == MPG123_OK || result == MPG123_NEED_MORE || result == MPG123_DONE ||
            result == MPG123_NEW_FORMAT)
            return Mp3DecodeResult::NeedMore;
        return Mp3DecodeResult::Error;
    }
}

} // namespace umbrascope
