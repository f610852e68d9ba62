// Frames drawn in bands on several threads: the same pixels as one band draws, for every
// pattern, thin and wide lines across the bands' borders, and phrases that straddle them.

#include "visual/FrameBands.h"
#include "GuiTestApplication.h"
#include "model/Cp1251.h"
#include "visual/Colors.h"
#include "visual/VideoFunctions.h"

#include <gtest/gtest.h>

namespace umbrascope {

namespace {

struct Case {
    const char* name;
    void (*set)(SessionValuesInForce&);
};

const Case Cases[] = {
    {"flicker", [](SessionValuesInForce& v) { v.VideoType = 0; }},
    {"blank", [](SessionValuesInForce& v) { v.VideoEnabled = false; }},
    {"spiral, hairline centre", [](SessionValuesInForce& v) { v.SpiralWidth = 1; }},
    {"spiral, wide", [](SessionValuesInForce& v) { v.SpiralWidth = 40; }},
    {"spiral, turning back", [](SessionValuesInForce& v) { v.SpiralDirection = 1; }},
    {"stripes across",
     [](SessionValuesInForce& v) {
         v.VideoType = 2;
         v.LinesDirection = 3;
         v.LinesWidth = 7;
     }},
    {"stripes, hairlines down",
     [](SessionValuesInForce& v) {
         v.VideoType = 2;
         v.LinesDirection = 0;
         v.LinesWidth = 1;
     }},
    {"circles, hairlines",
     [](SessionValuesInForce& v) {
         v.VideoType = 3;
         v.CirclesWidth = 1;
     }},
    {"circles, wide",
     [](SessionValuesInForce& v) {
         v.VideoType = 3;
         v.CirclesWidth = 23;
     }},
};

TEST(FrameBandsTest, BandsDrawTheSamePixelsAsOneBandForEveryPattern) {
    EnsureGuiApplication();
    for (const QSize size : {QSize(641, 479), QSize(999, 333)}) {
        for (const Case& test : Cases) {
            SessionValuesInForce values;
            values.VideoType = 1;
            values.OutlineEnabled = true;
            values.Transparency = 30;
            values.TextPosition = 5; // the centre: across the border of two bands
            test.set(values);
            PhraseLayout phrase;
            phrase.PhraseText = Cp1251Literal("Фраза поперёк полос");
            LayOutPhrase(phrase, values, size);
            for (const int count : {2, 3}) {
                FrameBands bands(count);
                for (const std::uint32_t t : {0u, 1234u, 98765u}) {
                    phrase.PhraseStart = t;
                    QImage alone(size, QImage::Format_RGB32), banded(size, QImage::Format_RGB32);
                    alone.fill(Qt::green);
                    banded.fill(Qt::red);
                    ASSERT_TRUE(DrawFrame(alone, values, phrase, t));
                    ASSERT_TRUE(bands.Draw(banded, values, phrase, t));
                    EXPECT_EQ(banded, alone) << test.name << ", " << size.width() << "x"
                                             << size.height() << ", " << count << " bands, t " << t;
                }
            }
        }
    }
}

TEST(FrameBandsTest, AnUnknownPatternLeavesTheFrameAlone) {
    EnsureGuiApplication();
    SessionValuesInForce values;
    values.VideoType = 7;
    QImage frame(64, 48, QImage::Format_RGB32);
    frame.fill(Qt::red);
    FrameBands bands(2);
    EXPECT_FALSE(bands.Draw(frame, values, PhraseLayout{}, 0));
    EXPECT_EQ(frame.pixel(10, 40), qRgb(255, 0, 0));
}

} // namespace

} // namespace umbrascope
