// The picture of a session frame by frame on the session clock: phrase timing by the frames'
// times, events from the frame at or after their time, and random cells that are the same in
// every export.

#include "visual/SessionPicture.h"
#include "GuiTestApplication.h"
#include "TestFiles.h"
#include "model/Cp1251.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace umbrascope {

namespace {

constexpr QSize Screen(320, 240);

std::uint32_t FrameTime(int n) {
    return static_cast<std::uint32_t>(n * 1000 / 60);
}

std::string PhraseFile(const std::string& name, const std::string& bytes) {
    const auto path = TestFilePath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

Session PhraseSession(const std::string& phraseFile) {
    Session session;
    session.StartValues.PhraseFile = phraseFile;
    session.StartValues.VideoEnabled = false; // black, so any lit pixel is the phrase
    session.StartValues.TextColor = 0xFFFFFF;
    return session;
}

bool AnyLit(const QImage& frame) {
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (frame.pixel(x, y) != qRgb(0, 0, 0))
                return true;
    return false;
}

class SessionPictureTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureGuiApplication(); }
    QImage frame{Screen, QImage::Format_RGB32};
};

TEST_F(SessionPictureTest, PhrasesFollowTheFramesTimes) {
    SessionPicture picture(PhraseSession(PhraseFile("ab.txt", "A\nB\n")), "", 0, Screen);
    std::vector<int> onsets;
    std::string texts;
    for (int n = 0; n <= 130; ++n) {
        ASSERT_TRUE(picture.Draw(FrameTime(n), frame));
        if (picture.CurrentPhrase().PhraseStart == FrameTime(n)) {
            onsets.push_back(n);
            texts += picture.CurrentPhrase().PhraseText;
        }
        // Shown from its first frame up to PhraseDuration (50 ms) later inclusive.
        if (n == 3 || n == 64 || n == 4 || n == 65) {
            EXPECT_EQ(AnyLit(frame), n == 3 || n == 64) << n;
        }
    }
    // The first frame more than PhraseInterval (1000 ms) after the previous phrase began.
    EXPECT_EQ(onsets, (std::vector<int>{0, 61, 122}));
    EXPECT_EQ(texts, "ABA");
}

TEST_F(SessionPictureTest, ASystemFileIsNeverDrawnWhateverLeadsToIt) {
    const auto link = TestFilePath("environment.txt");
    std::filesystem::remove(link);
    std::filesystem::create_symlink("/proc/self/environ", link);
    SessionPicture picture(PhraseSession(link.string()), "", 0, Screen);
    ASSERT_TRUE(picture.Draw(FrameTime(0), frame));
    EXPECT_FALSE(AnyLit(frame));
    ASSERT_EQ(picture.Problems().size(), 1u);
    EXPECT_NE(picture.Problems()[0].Text().find(link.string()), std::string::npos)
        << picture.Problems()[0].Text();
}

TEST_F(SessionPictureTest, EventsTakeEffectFromTheFrameAtOrAfterTheirTime) {
    Session session = PhraseSession(PhraseFile("first.txt", "A\nB\n"));
    session.StartValues.VideoEnabled = true;
    session.StartValues.VideoType = 0;
    session.StartValues.FlickerFreq = 0;
    session.StartValues.FlickerColor = 0x00FF00;
    session.Events = {
        {Cp1251Literal("Текстовые фразы -> Файл"), 1500, PhraseFile("second.txt", "C\n")},
        {Cp1251Literal("Видеосопровождение -> Выключить"), 2000, ""},
        {Cp1251Literal("Текстовые фразы -> Файл"), 2500, TestFilePath("missing.txt").string()},
    };
    SessionPicture picture(std::move(session), "", 0, Screen);
    std::string texts;
    for (int n = 0; n <= 150; ++n) {
        picture.Draw(FrameTime(n), frame);
        if (picture.CurrentPhrase().PhraseStart == FrameTime(n))
            texts += picture.CurrentPhrase().PhraseText;
        if (n == 119 || n == 120) { // 1983 ms, then exactly 2000 ms
            EXPECT_EQ(frame.pixel(0, 0), n == 119 ? qRgb(0, 255, 0) : qRgb(0, 0, 0)) << n;
        }
    }
    // The phrase due at 1016 ms still comes from the first file, the next from the new one.
    EXPECT_EQ(texts, "ABC");
    // A phrase file that cannot be opened takes the phrase away at once.
    EXPECT_TRUE(picture.CurrentPhrase().PhraseText.empty());
}

TEST_F(SessionPictureTest, RandomCellsAreTheSameInEveryExport) {
    Session session = PhraseSession(PhraseFile("cells.txt", "A\n"));
    session.StartValues.TextPosition = 12;
    session.StartValues.PhraseInterval = 100;
    const auto cells = [&] {
        SessionPicture picture(session, "", 0, Screen);
        std::vector<int> walk;
        for (int n = 0; n < 120; ++n) {
            picture.Draw(FrameTime(n), frame);
            if (picture.CurrentPhrase().PhraseStart == FrameTime(n))
                walk.push_back(picture.CurrentPhrase().LastCell);
        }
        return walk;
    };
    const std::vector<int> first = cells();
    SharedRandomCells().Next(); // live play in between draws from the shared generator
    EXPECT_EQ(cells(), first);
    EXPECT_GT(first.size(), 10u);
}

} // namespace

} // namespace umbrascope
