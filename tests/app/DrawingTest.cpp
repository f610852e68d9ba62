// The pictures of the main window: the timeline strip, the time label and the screen preview.

#include "QtTestSupport.h"
#include "model/Session.h"
#include "visual/Preview.h"
#include "visual/Timeline.h"

#include <gtest/gtest.h>

#include <QColor>

namespace umbrascope {

namespace {

constexpr QRgb Yellow = 0xFFFFFF00;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Black = 0xFF000000;

QImage Strip(int width, const std::vector<TSessionEvent>& events, std::int32_t position,
             std::int32_t length) {
    QImage image(width, 35, QImage::Format_RGB32);
    DrawTimeline(image, events, position, length);
    return image;
}

TEST(Timeline, MapsTimesOntoTheBarBetweenItsInsets) {
    EXPECT_EQ(TimelineX(0, 700, 1800000), 5);
    EXPECT_EQ(TimelineX(1800000, 700, 1800000), 695);
    EXPECT_EQ(TimelineX(900000, 700, 1800000), 350);
    // (690 * 1 / 4) = 172.5 rounds to the even 172.
    EXPECT_EQ(TimelineX(1, 700, 4), 177);
}

TEST(Timeline, ALengthOfZeroOrLessPutsEverythingAtTheStart) {
    EXPECT_EQ(TimelineX(1000, 700, 0), 5);
    EXPECT_EQ(TimelineX(1000, 700, -5), 5);
    EXPECT_EQ(TimelinePositionAt(300, 700, 0), 0);
    EXPECT_EQ(TimelinePositionAt(699, 700, -1), 0);
    const QImage image = Strip(700, {{"x", 10, ""}}, 0, 0);
    EXPECT_EQ(image.pixel(5, 17), Yellow);
}

TEST(Timeline, MousePositionsClampAtBothEnds) {
    const int w = 700;
    EXPECT_EQ(TimelinePositionAt(2, w, 1800000), 0);
    EXPECT_EQ(TimelinePositionAt(4, w, 1800000), 0);
    EXPECT_EQ(TimelinePositionAt(5, w, 1800000), 0);
    EXPECT_EQ(TimelinePositionAt(w - 9, w, 1800000), 1799999);
    EXPECT_EQ(TimelinePositionAt(w + 50, w, 1800000), 1799999);
    // x = w - 10 still maps proportionally: (w - 15) / (w - 10) of the length.
    EXPECT_EQ(TimelinePositionAt(w - 10, w, 690), 685);
    EXPECT_EQ(TimelinePositionAt(350, w, 1800000), 900000);
}

TEST(Timeline, DrawsBarMarksAndCursorInThatOrder) {
    const std::vector<TSessionEvent> events = {{"a", 900000, ""}, {"b", 900000, ""}};
    const QImage image = Strip(700, events, 0, 1800000);
    // Cursor at position 0 covers x = 0..9 over the whole height, framed in black.
    EXPECT_EQ(image.pixel(0, 0), Black);
    EXPECT_EQ(image.pixel(9, 34), Black);
    EXPECT_EQ(image.pixel(5, 17), Yellow);
    EXPECT_EQ(image.pixel(10, 0), FormColor);
    // The bar: black frame from (5, 10) to (694, 24), cream inside.
    EXPECT_EQ(image.pixel(694, 10), Black);
    EXPECT_EQ(image.pixel(694, 24), Black);
    EXPECT_EQ(image.pixel(695, 17), FormColor);
    EXPECT_EQ(image.pixel(600, 17), FormColor);
    EXPECT_EQ(image.pixel(600, 25), FormColor);
    // One mark for both events at 350: frame 348..351, red 349..350.
    EXPECT_EQ(image.pixel(348, 17), Black);
    EXPECT_EQ(image.pixel(349, 17), Red);
    EXPECT_EQ(image.pixel(350, 17), Red);
    EXPECT_EQ(image.pixel(351, 17), Black);
    EXPECT_EQ(image.pixel(352, 17), FormColor);
}

TEST(Timeline, CursorCoversMarksAndSitsAtTheEnd) {
    const QImage image = Strip(700, {{"a", 1799999, ""}}, 1799999, 1800000);
    EXPECT_EQ(image.pixel(695, 17), Yellow);
    EXPECT_EQ(image.pixel(690, 17), Black);
    EXPECT_EQ(image.pixel(699, 17), Black);
}

TEST(Timeline, ManyEventsOnOnePixelAreDrawnOnceAndStillShow) {
    std::vector<TSessionEvent> events;
    for (int i = 0; i < 1000; ++i)
        events.push_back({"a", 600000 + i, ""});
    events.push_back({"b", 1200000, ""});
    const QImage image = Strip(700, events, 0, 1800000);
    EXPECT_EQ(image.pixel(TimelineX(600000, 700, 1800000), 17), Red);
    EXPECT_EQ(image.pixel(TimelineX(1200000, 700, 1800000), 17), Red);
}

TEST(TimeLabel, ShowsMinutesSecondsAndTheRoundedLength) {
    EXPECT_EQ(TimeLabelText(0, 1800000), "0:00 / 30:00");
    EXPECT_EQ(TimeLabelText(65000, 1800000), "1:05 / 30:00");
    EXPECT_EQ(TimeLabelText(299999, 300000), "4:59 / 5:00");
    EXPECT_EQ(TimeLabelText(3599999, 3600000), "59:59 / 60:00");
    // 2.5 minutes round to the even 2.
    EXPECT_EQ(TimeLabelText(0, 150000), "0:00 / 2:00");
    EXPECT_EQ(TimeLabelText(0, 0), "0:00 / 0:00");
}

SessionValuesInForce Values() {
    SessionValuesInForce values;
    static_cast<SessionSettings&>(values) = SessionSettings{};
    return values;
}

TEST(Preview, FlickerScreenIsItsColorInABlackFrame) {
    SessionValuesInForce v = Values();
    v.VideoType = 0;
    v.FlickerColor = 0x000080; // dark red, 0x00BBGGRR
    const QImage image = DrawScreenPreview(v, {400, 300}, 1920);
    EXPECT_EQ(image.pixel(0, 0), Black);
    EXPECT_EQ(image.pixel(399, 299), Black);
    EXPECT_EQ(image.pixel(200, 150), qRgb(0x80, 0, 0));
}

TEST(Preview, PatternOffIsBlack) {
    SessionValuesInForce v = Values();
    v.VideoEnabled = false;
    const QImage image = DrawScreenPreview(v, {400, 300}, 1920);
    for (const QPoint p : {QPoint(0, 0), QPoint(200, 150), QPoint(399, 299)})
        EXPECT_EQ(image.pixel(p), Black);
}

TEST(Preview, EachPatternDrawsItsGroundAndLines) {
    SessionValuesInForce v = Values();
    v.VideoType = 2;
    v.LinesDirection = 0; // vertical
    v.LinesColor = 0x0000FF;
    v.LinesBackColor = 0x00FF00;
    QImage image = DrawScreenPreview(v, {400, 300}, 400);
    // Period Round(15 * 2.6666) = 40 on a screen as wide as the box: a line at x = 40.
    EXPECT_EQ(image.pixel(40, 150), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(20, 150), qRgb(0, 255, 0));

    v.VideoType = 3;
    v.CirclesColor = 0xFF0000;
    v.CirclesBackColor = 0x00FFFF;
    image = DrawScreenPreview(v, {400, 300}, 400);
    // Spacing 53 + 20 = 73: the first circle has radius Round(36.5) = 36.
    EXPECT_EQ(image.pixel(200 + 36, 150), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(200, 150), qRgb(255, 255, 0));

    v.VideoType = 1;
    image = DrawScreenPreview(v, {400, 300}, 1920);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0)); // frame in the spiral colour
}

