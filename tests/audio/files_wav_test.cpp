// WAV file tracks: the header walk, where a track starts, the loop seam, and bad files that
// must end only their own track.

#include "audio/sources/WavSource.h"
#include "base/FileUtils.h"
#include "files_test_support.h"
#include "model/Session.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace umbrascope {

namespace fs = std::filesystem;

namespace {

// 186 ms of 44100 Hz 16-bit stereo, as long as a generated track's buffer.
constexpr std::size_t BufferBytes = 8192 * 4;

WavLayout LayoutOf(const fs::path& path) {
    TFile file(path);
    return ReadWavLayout(file);
}

// The sample data of a plain 44-byte-header file.
Bytes DataOf(const fs::path& path) {
    const Bytes all = ReadAll(path);
    return Bytes(all.begin() + 44, all.end());
}

fs::path WriteWav(const Bytes& bytes) {
    const fs::path path = ScratchFolder() / "track.wav";
    WriteAll(path, bytes);
    return path;
}

// A 16-bit stereo 44100 Hz file holding the given data after a 44-byte header.
fs::path PlainWav(const Bytes& data) {
    return WriteWav(RiffWave({FormatChunk(1, 2, 44100, 4, 16), Chunk("data", data)}));
}

// What the track plays over its first `buffers` buffers when it starts at position `start`
// of a loop over `data`.
Bytes Looped(const Bytes& data, std::size_t start, std::size_t bytes) {
    Bytes out;
    for (std::size_t i = 0; i < bytes; ++i)
        out.push_back(data[(start + i) % data.size()]);
    return out;
}

} // namespace

TEST(WavHeader, SixteenBitStereoFileGivesItsOwnFormatAndDataAfterTheHeader) {
    const WavLayout layout = LayoutOf(SoundFixtures() / "s16_stereo.wav");
    EXPECT_EQ(layout.dataStart, 44u);
    EXPECT_EQ(layout.dataSize, 352800u);
    EXPECT_EQ(layout.format, (PcmFormat{44100, 2, 16, 4}));
    EXPECT_TRUE(IsPlayablePcm(layout));
}

TEST(WavHeader, OneChunkBeforeTheDataIsSkipped) {
    const WavLayout list = LayoutOf(SoundFixtures() / "s16_list.wav");
    EXPECT_EQ(list.dataStart, 44u + 32u);
    EXPECT_EQ(list.dataSize, 352800u);

    // sox writes 24-bit files with an extensible format chunk and a fact chunk.
    const WavLayout wide = LayoutOf(SoundFixtures() / "s24_stereo.wav");
    EXPECT_EQ(wide.format, (PcmFormat{44100, 2, 24, 6}));
    EXPECT_EQ(wide.dataStart, 20u + 40u + 12u + 8u);
    EXPECT_EQ(wide.dataSize, 44100u * 6u);
    EXPECT_TRUE(IsPlayablePcm(wide));
}

TEST(WavHeader, WithTwoChunksBeforeTheDataTheSecondIsTakenForTheDataHeader) {
    Bytes fact;
    PutU32(fact, 1000);
    const Bytes list = CountingData(40);
    const fs::path path =
        WriteWav(RiffWave({FormatChunk(1, 2, 44100, 4, 16), Chunk("fact", fact),
                           Chunk("LIST", list), Chunk("data", CountingData(4000))}));
    const WavLayout layout = LayoutOf(path);
    EXPECT_EQ(layout.dataStart, 36u + 12u + 8u);
    EXPECT_EQ(layout.declaredSize, 40u);
    EXPECT_EQ(layout.dataSize, 40u);
}

TEST(WavTrack, StartOffsetPicksTheFrameAndWrapsOverTheDataLength) {
    const fs::path path = SoundFixtures() / "s16_stereo.wav";
    const WavLayout layout = LayoutOf(path);
    EXPECT_EQ(WavStartPosition(layout, 0), 44u);
    EXPECT_EQ(WavStartPosition(layout, 1500), 44u + 264600u);
    EXPECT_EQ(WavStartPosition(layout, 2000 + 1500), 44u + 264600u);
    EXPECT_EQ(WavStartPosition(layout, 2000), 44u);
    // Whole frames only, rounded to the nearest: 1 ms at 44100 Hz is 44.1 frames.
    EXPECT_EQ(WavStartPosition(layout, 1), 44u + 44u * 4u);
    EXPECT_EQ(WavStartPosition(layout, -5), 44u);
    EXPECT_EQ(WavStartPosition(layout, 0x7FFFFFFF) % 4, 0u);

    const auto source = OpenWavSource(path.string(), 1500).source;
    ASSERT_TRUE(source);
    const Bytes data = DataOf(path);
    EXPECT_EQ(PlayBuffers(*source, 6), Looped(data, 264600, 6 * BufferBytes));
}

