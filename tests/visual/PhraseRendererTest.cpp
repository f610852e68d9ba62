// The phrase renderer: fitting to the width share, the cells and their walks, the keyed blend,
// the display time, and phrases or settings that must neither hang nor crash the layout.

#include "visual/PhraseRenderer.h"
#include "GuiTestApplication.h"
#include "model/Cp1251.h"
#include "tests/common/SanitizerBuild.h"
#include "visual/Colors.h"
#include "visual/PhraseFont.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include <chrono>
#include <set>
#include <vector>

namespace umbrascope {

namespace {

class PhraseRendererTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureGuiApplication(); }

    static SessionValuesInForce Values() {
        SessionValuesInForce values;
        values.TextColor = StoredRgb(0, 0, 0);
        values.OutlineEnabled = false;
        return values;
    }

    static PhraseLayout LaidOut(const std::string& text, const SessionValuesInForce& values,
                                QSize screen = {1024, 768}) {
        PhraseLayout layout;
        layout.PhraseText = text;
        LayOutPhrase(layout, values, screen);
        return layout;
    }

    static QImage Ground(QSize size, QRgb color) {
        QImage frame(size, QImage::Format_RGB32);
        frame.fill(color);
        return frame;
    }

    static int CountDifferent(const QImage& frame, QRgb ground) {
        int count = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                count += frame.pixel(x, y) != ground;
        return count;
    }
};

std::vector<int> Walk(std::uint8_t position, int from, int steps) {
    std::vector<int> cells;
    for (int i = 0; i < steps; ++i) {
        from = NextPhraseCell(position, from).value();
        cells.push_back(from);
    }
    return cells;
}

TEST(PhraseCellTest, WalksRoundTheBorder) {
    EXPECT_EQ(Walk(10, 1, 9), (std::vector<int>{2, 3, 6, 9, 8, 7, 4, 1, 2}));
    EXPECT_EQ(Walk(11, 5, 9), (std::vector<int>{3, 2, 1, 4, 7, 8, 9, 6, 3}));
    EXPECT_EQ(Walk(11, 1, 1), (std::vector<int>{4}));
    EXPECT_EQ(Walk(10, 5, 1), (std::vector<int>{1}));
    EXPECT_EQ(Walk(10, 0, 1), (std::vector<int>{2})); // an unknown cell walks on as cell 1
    EXPECT_EQ(Walk(11, 42, 1), (std::vector<int>{4}));
    for (std::uint8_t cell = 1; cell <= 9; ++cell)
        EXPECT_EQ(NextPhraseCell(cell, 7), cell);
    for (const std::uint8_t position : {0, 13, 255})
        EXPECT_FALSE(NextPhraseCell(position, 3).has_value());
}

TEST(PhraseCellTest, RandomCellsCoverTheGrid) {
    std::set<int> seen;
    for (int i = 0; i < 500; ++i) {
        const int cell = NextPhraseCell(12, 1).value();
        ASSERT_GE(cell, 1);
        ASSERT_LE(cell, 9);
        seen.insert(cell);
    }
    EXPECT_EQ(seen.size(), 9u);
}

TEST(PhraseCellTest, BoxOriginsTruncateTowardsZero) {
    const QSize screen(1024, 768), box(101, 51);
    EXPECT_EQ(PhraseBoxOrigin(1, screen, box), QPoint(0, 0));
    EXPECT_EQ(PhraseBoxOrigin(5, screen, box), QPoint(461, 358));
    EXPECT_EQ(PhraseBoxOrigin(6, screen, box), QPoint(923, 358));
    EXPECT_EQ(PhraseBoxOrigin(9, screen, box), QPoint(923, 717));
    EXPECT_EQ(PhraseBoxOrigin(8, screen, QSize(2001, 51)), QPoint(-488, 717));
}

TEST_F(PhraseRendererTest, AUtf8PhraseShowsItsLettersAndLeavesOutWhatNoFontHas) {
    // U+10FFFD is a private character no font here draws; it would show as a box.
    const PhraseLayout layout = LaidOut("\xEF\xBB\xBFМир \xF4\x8F\xBF\xBD!", Values());
    EXPECT_EQ(layout.displayText, QStringLiteral("Мир !"));
}

