// The phrase file: lines in order with wrap-around, blank lines, carriage returns, and the
// hand-over of the reader between the controller and the presentation thread.

#include "visual/PhraseSource.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace umbrascope {

namespace {

class PhraseFileTest : public ::testing::Test {
protected:
    std::filesystem::path Write(const std::string& bytes, const std::string& name = "phrases.txt") {
        const auto path = TestFilePath(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // The phrases the presentation thread would take, passing over the calls that give none
    // while the rest of a long line is skipped.
    std::vector<std::string> Phrases(const std::string& bytes, int count,
                                     int* emptyCalls = nullptr) {
        PhraseSource source;
        source.Replace(std::make_unique<TFile>(Write(bytes)));
        std::vector<std::string> phrases;
        while (phrases.size() < static_cast<std::size_t>(count)) {
            if (auto phrase = source.ReadNextPhrase())
                phrases.push_back(std::move(*phrase));
            else if (emptyCalls)
                ++*emptyCalls;
        }
        return phrases;
    }
};

using Lines = std::vector<std::string>;

TEST_F(PhraseFileTest, LinesComeInOrderAndWrap) {
    EXPECT_EQ(Phrases("A\r\nB\r\n", 5), (Lines{"A", "B", "A", "B", "A"}));
    EXPECT_EQ(Phrases("A\r\nB", 5), (Lines{"A", "B", "A", "B", "A"}));
    EXPECT_EQ(Phrases("A\nB\n", 3), (Lines{"A", "B", "A"}));
}

TEST_F(PhraseFileTest, BlankLinesShowAsHashesAndBlanksAroundTextStay) {
    EXPECT_EQ(Phrases("A\n\nB\n", 4), (Lines{"A", "#####", "B", "A"}));
    EXPECT_EQ(Phrases("   \n  A  \n\t\x01\n", 3), (Lines{"#####", "  A  ", "#####"}));
    EXPECT_EQ(Phrases("", 2), (Lines{"#####", "#####"}));
}

TEST(ShownPhraseTest, BlankLinesBecomeHashes) {
    EXPECT_EQ(ShownPhrase(""), "#####");
    EXPECT_EQ(ShownPhrase(" \t\x7f"), " \t\x7f"); // DEL is no control character here
    EXPECT_EQ(ShownPhrase(" \t\x1f"), "#####");
    EXPECT_EQ(ShownPhrase("\xA0"), "\xA0"); // a no-break space is text
}

TEST_F(PhraseFileTest, CarriageReturnsAloneDoNotEndLines) {
    EXPECT_EQ(Phrases("A\rB\rC\r", 2), (Lines{"ABC", "ABC"}));
}

TEST_F(PhraseFileTest, OverLongLinesAreCutAndTheirRestSkippedInSlices) {
    // 3.5 MB without a line feed: the phrase keeps what the drawing uses, and the rest is
    // passed over a slice per call, so no call holds the reader for long.
    const std::string longLine(3500000, 'x');
    int emptyCalls = 0;
    EXPECT_EQ(Phrases(longLine + "\nB\n", 3, &emptyCalls),
              (Lines{std::string(1000, 'x'), "B", std::string(1000, 'x')}));
    EXPECT_EQ(emptyCalls, 2); // the call that passes the line feed reads B
    // A file of zeros is one line too; zeros stand for line breaks, so it shows as blank.
    EXPECT_EQ(Phrases(std::string(1500000, '\0'), 2), (Lines{"#####", "#####"}));
}

TEST_F(PhraseFileTest, MissingFileOpensNoReader) {
    EXPECT_EQ(OpenPhraseFile(TestFilePath("no-such-file.txt").string()), nullptr);
    EXPECT_NE(OpenPhraseFile(Write("A\n").string()), nullptr);
}

TEST_F(PhraseFileTest, SourceHandsOverReadersAndAsksToDropThePhraseWhenTheFileGoes) {
    PhraseSource source;
    EXPECT_FALSE(source.ReadNextPhrase().has_value());
    EXPECT_FALSE(source.TakeDropRequest());
    source.Replace(std::make_unique<TFile>(Write("A\nB\n")));
    EXPECT_EQ(source.ReadNextPhrase(), "A");
    EXPECT_EQ(source.ReadPosition(), 2u);
    source.Replace(std::make_unique<TFile>(Write("C\nD\n", "other.txt")));
    EXPECT_FALSE(source.TakeDropRequest());
    EXPECT_EQ(source.ReadNextPhrase(), "C"); // a new file starts at its first line
    source.Replace(nullptr);
    EXPECT_FALSE(source.HasReader());
    EXPECT_TRUE(source.TakeDropRequest());
    EXPECT_FALSE(source.TakeDropRequest());
    source.Replace(std::make_unique<TFile>(Write("E\n")));
    source.Close();
    EXPECT_FALSE(source.HasReader());
    EXPECT_FALSE(source.TakeDropRequest()); // stopping keeps the phrase
    EXPECT_FALSE(source.ReadNextPhrase().has_value());
}

TEST_F(PhraseFileTest, ReplacingWhileAnotherThreadReadsIsSafe) {
    const auto first = Write(std::string(4000, 'x') + "\nshort\n", "first.txt");
    const auto second = Write("one\ntwo\nthree\n", "second.txt");
    PhraseSource source;
    source.Replace(std::make_unique<TFile>(first));
    std::atomic<bool> done{false};
    std::atomic<int> reads{0};
    std::thread reader([&] {
        while (!done) {
            if (const auto phrase = source.ReadNextPhrase()) {
                EXPECT_FALSE(phrase->empty());
            }
            source.TakeDropRequest();
            ++reads;
        }
    });
    // On a busy machine the reader may not have started before the replacing is over.
    while (reads.load() == 0)
        std::this_thread::yield();
    for (int i = 0; i < 200; ++i) {
        if (i % 3 == 2)
            source.Replace(nullptr);
        else
            source.Replace(std::make_unique<TFile>(i % 2 ? first : second));
    }
    source.Close();
    done = true;
    reader.join();
    EXPECT_GT(reads.load(), 0);
}

} // namespace

} // namespace umbrascope
