#include "base/FileUtils.h"
#include "tests/model/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <thread>

namespace umbrascope {

namespace {

// Bytes whose value depends on their position, so misplaced copies show.
std::string PatternBytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

std::string ReadAt(TFile& file, std::uint32_t position, std::uint32_t count) {
    std::string out(count, '\x55');
    file.Read(out.data(), position, count);
    return out;
}

} // namespace

TEST(TFile, ASmallFileIsReadWhollyAtConstruction) {
    ScratchFolder folder;
    const std::string bytes = PatternBytes(300000);
    TFile file(folder.Write("small", bytes));
    EXPECT_EQ(file.Size(), 300000u);
    EXPECT_EQ(ReadAt(file, 0, 300000), bytes);
    EXPECT_EQ(ReadAt(file, 123456, 10), bytes.substr(123456, 10));
    EXPECT_EQ(file.DiskReads(), 1);
    EXPECT_EQ(file.WindowStart(0), 0u);
    EXPECT_EQ(file.WindowStart(1), 0u);
    EXPECT_EQ(file.ReadPosition, 0u);
}

TEST(TFile, BytesPastTheEndReadAsZeroAndPositionsRunOn) {
    ScratchFolder folder;
    TFile file(folder.Write("f", "abcdef"));
    std::string out(4, 'x');
    EXPECT_EQ(file.Read(out.data(), file.Size() - 2, 4), file.Size() + 2);
    EXPECT_EQ(out, std::string("ef\0\0", 4));
    EXPECT_EQ(file.Read(out.data(), 3, 0), 3u);
    EXPECT_EQ(file.Read(out.data(), 0xFFFFFFFEu, 4), 2u);
    EXPECT_EQ(out, std::string(4, '\0'));
    std::string text;
    EXPECT_EQ(file.ReadString(text, 4, 4), 8u);
    EXPECT_EQ(text, std::string("ef\0\0", 4));
}

TEST(TFile, ReadLineHandlesLineEndsAndEncodedBreaks) {
    ScratchFolder folder;
    TFile file(folder.Write("lines", "ab\r\ncd"));
    std::string text;
    EXPECT_EQ(file.ReadLine(text, 0), 4u);
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(file.ReadLine(text, 4), file.Size());
    EXPECT_EQ(text, "cd");
    EXPECT_EQ(file.ReadLine(text, file.Size()), file.Size());
    EXPECT_EQ(text, "");

    TFile encoded(folder.Write("encoded", std::string("a\x01\x00"
                                                      "b\n\n",
                                                      6)));
    EXPECT_EQ(encoded.ReadLine(text, 0), 5u);
    EXPECT_EQ(text, "a\r\nb");
    EXPECT_EQ(encoded.ReadLine(text, 5), 6u);
    EXPECT_EQ(text, "");
}

TEST(TFile, AnEmptyFileHasSizeZeroAndReadsZeros) {
    ScratchFolder folder;
    TFile file(folder.Write("empty", ""));
    EXPECT_EQ(file.Size(), 0u);
    EXPECT_EQ(ReadAt(file, 0, 3), std::string(3, '\0'));
    std::string text = "old";
    EXPECT_EQ(file.ReadLine(text, 0), 0u);
    EXPECT_EQ(text, "");
}

TEST(TFile, WindowsLoadForwardFromThePositionAndBackwardAroundIt) {
    ScratchFolder folder;
    const std::string bytes = PatternBytes(3000000);
    TFile file(folder.Write("big", bytes));
    EXPECT_EQ(ReadAt(file, 0, 1), bytes.substr(0, 1));
    EXPECT_EQ(ReadAt(file, 600000, 1), bytes.substr(600000, 1));
    EXPECT_EQ(file.WindowStart(1), 600000u);
    EXPECT_EQ(ReadAt(file, 2000000, 1), bytes.substr(2000000, 1));
    EXPECT_EQ(file.WindowStart(0), 2000000u);
    EXPECT_EQ(ReadAt(file, 1500000, 1), bytes.substr(1500000, 1));
    EXPECT_EQ(file.WindowStart(1), 1500000u);
    EXPECT_EQ(ReadAt(file, 1400000, 1), bytes.substr(1400000, 1));
    EXPECT_EQ(file.WindowStart(0), 1137856u);
    EXPECT_EQ(file.WindowLength(0), TFile::WindowSize);
    EXPECT_EQ(file.LastWindow(), 0);
}

TEST(TFile, RandomReadsAndLinesMatchTheFile) {
    ScratchFolder folder;
    std::string bytes = PatternBytes(2200000);
    for (std::size_t i = 1000; i < bytes.size(); i += 70001)
        bytes[i] = '\n';
    TFile file(folder.Write("random", bytes));
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i) {
        const std::uint32_t position = random() % 2300000;
        const std::uint32_t count = 1 + random() % 1200000;
        std::string expected = position < bytes.size() ? bytes.substr(position, count) : "";
        expected.resize(count, '\0');
        ASSERT_EQ(ReadAt(file, position, count), expected) << position << " " << count;
    }
    std::uint32_t position = 0;
    int lines = 0;
    std::string text;
    while (position < file.Size()) {
        const std::uint32_t next = file.ReadLine(text, position);
        ASSERT_GT(next, position);
        position = next;
        ++lines;
    }
    const auto lineFeeds = std::count(bytes.begin(), bytes.end(), '\n');
    EXPECT_EQ(lines, lineFeeds + (bytes.back() == '\n' ? 0 : 1));
    EXPECT_EQ(position, file.Size());
}

TEST(TFile, AFileThatShrinksWhileOpenReadsZerosAndNeverLoops) {
    ScratchFolder folder;
    const auto path = folder.Write("shrinking", PatternBytes(3000000));
    TFile file(path);
    std::filesystem::resize_file(path, 100000);
    EXPECT_EQ(ReadAt(file, 2000000, 1000), std::string(1000, '\0'));
    EXPECT_EQ(ReadAt(file, 50000, 10), PatternBytes(100000).substr(50000, 10));
    std::string text;
    std::uint32_t position = 700000;
    for (int guard = 0; position < file.Size() && guard < 100; ++guard)
        position = file.ReadLine(text, position);
    EXPECT_GE(position, file.Size());
    std::filesystem::remove(path);
    EXPECT_EQ(ReadAt(file, 2500000, 8), std::string(8, '\0'));
}

TEST(TFile, FilesThatCannotBeReadAreRefusedAtConstruction) {
    ScratchFolder folder;
    EXPECT_THROW(TFile(folder.Path() / "missing"), IoError);
    EXPECT_THROW(TFile(folder.Path()), IoError);
}

TEST(TFile, ReadersOnSeveralThreadsShareOneInstance) {
    ScratchFolder folder;
    const std::string bytes = PatternBytes(4000000);
    TFile file(folder.Write("shared", bytes));
    auto reader = [&](std::uint32_t start) {
        std::string piece(24576, '\0');
        for (std::uint32_t position = start; position < start + 1500000; position += 24576) {
            file.Read(piece.data(), position, 24576);
            ASSERT_EQ(piece, bytes.substr(position, 24576));
        }
    };
    std::thread first(reader, 0);
    std::thread second(reader, 2000000);
    reader(1000000);
    first.join();
    second.join();
}

} // namespace umbrascope