TEST_F(PhraseRendererTest, FontHeightsAreCellHeights) {
    for (const int height : {1, 7, 20, 57, 300}) {
        const QFont font = PhraseFont("Arial", 0, height);
        if (height > 1) {
            EXPECT_LE(QFontMetrics(font).height(), height);
            QFont larger = font;
            larger.setPixelSize(font.pixelSize() + 1);
            EXPECT_GT(QFontMetrics(larger).height(), height) << height;
        } else {
            EXPECT_EQ(font.pixelSize(), 1);
        }
    }
    EXPECT_TRUE(PhraseFont("Arial", 3, 40).bold());
    EXPECT_TRUE(PhraseFont("Arial", 3, 40).italic());
    EXPECT_FALSE(PhraseFont("Arial", 9, 40).bold());
}

TEST_F(PhraseRendererTest, PhraseFillsItsShareOfTheWidthAtMost) {
    SessionValuesInForce values = Values();
    values.TextWidth = 33; // 337.92 pixels of 1024
    const PhraseLayout layout = LaidOut(Cp1251Literal("Текстовая фраза"), values);
    EXPECT_LE(layout.PhraseBoxWidth, 337);
    EXPECT_GT(layout.PhraseBoxWidth, 250);
    EXPECT_EQ(layout.PhraseBoxHeight,
              QFontMetrics(PhraseFont("Arial", 0, layout.PhraseFontHeight)).height());
    EXPECT_LE(layout.PhraseBoxHeight, layout.PhraseFontHeight);
    EXPECT_EQ(layout.LastCell, 5);
    EXPECT_EQ(layout.PhraseX, (1024 - layout.PhraseBoxWidth) / 2);
    EXPECT_EQ(layout.PhraseY, (768 - layout.PhraseBoxHeight) / 2);
    EXPECT_EQ(layout.displayText, QString::fromUtf8("Текстовая фраза"));
}

TEST_F(PhraseRendererTest, WidthShareZeroOrDoubleAndOddTextEndWithinBounds) {
    SessionValuesInForce values = Values();
    values.TextWidth = 0;
    EXPECT_EQ(LaidOut("Hello", values).PhraseFontHeight, PhraseHeightFloor);
    values.TextWidth = 200;
    const PhraseLayout wide = LaidOut("Hello", values);
    EXPECT_LE(wide.PhraseBoxWidth, 2048);
    EXPECT_GT(wide.PhraseBoxWidth, 1024);
    EXPECT_LT(wide.PhraseX, 0);
    values.TextWidth = 100;
    values.FontName = "No Such Font Anywhere";
    const PhraseLayout substitute = LaidOut("Hello", values);
    EXPECT_GT(substitute.PhraseFontHeight, 20);
    EXPECT_LE(substitute.PhraseBoxWidth, 1024);
    // A phrase that measures nothing gets the bounded height instead of an endless estimate.
    EXPECT_EQ(FitFontHeight(QString(QChar(0x200B)), "Arial", 0, 20, 1024, 4096), 4096);
    EXPECT_EQ(FitFontHeight(QString(), "Arial", 0, 20, 1024, 4096), 4096);
}

TEST_F(PhraseRendererTest, HugePhraseIsLaidOutAndDrawnPromptly) {
    SessionValuesInForce values = Values();
    values.OutlineEnabled = true;
    const std::string huge(1 << 20, 'W');
    const auto started = std::chrono::steady_clock::now();
    PhraseLayout layout = LaidOut(huge, values, {320, 240});
    EXPECT_EQ(layout.displayText.size(), PhraseCharacterLimit);
    EXPECT_EQ(layout.PhraseFontHeight, PhraseHeightFloor); // too wide even at the floor
    EXPECT_GT(layout.PhraseBoxWidth, 320);
    layout.PhraseStart = 0;
    QImage frame = Ground({320, 240}, 0xFF336699);
    DrawPhraseOverlay(frame, layout, values, 10);
    EXPECT_LT(std::chrono::steady_clock::now() - started,
              std::chrono::seconds(10) * SanitizerSlowdown);
}