TEST(WavTrack, LoopSeamJoinsTheEndOfTheDataToItsStart) {
    const Bytes data = CountingData(40000);
    const auto source = OpenWavSource(PlainWav(data).string(), 0).source;
    ASSERT_TRUE(source);
    EXPECT_EQ(source->BufferBytes(), BufferBytes);
    EXPECT_TRUE(source->ReportsDeviceFailure());
    const Bytes played = PlayBuffers(*source, 4);
    // The second buffer: the last 7232 bytes of the data, then its first 25536.
    const Bytes second(played.begin() + BufferBytes, played.begin() + 2 * BufferBytes);
    EXPECT_TRUE(std::equal(second.begin(), second.begin() + 7232, data.begin() + 32768));
    EXPECT_TRUE(std::equal(second.begin() + 7232, second.end(), data.begin()));
    EXPECT_EQ(played, Looped(data, 0, played.size()));
}

TEST(WavTrack, DataShorterThanABufferRepeatsWithinTheBuffer) {
    const Bytes data = CountingData(400);
    const auto source = OpenWavSource(PlainWav(data).string(), 0).source;
    ASSERT_TRUE(source);
    const Bytes played = PlayBuffers(*source, 3);
    EXPECT_EQ(played, Looped(data, 0, played.size()));
}

TEST(WavTrack, ChunksAroundTheDataAreNeverPlayed) {
    const Bytes data = DataOf(SoundFixtures() / "s16_stereo.wav");
    for (const char* name : {"s16_list.wav", "s16_trailing.wav"}) {
        SCOPED_TRACE(name);
        const auto source = OpenWavSource((SoundFixtures() / name).string(), 0).source;
        ASSERT_TRUE(source);
        const int buffers = static_cast<int>(data.size() / BufferBytes) + 3;
        EXPECT_EQ(PlayBuffers(*source, buffers), Looped(data, 0, buffers * BufferBytes));
    }
}

TEST(WavTrack, BuffersLastAsLongAsAGeneratedTracksWhateverTheFormat) {
    // So that a stop is as quick for a slow 8-bit mono file as for anything else.
    for (const PcmFormat& format :
         {PcmFormat{8000, 1, 8, 1}, PcmFormat{22050, 2, 16, 4}, PcmFormat{96000, 6, 24, 18}}) {
        SCOPED_TRACE(format.sampleRate);
        const auto source =
            OpenWavSource(
                WriteWav(RiffWave({FormatChunk(1, static_cast<std::uint16_t>(format.channels),
                                               static_cast<std::uint32_t>(format.sampleRate),
                                               static_cast<std::uint16_t>(format.blockAlign),
                                               static_cast<std::uint16_t>(format.bitsPerSample)),
                                   Chunk("data", CountingData(36000))}))
                    .string(),
                0)
                .source;
        ASSERT_TRUE(source);
        const std::size_t bytes = source->BufferBytes();
        EXPECT_EQ(bytes % format.blockAlign, 0u);
        EXPECT_NEAR(double(bytes) / format.blockAlign / format.sampleRate, 4096.0 / 22050, 1e-4);
    }
}

TEST(WavTrack, SamplesPassUnchangedInTheFilesOwnFormat) {
    for (const auto& [name, format, dataStart] :
         {std::tuple{"u8_mono.wav", PcmFormat{22050, 1, 8, 1}, 44u},
          std::tuple{"s24_stereo.wav", PcmFormat{44100, 2, 24, 6}, 80u}}) {
        SCOPED_TRACE(name);
        const fs::path path = SoundFixtures() / name;
        const auto source = OpenWavSource(path.string(), 0).source;
        ASSERT_TRUE(source);
        EXPECT_EQ(source->Format(), format);
        const Bytes all = ReadAll(path);
        const Bytes data(all.begin() + dataStart, all.end());
        EXPECT_EQ(PlayBuffers(*source, 2), Looped(data, 0, 2 * source->BufferBytes()));
    }
}

