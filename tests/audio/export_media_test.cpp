// Sound files in an export hold exactly what the file, or the decoder, gives after the rate
// conversion, from the offset at which the play would start them.

#include "audio/RateConverter.h"
#include "audio/SessionExport.h"
#include "files_test_support.h"
#include "model/Common.h"
#include "model/Cp1251.h"
#include "model/EventCatalogue.h"
#include "model/SessionState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

std::vector<std::int16_t> Export(std::int32_t from, std::int32_t to, int rate) {
    SessionRenderer renderer(OpenSession(), OpenProjectFolder(), from, to, rate);
    std::vector<std::int16_t> out(renderer.TotalFrames() * 2);
    renderer.Render(out.data(), renderer.TotalFrames());
    return out;
}

std::vector<std::int16_t> Samples(const Bytes& bytes, std::size_t firstByte, std::size_t count) {
    std::vector<std::int16_t> samples(count);
    std::memcpy(samples.data(), bytes.data() + firstByte, count * 2);
    return samples;
}

std::string TrackPath(const char* name) {
    return Utf8ToCp1251((SoundFixtures() / name).string()).value();
}

class ExportMedia : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProject();
        SessionLength = 60000;
    }
};

} // namespace

TEST_F(ExportMedia, AWaveTrackAtItsOwnRateIsCopiedSampleForSample) {
    StartValues.Waves = {TrackPath("s16_stereo.wav")};
    const Bytes file = ReadAll(SoundFixtures() / "s16_stereo.wav");
    EXPECT_EQ(Export(0, 1000, 44100), Samples(file, 44, 44100 * 2));
    // From 1.5 s the play would start 66150 frames into the data.
    EXPECT_EQ(Export(1500, 1800, 44100), Samples(file, 44 + 66150 * 4, 13230 * 2));
}

TEST_F(ExportMedia, AnMp3TrackHoldsWhatTheDecoderGives) {
    StartValues.Waves = {TrackPath("cbr128.mp3")};
    const Bytes decoded = ReadAll(SoundFixtures() / "cbr128.mp3.pcm");
    EXPECT_EQ(Export(0, 2000, 44100), Samples(decoded, 0, 88200 * 2));
}

TEST_F(ExportMedia, OtherFormatsAndRatesGoThroughTheConverter) {
    StartValues.Waves = {TrackPath("u8_mono.wav")};
    const Bytes file = ReadAll(SoundFixtures() / "u8_mono.wav");
    RateConverter converter({22050, 1, 8, 1}, 48000);
    // The file loops; the converter works on pieces of about three loops.
    for (int loop = 0; loop < 3; ++loop)
        converter.Put(file.data() + 44, 22050);
    std::vector<float> converted(24000 * 2);
    ASSERT_EQ(converter.Take(converted.data(), 24000), 24000u);
    std::vector<std::int16_t> expected;
    for (const float sample : converted)
        expected.push_back(static_cast<std::int16_t>(std::nearbyint(sample * 32768.0f)));
    // However the track's buffers cut the sound, the converter gets the same pieces.
    EXPECT_EQ(Export(0, 500, 48000), expected);
}

TEST_F(ExportMedia, AnAddedFileTrackStartsAtItsBeginningAndMissingFilesAreLeftOut) {
    InsertEvent({EventTypeName(EventKind::AddTrack), 1000, TrackPath("s16_stereo.wav")});
    InsertEvent({EventTypeName(EventKind::AddTrack), 1000, "/no/such/rain.mp3"});
    const Bytes file = ReadAll(SoundFixtures() / "s16_stereo.wav");
    const Session before = OpenSession();
    const auto published = CurrentValuesView();
    const auto out = Export(0, 1500, 44100);
    EXPECT_EQ(std::vector<std::int16_t>(out.begin(), out.begin() + 88200),
              std::vector<std::int16_t>(88200, 0));
    EXPECT_EQ(std::vector<std::int16_t>(out.begin() + 88200, out.end()),
              Samples(file, 44, 22050 * 2));
    EXPECT_EQ(OpenSession(), before) << "the export works on a copy of the session";
    EXPECT_EQ(CurrentValuesView(), published) << "and publishes no state of its own";
}