TEST_F(PhraseRendererTest, RotatingPhrasesWalkTheCellsFromTheStart) {
    SessionValuesInForce values = Values();
    values.TextPosition = 10;
    PhraseLayout layout; // a new presentation starts at cell 1
    std::vector<int> cells;
    std::vector<QPoint> places;
    for (int i = 0; i < 9; ++i) {
        layout.PhraseText = "Hello";
        LayOutPhrase(layout, values, {1024, 768});
        cells.push_back(layout.LastCell);
        places.emplace_back(layout.PhraseX, layout.PhraseY);
    }
    EXPECT_EQ(cells, (std::vector<int>{2, 3, 6, 9, 8, 7, 4, 1, 2}));
    const int w = layout.PhraseBoxWidth, h = layout.PhraseBoxHeight;
    EXPECT_EQ(places[0], QPoint((1024 - w) / 2, 0));
    EXPECT_EQ(places[2], QPoint(1024 - w, (768 - h) / 2));
    EXPECT_EQ(places[3], QPoint(1024 - w, 768 - h));
    EXPECT_EQ(places[7], QPoint(0, 0));
    values.TextPosition = 12;
    for (int i = 0; i < 20; ++i) {
        LayOutPhrase(layout, values, {1024, 768});
        EXPECT_EQ(QPoint(layout.PhraseX, layout.PhraseY),
                  PhraseBoxOrigin(layout.LastCell, {1024, 768}, {w, h}));
    }
}

TEST_F(PhraseRendererTest, OutOfRangePositionKeepsThePreviousPlace) {
    SessionValuesInForce values = Values();
    values.TextPosition = 9;
    PhraseLayout layout = LaidOut("Hello", values);
    const QPoint previous(layout.PhraseX, layout.PhraseY);
    values.TextPosition = 13;
    layout.PhraseText = "Hello, world";
    LayOutPhrase(layout, values, {1024, 768});
    EXPECT_EQ(QPoint(layout.PhraseX, layout.PhraseY), previous);
    EXPECT_EQ(layout.LastCell, 9);
    values.TextPosition = 10; // the walk continues from the fixed cell
    LayOutPhrase(layout, values, {1024, 768});
    EXPECT_EQ(layout.LastCell, 8);
}