TEST(WavBadInput, DeclaredSizeBeyondTheFileLoopsOverTheWholeFramesPresent) {
    // A truncated recording: 1001 bytes present (250 whole frames), 50000 declared; and the
    // placeholder size a streamed recording leaves.
    const Bytes data = CountingData(1001);
    for (const std::uint32_t declared : {50000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(declared);
        Bytes file = RiffWave({FormatChunk(1, 2, 44100, 4, 16)});
        PutText(file, "data");
        PutU32(file, declared);
        file.insert(file.end(), data.begin(), data.end());
        const fs::path path = WriteWav(file);
        EXPECT_EQ(LayoutOf(path).dataSize, 1000u);
        // 100 ms is 4410 frames: 4410 mod 250 = 160 frames in.
        const auto source = OpenWavSource(path.string(), 100).source;
        ASSERT_TRUE(source);
        const Bytes whole(data.begin(), data.begin() + 1000);
        EXPECT_EQ(PlayBuffers(*source, 3), Looped(whole, 640, 3 * BufferBytes));
    }
}

TEST(WavBadInput, FilesWithoutSampleDataEndTheTrackQuietly) {
    Bytes noFrame = RiffWave({FormatChunk(1, 2, 44100, 4, 16)});
    PutText(noFrame, "data");
    PutU32(noFrame, 3);
    noFrame.insert(noFrame.end(), {1, 2, 3});
    for (const Bytes& file : {RiffWave({FormatChunk(1, 2, 44100, 4, 16), Chunk("data", {})}),
                              RiffWave({FormatChunk(1, 2, 44100, 4, 16)}), noFrame}) {
        const OpenedSource opened = OpenWavSource(WriteWav(file).string(), 1000);
        EXPECT_EQ(opened.source, nullptr);
        EXPECT_FALSE(opened.problem);
    }
    for (const fs::path& path : {ScratchFolder() / "missing.wav", ScratchFolder()}) {
        const OpenedSource opened = OpenWavSource(path.string(), 0); // missing, a folder
        EXPECT_EQ(opened.source, nullptr);
        EXPECT_FALSE(opened.problem);
    }
}

TEST(WavBadInput, HeadersThatDescribeNoPcmAreRefusedAsTheDeviceWould) {
    const Bytes data = CountingData(4000);
    std::vector<fs::path> files{SoundFixtures() / "ulaw.wav", SoundFixtures() / "float.wav"};
    for (const Bytes& format :
         {FormatChunk(1, 2, 44100, 0, 16), FormatChunk(1, 0, 44100, 4, 16),
          FormatChunk(1, 2, 0, 4, 16), FormatChunk(1, 2, 44100, 4, 12),
          FormatChunk(1, 2, 44100, 3, 16), FormatChunk(0x11, 1, 22050, 1024, 4),
          // Rates no sound hardware plays: at 1 Hz one buffer would last minutes.
          FormatChunk(1, 1, 1, 1, 8), FormatChunk(1, 2, 999, 4, 16),
          FormatChunk(1, 2, 768001, 4, 16)}) {
        const fs::path path = ScratchFolder() / "bad.wav";
        WriteAll(path, RiffWave({format, Chunk("data", data)}));
        files.push_back(path);
    }
    const fs::path text = ScratchFolder() / "notes.wav";
    WriteAll(text, Bytes(5000, 'a'));
    files.push_back(text);
    const fs::path empty = ScratchFolder() / "empty.wav";
    WriteAll(empty, {});
    files.push_back(empty);

    std::vector<std::string> shown;
    for (const fs::path& path : files) {
        SCOPED_TRACE(path.string());
        const OpenedSource opened = OpenWavSource(path.string(), 2500);
        EXPECT_EQ(opened.source, nullptr);
        if (opened.problem)
            shown.push_back(opened.problem->Text());
    }
    // Each problem names the file and says why, where the header tells.
    ASSERT_EQ(shown.size(), files.size());
    for (const std::string& message : shown)
        EXPECT_TRUE(message.starts_with("Ошибка аудиоустройства")) << message;
    EXPECT_NE(shown[0].find("ulaw.wav» записан не в формате PCM"), std::string::npos) << shown[0];
    EXPECT_NE(shown[files.size() - 2].find("notes.wav» не является звуковым файлом WAV"),
              std::string::npos);
}

TEST(WavBadInput, FileThatShrinksOrVanishesWhilePlayingNeverFailsTheTrack) {
    // Larger than the reader's two windows, so that later reads go to the disk again.
    const Bytes data = CountingData(3000000);
    const fs::path path = PlainWav(data);
    const auto source = OpenWavSource(path.string(), 0).source;
    ASSERT_TRUE(source);
    PlayBuffers(*source, 2);
    fs::resize_file(path, 20000);
    const Bytes afterCut = PlayBuffers(*source, 130);
    bool silentBuffer = false;
    for (std::size_t at = 0; at < afterCut.size(); at += BufferBytes)
        silentBuffer |= std::all_of(afterCut.begin() + at, afterCut.begin() + at + BufferBytes,
                                    [](std::uint8_t b) { return b == 0; });
    EXPECT_TRUE(silentBuffer);
    fs::remove(path);
    PlayBuffers(*source, 130);
}

TEST(WavTrack, HeaderWalkStaysInsideThirtyTwoBitPositions) {
    // Chunk sizes that point past 4 GB read as nothing rather than wrapping around.
    Bytes file;
    PutText(file, "RIFF");
    PutU32(file, 0);
    PutText(file, "WAVEfmt ");
    PutU32(file, 0xFFFFFFF0u);
    const fs::path path = WriteWav(file);
    const WavLayout layout = LayoutOf(path);
    EXPECT_EQ(layout.dataSize, 0u);

    Bytes skip = RiffWave({FormatChunk(1, 2, 44100, 4, 16)});
    PutText(skip, "junk");
    PutU32(skip, 0xFFFFFFF8u);
    EXPECT_EQ(LayoutOf(WriteWav(skip)).dataSize, 0u);
}

} // namespace umbrascope