// Pixels that differ between two pictures, within rows [top, bottom).
int Differences(const QImage& a, const QImage& b, int top, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

TEST(Preview, APhraseLabelStandsInItsCellOnlyWhenThereIsAPhraseFile) {
    TestApplication();
    SessionValuesInForce v = Values();
    v.VideoType = 0;
    v.PhraseFile.clear();
    const QImage bare = DrawScreenPreview(v, {400, 300}, 1920);
    v.PhraseFile = "phrases.txt";
    const QImage centred = DrawScreenPreview(v, {400, 300}, 1920);
    EXPECT_GT(Differences(bare, centred, 100, 200), 500);
    EXPECT_EQ(Differences(bare, centred, 0, 100) + Differences(bare, centred, 200, 300), 0);

    v.TextPosition = 1; // top left
    v.TextWidth = 40;
    const QImage corner = DrawScreenPreview(v, {400, 300}, 1920);
    EXPECT_GT(Differences(bare, corner, 0, 100), 100);
    EXPECT_EQ(Differences(bare, corner, 100, 300), 0);
    EXPECT_EQ(corner.pixel(0, 0), bare.pixel(0, 0)); // one pixel in from the frame

    v.TextEnabled = false;
    EXPECT_EQ(DrawScreenPreview(v, {400, 300}, 1920), bare);
}

TEST(Preview, WithThePatternOffTheLabelStandsOnBlack) {
    TestApplication();
    SessionValuesInForce v = Values();
    v.VideoEnabled = false;
    v.PhraseFile = "phrases.txt";
    v.TextPosition = 12;    // "Текстовая фраза. случ." in the centre
    v.TextColor = 0x00FFFF; // yellow, 0x00BBGGRR
    v.OutlineEnabled = false;
    const QImage image = DrawScreenPreview(v, {400, 300}, 1920);
    EXPECT_EQ(image.pixel(0, 0), Black);
    int yellow = 0;
    for (int y = 100; y < 200; ++y)
        for (int x = 0; x < 400; ++x)
            yellow += image.pixel(x, y) == qRgb(255, 255, 0);
    EXPECT_GT(yellow, 200);
}

TEST(Preview, PatternsOfWidthZeroFinish) {
    SessionValuesInForce v = Values();
    v.LinesWidth = 0;
    v.CirclesWidth = 0;
    v.SpiralWidth = 0;
    for (int type : {1, 2, 3, 7}) {
        v.VideoType = static_cast<std::uint8_t>(type);
        const QImage image = DrawScreenPreview(v, {400, 300}, 1920);
        EXPECT_EQ(image.size(), QSize(400, 300));
    }
}

} // namespace

} // namespace umbrascope