TEST(BlendTest, TruncatesAndSkipsKeyPixels) {
    QImage text(4, 1, QImage::Format_RGB32);
    text.setPixel(0, 0, qRgb(255, 255, 255));
    text.setPixel(1, 0, qRgb(120, 0, 0)); // one channel at 120 is enough
    text.setPixel(2, 0, qRgb(0, 200, 120));
    text.setPixel(3, 0, qRgb(121, 119, 10));
    QImage frame(6, 2, QImage::Format_RGB32);
    frame.fill(qRgb(0, 0, 0));
    BlendKeyed(frame, text, QPoint(1, 1), 50);
    EXPECT_EQ(frame.pixel(1, 1), qRgb(127, 127, 127)); // 127.5 cut, not rounded
    EXPECT_EQ(frame.pixel(2, 1), qRgb(0, 0, 0));
    EXPECT_EQ(frame.pixel(3, 1), qRgb(0, 0, 0));
    EXPECT_EQ(frame.pixel(4, 1), qRgb(60, 59, 5));
    EXPECT_EQ(frame.pixel(0, 1), qRgb(0, 0, 0));
    EXPECT_EQ(frame.pixel(1, 0), qRgb(0, 0, 0));

    frame.fill(qRgb(100, 100, 100));
    BlendKeyed(frame, text, QPoint(0, 0), 0);
    EXPECT_EQ(frame.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(frame.pixel(3, 0), qRgb(121, 119, 10));
    for (const int transparency : {100, 101, 255}) {
        frame.fill(qRgb(100, 100, 100));
        BlendKeyed(frame, text, QPoint(0, 0), transparency);
        EXPECT_EQ(frame.pixel(0, 0), qRgb(100, 100, 100));
    }
    frame.fill(qRgb(100, 100, 100));
    BlendKeyed(frame, text, QPoint(0, 0), 30); // 255 * 0.7 + 100 * 0.3 = 208.5
    EXPECT_EQ(frame.pixel(0, 0), qRgb(208, 208, 208));
}

TEST_F(PhraseRendererTest, ShownUpToAndIncludingItsDuration) {
    SessionValuesInForce values = Values();
    values.PhraseDuration = 50;
    PhraseLayout layout = LaidOut("Hello", values, {200, 100});
    layout.PhraseStart = 1000;
    for (const std::uint32_t t : {1000u, 1050u, 1051u, 999u}) {
        QImage frame = Ground({200, 100}, qRgb(255, 255, 255));
        DrawPhraseOverlay(frame, layout, values, t);
        EXPECT_EQ(CountDifferent(frame, qRgb(255, 255, 255)) > 0, t <= 1050 && t >= 1000) << t;
    }
    QImage frame = Ground({200, 100}, qRgb(255, 255, 255));
    values.TextEnabled = false;
    DrawPhraseOverlay(frame, layout, values, 1000);
    EXPECT_EQ(CountDifferent(frame, qRgb(255, 255, 255)), 0);
}

TEST_F(PhraseRendererTest, TextPixelsAreCopiedOrMixedAndTheGroundStays) {
    SessionValuesInForce values = Values();
    values.TextColor = StoredRgb(200, 0, 0);
    values.TextPosition = 1;
    PhraseLayout layout = LaidOut("IIII", values, {200, 100});
    layout.PhraseStart = 0;
    QImage frame = Ground({200, 100}, qRgb(0, 0, 200));
    DrawPhraseOverlay(frame, layout, values, 0);
    // Every changed pixel lies in the box; the stems are the text colour itself.
    int full = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const QRgb pixel = frame.pixel(x, y);
            if (pixel == qRgb(0, 0, 200))
                continue;
            // Smoothed edges carry some of the key grey and are blended like the rest.
            EXPECT_LT(x, layout.PhraseBoxWidth);
            EXPECT_LT(y, layout.PhraseBoxHeight);
            full += pixel == qRgb(200, 0, 0);
        }
    EXPECT_GT(full, 50); // the stems of the letters, copied exactly at transparency 0

    values.Transparency = 50;
    frame = Ground({200, 100}, qRgb(0, 0, 200));
    DrawPhraseOverlay(frame, layout, values, 0);
    int mixed = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            mixed += frame.pixel(x, y) == qRgb(100, 0, 100);
    EXPECT_GT(mixed, 50);
}

TEST_F(PhraseRendererTest, KeyColoredTextShowsOnlyItsOutline) {
    SessionValuesInForce values = Values();
    values.TextColor = StoredRgb(120, 0, 0);
    values.OutlineColor = StoredRgb(0, 255, 0);
    PhraseLayout layout = LaidOut("HELLO", values, {300, 200});
    QImage frame = Ground({300, 200}, qRgb(0, 0, 0));
    DrawPhraseOverlay(frame, layout, values, 0);
    EXPECT_EQ(CountDifferent(frame, qRgb(0, 0, 0)), 0);

    values.OutlineEnabled = true;
    DrawPhraseOverlay(frame, layout, values, 0);
    int outline = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) {
            const QRgb pixel = frame.pixel(x, y);
            EXPECT_EQ(qRed(pixel), 0);
            outline += pixel == qRgb(0, 255, 0);
        }
    EXPECT_GT(outline, 100);
}

TEST_F(PhraseRendererTest, BoxesOffOrLargerThanTheFrameBlendOnlyTheOverlap) {
    SessionValuesInForce values = Values();
    values.TextColor = StoredRgb(255, 255, 255);
    PhraseLayout layout = LaidOut("Hello", values, {400, 300});
    layout.PhraseX = -layout.PhraseBoxWidth / 2;
    layout.PhraseY = 300 - layout.PhraseBoxHeight / 2;
    QImage frame = Ground({400, 300}, qRgb(0, 0, 0));
    DrawPhraseOverlay(frame, layout, values, 0);
    EXPECT_GT(CountDifferent(frame, qRgb(0, 0, 0)), 0);
    for (const QPoint p : {QPoint(layout.PhraseBoxWidth / 2 + 2, 299), QPoint(0, 0)})
        EXPECT_EQ(frame.pixel(p), qRgb(0, 0, 0));

    layout = LaidOut("I", values,
                     {400, 300}); // a single letter at full width: far taller than the frame
    EXPECT_GT(layout.PhraseBoxHeight, 300);
    frame = Ground({400, 300}, qRgb(0, 0, 0));
    DrawPhraseOverlay(frame, layout, values, 0);
    EXPECT_GT(CountDifferent(frame, qRgb(0, 0, 0)), 1000);

    layout.PhraseX = 5000;
    frame = Ground({400, 300}, qRgb(0, 0, 0));
    DrawPhraseOverlay(frame, layout, values, 0);
    EXPECT_EQ(CountDifferent(frame, qRgb(0, 0, 0)), 0);
}

