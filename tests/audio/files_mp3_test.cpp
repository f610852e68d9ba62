// MP3 file tracks: frame headers, where a track starts, and the sound itself compared with what
// mpg123 decodes from the same file. Both use libmpg123 without gapless trimming, so the PCM
// must agree sample for sample; only where the track starts (a decoder started mid-file lacks
// the bit reservoir of its first frames) and where it loops (the last frame is not played)
// may differ.

#include "audio/sources/AudioFileCheck.h"
#include "audio/sources/MP3Utils.h"
#include "audio/sources/Mp3Source.h"
#include "base/FileUtils.h"
#include "files_test_support.h"
#include "model/Session.h"
#include "tests/common/SanitizerBuild.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace umbrascope {

namespace fs = std::filesystem;

namespace {

std::optional<Mp3FrameHeader> Header(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2,
                                     std::uint8_t b3) {
    const std::uint8_t bytes[4] = {b0, b1, b2, b3};
    return ParseMp3FrameHeader(bytes);
}

struct Fixture {
    const char* name;
    PcmFormat format;
    std::size_t frameBytes;            // decoded bytes per frame
    const char* sameSoundAs = nullptr; // the fixture whose decoding this one's sound equals
};

const Fixture Cbr128{"cbr128.mp3", {44100, 2, 16, 4}, 1152 * 4};
const Fixture Mono{"mono.mp3", {44100, 1, 16, 2}, 1152 * 2};
const Fixture Mpeg2{"mpeg2.mp3", {22050, 2, 16, 4}, 576 * 4};
const Fixture Tagged{"id3v2.mp3", {44100, 2, 16, 4}, 1152 * 4};
// cbr128.mp3 after 6 MB of binary data in an ID3v2 tag, or 300 KB of it with no tag; either
// begins with a frame header that no second frame follows.
const Fixture Cover{"cover.mp3", {44100, 2, 16, 4}, 1152 * 4, "cbr128.mp3"};
const Fixture Junk{"junk.mp3", {44100, 2, 16, 4}, 1152 * 4, "cbr128.mp3"};

Bytes Reference(const Fixture& fixture) {
    const std::string name = fixture.sameSoundAs ? fixture.sameSoundAs : fixture.name;
    return ReadAll(SoundFixtures() / (name + ".pcm"));
}

bool SameBytes(const Bytes& a, std::size_t atA, const Bytes& b, std::size_t atB,
               std::size_t count) {
    return atA + count <= a.size() && atB + count <= b.size() &&
           std::equal(a.begin() + atA, a.begin() + atA + count, b.begin() + atB);
}

// The whole decoded frame of the reference at which played[at...] continues, looked for within
// `tolerance` frames of `expectedFrame`; -1 when there is none.
long MatchingFrame(const Bytes& played, std::size_t at, const Bytes& reference,
                   std::size_t frameBytes, long expectedFrame, long tolerance) {
    for (long frame = std::max(0L, expectedFrame - tolerance); frame <= expectedFrame + tolerance;
         ++frame) {
        if (SameBytes(played, at, reference, frame * frameBytes, 4 * frameBytes))
            return frame;
    }
    return -1;
}

// Where the second pass over the file begins in what was played from the file's start.
std::size_t PassLength(const Bytes& played, const Bytes& reference, std::size_t frameBytes) {
    const std::size_t frames = reference.size() / frameBytes;
    for (std::size_t frame = frames > 3 ? frames - 3 : 0; frame <= frames; ++frame) {
        if (SameBytes(played, frame * frameBytes, reference, 0, 4 * frameBytes))
            return frame * frameBytes;
    }
    return 0;
}

int BuffersFor(const TrackSource& source, std::size_t bytes) {
    return static_cast<int>(bytes / source.BufferBytes()) + 1;
}

bool Silent(const Bytes& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

fs::path WriteMp3(const Bytes& bytes) {
    const fs::path path = ScratchFolder() / "track.mp3";
    WriteAll(path, bytes);
    return path;
}

// Positions of the file's frames, walked from the first header by frame lengths.
std::vector<std::size_t> FramePositions(const Bytes& file) {
    std::vector<std::size_t> positions;
    std::size_t at = 0;
    while (at + 4 <= file.size() && !ParseMp3FrameHeader(&file[at]))
        ++at;
    while (at + 4 <= file.size()) {
        const auto header = ParseMp3FrameHeader(&file[at]);
        if (!header)
            break;
        positions.push_back(at);
        at += header->frameLength;
    }
    return positions;
}

} // namespace

TEST(Mp3Header, FieldsAndFrameLengthFollowTheLayerThreeTables) {
    const auto stereo = Header(0xFF, 0xFB, 0x90, 0x64); // MPEG-1, 128 kbit/s, 44100, joint
    ASSERT_TRUE(stereo);
    EXPECT_EQ(stereo->bitrateKbps, 128);
    EXPECT_EQ(stereo->sampleRate, 44100);
    EXPECT_EQ(stereo->channels, 2);
    EXPECT_EQ(stereo->frameLength, 417u);
    EXPECT_EQ(Header(0xFF, 0xFB, 0x92, 0x64)->frameLength, 418u); // padded
    EXPECT_EQ(Header(0xFF, 0xFB, 0x90, 0xC4)->channels, 1);       // mono
    EXPECT_EQ(Header(0xFF, 0xFB, 0x90, 0x84)->channels, 2);       // dual channel

    const auto mpeg2 = Header(0xFF, 0xF3, 0x80, 0x64); // MPEG-2, 64 kbit/s, 22050
    ASSERT_TRUE(mpeg2);
    EXPECT_EQ(mpeg2->bitrateKbps, 64);
    EXPECT_EQ(mpeg2->sampleRate, 22050);
    EXPECT_EQ(mpeg2->frameLength, 72000u * 64 / 22050);

    const auto mpeg25 = Header(0xFF, 0xE3, 0xEB, 0x00); // MPEG-2.5, 160 kbit/s, 8000, padded
    ASSERT_TRUE(mpeg25);
    EXPECT_EQ(mpeg25->sampleRate, 8000);
    EXPECT_EQ(mpeg25->frameLength, 1441u);
    EXPECT_EQ(Header(0xFF, 0xFB, 0xE4, 0x00)->frameLength, 960u); // 320 kbit/s, 48000 Hz
}

TEST(Mp3Header, RefusesEverythingButLayerThreeWithKnownRates) {
    EXPECT_FALSE(Header(0xFE, 0xFB, 0x90, 0x64)); // no sync
    EXPECT_FALSE(Header(0xFF, 0xDB, 0x90, 0x64)); // sync cut short
    EXPECT_FALSE(Header(0xFF, 0xEB, 0x90, 0x64)); // reserved version
    EXPECT_FALSE(Header(0xFF, 0xFD, 0x90, 0x64)); // Layer II
    EXPECT_FALSE(Header(0xFF, 0xFF, 0x90, 0x64)); // Layer I
    EXPECT_FALSE(Header(0xFF, 0xF9, 0x90, 0x64)); // reserved layer
    EXPECT_FALSE(Header(0xFF, 0xFB, 0x00, 0x64)); // free format
    EXPECT_FALSE(Header(0xFF, 0xFB, 0xF0, 0x64)); // bitrate 15
    EXPECT_FALSE(Header(0xFF, 0xFB, 0x9C, 0x64)); // reserved rate
    EXPECT_FALSE(Header(0xFF, 0xFB, 0x90, 0x66)); // emphasis 10
    EXPECT_TRUE(Header(0xFF, 0xFB, 0x90, 0x67));  // emphasis 11 is fine
}

TEST(Mp3Frames, SearchSkipsATagAndEndsAtTheEndWhenNothingIsFound) {
    const fs::path tagged = SoundFixtures() / Tagged.name;
    const Bytes bytes = ReadAll(tagged);
    ASSERT_TRUE(SameBytes(bytes, 0, Bytes{'I', 'D', '3'}, 0, 3));
    const std::size_t tagEnd =
        10 + (std::size_t{bytes[6]} << 21 | std::size_t{bytes[7]} << 14 | bytes[8] << 7 | bytes[9]);
    TFile file(tagged);
    Mp3FrameHeader found;
    EXPECT_EQ(FindFrame(file, 0, file.Size(), found), tagEnd);
    EXPECT_EQ(found.bitrateKbps, 128);

    TFile layer2(SoundFixtures() / "layer2.mp2");
    EXPECT_EQ(FindFrame(layer2, 0, layer2.Size(), found), layer2.Size());
    EXPECT_EQ(FindFrame(layer2, layer2.Size() + 10ull, layer2.Size(), found), layer2.Size());
}

TEST(Mp3Frames, StartPositionComesFromTheDurationInSixtyFourBits) {
    EXPECT_EQ(Mp3StartPosition(0, 1000000, 128, 10000), 160000u);
    EXPECT_EQ(Mp3StartPosition(0, 1000000, 128, 62500 + 10000), 160000u); // duration 62500 ms
    EXPECT_EQ(Mp3StartPosition(0, 1000000, 128, 0), 0u);
    EXPECT_EQ(Mp3StartPosition(0, 1000000, 128, -100), 0u);
    // 600 MB: the size in bits no longer fits 32 bits, the duration is 37500000 ms.
    EXPECT_EQ(Mp3StartPosition(0, 600000000, 128, 3000000), 48000000u);
    EXPECT_EQ(Mp3StartPosition(0, 0xFFFFFFFFu, 320, 0x7FFFFFFF) < 0xFFFFFFFFu, true);
    // Fewer than bitrate / 8 bytes: no duration, so the track starts at the first frame.
    EXPECT_EQ(Mp3StartPosition(20, 50, 320, 5000), 20u);
    // A tag before the first frame holds no sound: time counts from the frame.
    EXPECT_EQ(Mp3StartPosition(3000000, 4000000, 128, 72500), 3000000u + 160000u);
}

TEST(Mp3Track, OpensTheDeviceInTheFirstFramesFormat) {
    for (const Fixture& fixture : {Cbr128, Mono, Mpeg2, Tagged, Cover, Junk}) {
        SCOPED_TRACE(fixture.name);
        const auto source = OpenMp3Source((SoundFixtures() / fixture.name).string(), 0).source;
        ASSERT_TRUE(source);
        EXPECT_EQ(source->Format(), fixture.format);
        EXPECT_EQ(source->BufferBytes(), BufferBytesFor(fixture.format));
        EXPECT_TRUE(source->ReportsDeviceFailure());
    }
}

TEST(Mp3Track, PlaysWhatMpg123DecodesAndLoopsToTheFirstFrame) {
    // Binary data before the first frame costs no silence, neither at the start nor at a loop.
    for (const Fixture& fixture : {Cbr128, Mono, Mpeg2, Tagged, Cover, Junk}) {
        SCOPED_TRACE(fixture.name);
        const Bytes reference = Reference(fixture);
        ASSERT_GT(reference.size(), 20 * fixture.frameBytes);
        const auto source = OpenMp3Source((SoundFixtures() / fixture.name).string(), 0).source;
        ASSERT_TRUE(source);
        const Bytes played = PlayBuffers(
            *source, BuffersFor(*source, 2 * reference.size() + 8 * fixture.frameBytes));

        const std::size_t pass = PassLength(played, reference, fixture.frameBytes);
        ASSERT_GT(pass, 0u) << "the track did not start over at the first frame";
        EXPECT_LE(pass, reference.size());
        EXPECT_TRUE(SameBytes(played, 0, reference, 0, pass));
        EXPECT_TRUE(SameBytes(played, pass, reference, 0, pass));
    }
}

TEST(Mp3Track, StartOffsetBeginsNearTheMatchingFrame) {
    // 1000 ms at 128 kbit/s is byte 16000 after the first frame, inside the 39th frame (the
    // first is the info frame); a tag before the first frame does not count.
    for (const Fixture& fixture : {Cbr128, Cover}) {
        SCOPED_TRACE(fixture.name);
        const Bytes reference = Reference(fixture);
        const std::size_t frame = fixture.frameBytes;
        const auto source = OpenMp3Source((SoundFixtures() / fixture.name).string(), 1000).source;
        ASSERT_TRUE(source);
        const Bytes played = PlayBuffers(*source, BuffersFor(*source, reference.size()));
        // A decoder started there lacks the bit reservoir of the first frames it is given.
        const std::size_t skip = 3 * frame;
        const long match = MatchingFrame(played, skip, reference, frame, 38 + 3, 2);
        ASSERT_GE(match, 0);
        const std::size_t restOfPass = reference.size() - match * frame - frame;
        EXPECT_TRUE(SameBytes(played, skip, reference, match * frame, restOfPass));
    }
}

TEST(Mp3BadInput, FilesWithoutALayerThreeFrameAreRefused) {
    const fs::path folder = ScratchFolder();
    WriteAll(folder / "zeros.mp3", Bytes(50000, 0));
    WriteAll(folder / "empty.mp3", {});
    WriteAll(folder / "text.mp3", Bytes(3000, 'x'));
    for (const fs::path& path : {SoundFixtures() / "layer2.mp2", folder / "zeros.mp3",
                                 folder / "empty.mp3", folder / "text.mp3"}) {
        SCOPED_TRACE(path.string());
        const OpenedSource opened = OpenMp3Source(path.string(), 0);
        EXPECT_EQ(opened.source, nullptr);
        ASSERT_TRUE(opened.problem);
        EXPECT_EQ(opened.problem->Text(), "Неверный MP3 файл");
    }
    for (const fs::path& path : {folder / "missing.mp3", folder}) {
        const OpenedSource opened = OpenMp3Source(path.string(), 0);
        EXPECT_EQ(opened.source, nullptr);
        EXPECT_FALSE(opened.problem);
    }
}

TEST(Mp3BadInput, GarbageBetweenFramesIsSkippedByteByByte) {
    const Bytes original = ReadAll(SoundFixtures() / Cbr128.name);
    const std::vector<std::size_t> frames = FramePositions(original);
    ASSERT_GT(frames.size(), 80u);
    Bytes garbage(700);
    std::uint32_t seed = 12345;
    for (auto& byte : garbage) {
        seed = seed * 1103515245 + 12345;
        byte = static_cast<std::uint8_t>(seed >> 16);
    }
    garbage[100] = 0xFF; // a sync that leads nowhere
    garbage[101] = 0xFB;
    garbage[102] = 0x90;
    Bytes file(original.begin(), original.begin() + frames[50]);
    file.insert(file.end(), garbage.begin(), garbage.end());
    file.insert(file.end(), original.begin() + frames[50], original.end());

    const Bytes reference = Reference(Cbr128);
    const std::size_t frame = Cbr128.frameBytes;
    const auto source = OpenMp3Source(WriteMp3(file).string(), 0).source;
    ASSERT_TRUE(source);
    const Bytes played = PlayBuffers(*source, BuffersFor(*source, reference.size() + 10 * frame));
    // Frames before the garbage play as they are (the 49th frame of sound is file frame 50)...
    EXPECT_TRUE(SameBytes(played, 0, reference, 0, 45 * frame));
    // ...and a few frames after it the sound is in step with the file again.
    const long match = MatchingFrame(played, 55 * frame, reference, frame, 55, 4);
    EXPECT_GE(match, 0);
}

TEST(Mp3BadInput, FileCutInsideAFrameLoopsBeforeTheCut) {
    const Bytes original = ReadAll(SoundFixtures() / Cbr128.name);
    const std::vector<std::size_t> frames = FramePositions(original);
    ASSERT_GT(frames.size(), 70u);
    const Bytes file(original.begin(), original.begin() + frames[60] + 200);
    const Bytes reference = Reference(Cbr128);
    const std::size_t frame = Cbr128.frameBytes;
    const auto source = OpenMp3Source(WriteMp3(file).string(), 0).source;
    ASSERT_TRUE(source);
    const Bytes played = PlayBuffers(*source, BuffersFor(*source, 150 * frame));
    std::size_t second = 0;
    for (std::size_t f = 50; f <= 62 && second == 0; ++f) {
        if (SameBytes(played, f * frame, reference, 0, 4 * frame))
            second = f * frame;
    }
    ASSERT_GT(second, 0u);
    EXPECT_TRUE(SameBytes(played, 0, reference, 0, second));
    EXPECT_TRUE(SameBytes(played, second, reference, 0, second));
}

TEST(Mp3BadInput, HeaderThatNeverDecodesGivesSilenceAndReturns) {
    const std::uint8_t header[4] = {0xFF, 0xFB, 0x90, 0x64};
    Bytes lonely(header, header + 4);
    lonely.resize(417, 0x00);
    Bytes tiny(header, header + 4); // 320 kbit/s frames, too short for a duration
    tiny[2] = 0xE0;
    tiny.resize(30, 0x55);
    Bytes repeated;
    for (int i = 0; i < 3000; ++i) {
        repeated.insert(repeated.end(), header, header + 4);
        repeated.push_back(static_cast<std::uint8_t>(i * 37));
    }
    // Sound decoded from the last chunk before the end is dropped at the loop; a file of an
    // info frame and two more must still never hold a buffer for ever.
    const Bytes original = ReadAll(SoundFixtures() / Cbr128.name);
    const Bytes threeFrames(original.begin(), original.begin() + FramePositions(original)[3]);
    for (const Bytes& file : {lonely, tiny, threeFrames, repeated}) {
        const auto source = OpenMp3Source(WriteMp3(file).string(), 5000).source;
        ASSERT_TRUE(source);
        const auto started = std::chrono::steady_clock::now();
        const Bytes played = PlayBuffers(*source, 20);
        EXPECT_LT(std::chrono::steady_clock::now() - started,
                  std::chrono::seconds(10) * SanitizerSlowdown);
        if (&file == &lonely || &file == &tiny) {
            EXPECT_TRUE(Silent(played));
        }
    }
}

TEST(Mp3Check, FilesThatDecodeAreTakenAndHeadersWithoutSoundAreNot) {
    for (const char* name : {"cbr128.mp3", "mono.mp3", "mpeg2.mp3", "id3v2.mp3", "cover.mp3"}) {
        const auto reason = UnplayableAudioFileReason((SoundFixtures() / name).string());
        EXPECT_FALSE(reason) << reason->Text();
    }
    Bytes headersOnly;
    for (int i = 0; i < 3000; ++i)
        headersOnly.insert(headersOnly.end(), {0xFF, 0xFB, 0x90, 0x64, 0x00});
    EXPECT_TRUE(UnplayableAudioFileReason(WriteMp3(headersOnly).string()));
}

TEST(Mp3BadInput, FilesOverHalfAGigabyteStartWithoutOverflow) {
    const fs::path path = ScratchFolder() / "long.mp3";
    fs::copy_file(SoundFixtures() / Cbr128.name, path);
    fs::resize_file(path, 600000000); // sparse: the rest reads as zeros
    const auto source = OpenMp3Source(path.string(), 3000000).source;
    ASSERT_TRUE(source);
    EXPECT_EQ(source->Format(), Cbr128.format);
    // The start lies in the zeros; each buffer gives up its search in time.
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(Silent(PlayBuffers(*source, 4)));
    EXPECT_LT(std::chrono::steady_clock::now() - started,
              std::chrono::seconds(10) * SanitizerSlowdown);
}

TEST(Mp3BadInput, LongSearchGoesOnInTheNextBuffers) {
    // 5 MB of zeros before the sound: each buffer searches a part of them, stays silent, and
    // the next one goes on from there until the first frame is reached.
    Bytes file(5000000, 0);
    const Bytes original = ReadAll(SoundFixtures() / Cbr128.name);
    file.insert(file.end(), original.begin(), original.end());
    const auto source = OpenMp3Source(WriteMp3(file).string(), 0).source;
    ASSERT_TRUE(source);
    Bytes played;
    for (int i = 0; i < 8 && Silent(played); ++i)
        played = PlayBuffers(*source, 1);
    ASSERT_FALSE(Silent(played));
    // The buffer that reaches the first frame begins with it.
    EXPECT_TRUE(SameBytes(played, 0, Reference(Cbr128), 0, played.size()));
}

} // namespace umbrascope
