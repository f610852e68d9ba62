// The phrase appearance dialog: its sample blends the phrase exactly as the presentation does,
// and its slider and spin field move together.

#include "DialogTestSupport.h"
#include "dialogs/FontSettingsForm.h"
#include "ui/SpinField.h"
#include "visual/Colors.h"
#include "visual/PhraseSample.h"

#include <gtest/gtest.h>

#include <QSlider>
#include <QTest>
#include <QTimer>

namespace umbrascope {

namespace {

using FontSettings = DialogTest;

const QSize SampleSize(500, 110);

// The hatched ground alone: a text in key grey draws nothing.
QImage Ground() {
    PhraseSampleLook none;
    none.TextColor = StoredRgb(120, 120, 120);
    none.OutlineEnabled = false;
    return DrawPhraseSample(SampleSize, none);
}

// The pixels where image differs from the ground.
std::vector<QPoint> Inked(const QImage& image) {
    const QImage ground = Ground();
    std::vector<QPoint> inked;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != ground.pixel(x, y))
                inked.emplace_back(x, y);
    return inked;
}

TEST_F(FontSettings, SampleBlendsTheTextIntoTheHatchedGround) {
    const QImage ground = Ground();
    EXPECT_EQ(ground.pixel(0, 0), qRgb(0, 0, 0)) << "frame";
    int silver = 0, black = 0;
    for (int x = 1; x < 499; ++x) {
        silver += ground.pixel(x, 55) == qRgb(192, 192, 192);
        black += ground.pixel(x, 55) == qRgb(0, 0, 0);
    }
    EXPECT_EQ(silver + black, 498);
    EXPECT_GT(black, 50) << "the cross-hatch";

    PhraseSampleLook look;
    look.FontName = "DejaVu Sans";
    look.TextColor = StoredRgb(0, 0, 255);
    look.OutlineEnabled = false;
    look.Transparency = 40;
    const QImage sample = DrawPhraseSample(SampleSize, look);
    const auto inked = Inked(sample);
    ASSERT_GT(inked.size(), 1000u);
    for (const QPoint& at : inked) {
        const QRgb under = ground.pixel(at);
        ASSERT_EQ(sample.pixel(at),
                  qRgb(static_cast<int>(qRed(under) * 0.4), static_cast<int>(qGreen(under) * 0.4),
                       static_cast<int>(0.6 * 255 + qBlue(under) * 0.4)))
            << at.x() << "," << at.y();
    }
}

TEST_F(FontSettings, ATextColorWithAChannelAt120VanishesLeavingTheOutline) {
    PhraseSampleLook look;
    look.TextColor = StoredRgb(0, 120, 255);
    look.OutlineEnabled = false;
    EXPECT_TRUE(Inked(DrawPhraseSample(SampleSize, look)).empty());

    look.OutlineEnabled = true;
    look.OutlineColor = StoredRgb(255, 255, 0);
    const QImage outlined = DrawPhraseSample(SampleSize, look);
    const auto inked = Inked(outlined);
    ASSERT_FALSE(inked.empty());
    for (const QPoint& at : inked)
        ASSERT_EQ(outlined.pixel(at), qRgb(255, 255, 0));
}

TEST_F(FontSettings, SliderAndSpinFieldMoveTogether) {
    TFontSettingsForm form;
    form.BlendTrack->setValue(40);
    EXPECT_EQ(form.BlendEdit->value(), 40);
    form.BlendEdit->stepBy(1);
    EXPECT_EQ(form.BlendTrack->value(), 41);
    EXPECT_EQ(form.Look().Transparency, 41);
}

TEST_F(FontSettings, TransparencyIsTypedAndEnterOpensNoPicker) {
    TFontSettingsForm form;
    form.show();
    // A picker Enter opened would wait here; this closes it and says so.
    bool picked = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &form) {
            picked = true;
            modal->close();
        }
    });
    closer.start(10);
    form.BlendEdit->setFocus();
    QTest::keyClick(form.BlendEdit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(form.BlendEdit, "45");
    QTest::keyClick(form.BlendEdit, Qt::Key_Backspace);
    EXPECT_EQ(form.BlendTrack->value(), 4);
    QTest::keyClick(form.BlendEdit, Qt::Key_Return);
    EXPECT_FALSE(picked);
    form.close();
}

} // namespace

} // namespace umbrascope