TEST_F(PhraseRendererTest, ATracedPhraseIsReusedOnlyForTheSameTextFontAndPlace) {
    SessionValuesInForce values = Values();
    values.OutlineEnabled = true;
    values.TextColor = StoredRgb(255, 0, 0);
    PhraseLayout layout = LaidOut("Hello", values, {300, 200});
    const auto draw = [&](const PhraseLayout& phrase, const SessionValuesInForce& look) {
        QImage frame = Ground({300, 200}, qRgb(0, 0, 0));
        DrawPhraseOverlay(frame, phrase, look, 0);
        return frame;
    };
    const QImage hello = draw(layout, values);
    PhraseLayout other = layout;
    other.displayText = QStringLiteral("Hallo");
    EXPECT_NE(draw(other, values), hello);
    EXPECT_EQ(draw(layout, values), hello);
    SessionValuesInForce green = values;
    green.TextColor = StoredRgb(0, 255, 0);
    const QImage greenHello = draw(layout, green);
    EXPECT_NE(greenHello, hello);
    EXPECT_EQ(CountDifferent(greenHello, qRgb(0, 0, 0)), CountDifferent(hello, qRgb(0, 0, 0)));
    SessionValuesInForce thin = values;
    thin.TextWidth = 50; // one-pixel outline
    EXPECT_NE(draw(layout, thin), hello);
    other = layout;
    other.PhraseX += 3;
    const QImage moved = draw(other, values);
    EXPECT_EQ(moved.pixel(layout.PhraseX + 3 + 10, layout.PhraseY + 10),
              hello.pixel(layout.PhraseX + 10, layout.PhraseY + 10));
    EXPECT_NE(moved, hello);
}

TEST_F(PhraseRendererTest, OtherFrameFormatsAreDrawnToo) {
    SessionValuesInForce values = Values();
    values.TextColor = StoredRgb(255, 255, 255);
    const PhraseLayout layout = LaidOut("Hello", values, {200, 100});
    QImage frame(200, 100, QImage::Format_RGB888);
    frame.fill(Qt::black);
    DrawPhraseOverlay(frame, layout, values, 0);
    EXPECT_GT(CountDifferent(frame, qRgb(0, 0, 0)), 100);
    QImage text(10, 10, QImage::Format_RGB32);
    text.fill(Qt::white);
    frame = Ground({200, 100}, qRgb(0, 0, 0));
    BlendKeyed(frame, text, QPoint(195, 95), 0); // would reach outside: left alone
    EXPECT_EQ(CountDifferent(frame, qRgb(0, 0, 0)), 0);
}

TEST_F(PhraseRendererTest, EmptyOrZeroWidthPhrasesDrawNothing) {
    const SessionValuesInForce values = Values();
    const QRgb ground = qRgb(1, 2, 3);
    // No phrase yet, a soft hyphen alone, and a character the font has no glyph for (left out
    // rather than shown as the missing-glyph box).
    for (const PhraseLayout& layout :
         {PhraseLayout{}, LaidOut(Cp1251Literal("\u00AD"), values, {100, 100}),
          LaidOut("\x98", values, {100, 100})}) {
        QImage frame = Ground({100, 100}, ground);
        DrawPhraseOverlay(frame, layout, values, 0);
        EXPECT_EQ(CountDifferent(frame, ground), 0) << layout.PhraseText;
    }
}

} // namespace

} // namespace umbrascope
