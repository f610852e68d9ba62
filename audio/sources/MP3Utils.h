#pragma once

// MPEG audio Layer III frame headers as the MP3 player checks them, and the decoder the player
// feeds: libmpg123 in feeder mode, behaving as a plain frame decoder (no gapless trimming, no
// resampling, signed 16-bit output in a fixed channel count).

#include <cstddef>
#include <cstdint>
#include <optional>

struct mpg123_handle_struct;

namespace umbrascope {

class TFile;

struct Mp3FrameHeader {
    int bitrateKbps = 0;           // kbit/s, which is also bits per millisecond
    int sampleRate = 0;            // Hz
    int channels = 0;              // 1 for mono, 2 for stereo, joint stereo and dual channel
    std::uint32_t frameLength = 0; // bytes, padding included
};

// The header these four bytes hold, or nothing when they are not a Layer III frame header the
// player accepts (free format, reserved values and emphasis 10 are refused).
std::optional<Mp3FrameHeader> ParseMp3FrameHeader(const std::uint8_t bytes[4]);

// True when next may follow first in one stream. Only Layer III is accepted, and the sample
// rates of the three versions differ, so the rate tells version and rate alike.
bool ContinuesStream(const Mp3FrameHeader& first, const Mp3FrameHeader& next);

// The first position at or after from, below end, where a frame starts; end when there is none.
// found receives its header. A valid header counts as a frame only when the next frame's header
// follows where its length says and continues the stream, or when the file ends before a header
// could stand there: a sync pattern inside a tag, a picture or other data must not decide the
// stream's format. Bytes past the file read as zero, as everywhere in TFile.
std::uint32_t FindFrame(TFile& file, std::uint64_t from, std::uint32_t end, Mp3FrameHeader& found);

// The same search over the positions from from up to (not including) stop only; empty when none
// of them starts a frame.
std::optional<std::uint32_t> FindFrameBefore(TFile& file, std::uint64_t from, std::uint64_t stop,
                                             Mp3FrameHeader& found);

// Where the file's content begins after the ID3v2 tags at its start, each passed over by its
// declared size; 0 when it starts with none. A tag that claims to run past end is not trusted.
std::uint32_t Id3v2TagsEnd(TFile& file, std::uint32_t end);

// Thread safe; cheap after the first call. Makes libmpg123 ready for use. The program calls it
// at start; decoders call it too, so forgetting it does no harm.
void InitialiseMp3Library();

enum class Mp3DecodeResult : int { Error = -1, Output = 0, NeedMore = 1 };

// One decoder state. Thread rule: used by one thread at a time (its track thread).
class Mp3Decoder {
public:
    // Every frame is decoded to this many channels (1 or 2), whatever its own channel mode.
    explicit Mp3Decoder(int channels);
    ~Mp3Decoder();
    Mp3Decoder(const Mp3Decoder&) = delete;
    Mp3Decoder& operator=(const Mp3Decoder&) = delete;

    // Forgets every byte fed so far and starts again as a fresh decoder.
    void Init();

    // Feeds length bytes (none when input is null or length 0) and decodes what is complete
    // into output. produced receives the number of bytes written.
    Mp3DecodeResult Decode(const std::uint8_t* input, std::size_t length, std::uint8_t* output,
                           std::size_t capacity, std::size_t& produced);

private:
    mpg123_handle_struct* handle_ = nullptr;
    int channels_;
};

} // namespace umbrascope
