// Sound files in an export hold exactly what the file, or the decoder, gives after the rate
// conversion, from the offset at which the play would start them.

#include "audio/device/RateConverter.h"
#include "audio/export/SessionExport.h"
#include "files_test_support.h"
#include "model/Cp1251.h"
#include "model/EventCatalogue.h"
#include "model/Session.h"
#include "model/SessionState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace umbrascope {

namespace {

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
    ExportMedia() { session.SessionLength = 60000; }

    // Without dither, so that samples can be compared exactly.
    template <typename Sample = std::int16_t>
    std::vector<Sample> Export(std::int32_t from, std::int32_t to, int rate) {
        SessionRenderer renderer(session, "", from, to, rate,
                                 {sizeof(Sample) == 2 ? 16 : 24, false});
        std::vector<Sample> out(renderer.TotalFrames() * 2);
        renderer.Render(out.data(), renderer.TotalFrames());
        return out;
    }

    Session session;
};

} // namespace

TEST_F(ExportMedia, AWaveTrackAtItsOwnRateIsCopiedSampleForSample) {
    session.StartValues.Waves = {TrackPath("s16_stereo.wav")};
    const Bytes file = ReadAll(SoundFixtures() / "s16_stereo.wav");
    EXPECT_EQ(Export(0, 1000, 44100), Samples(file, 44, 44100 * 2));
    // From 1.5 s the play would start 66150 frames into the data.
    EXPECT_EQ(Export(1500, 1800, 44100), Samples(file, 44 + 66150 * 4, 13230 * 2));
}

TEST_F(ExportMedia, AnMp3TrackHoldsWhatTheDecoderGives) {
    session.StartValues.Waves = {TrackPath("cbr128.mp3")};
    const Bytes decoded = ReadAll(SoundFixtures() / "cbr128.mp3.pcm");
    EXPECT_EQ(Export(0, 2000, 44100), Samples(decoded, 0, 88200 * 2));
}

TEST_F(ExportMedia, OtherFormatsAndRatesGoThroughTheConverter) {
    session.StartValues.Waves = {TrackPath("u8_mono.wav")};
    const Bytes file = ReadAll(SoundFixtures() / "u8_mono.wav");
    RateConverter converter({22050, 1, 8, 1}, 48000);
    converter.Put(file.data() + 44, 22050);
    std::vector<float> converted(24000 * 2);
    ASSERT_EQ(converter.Take(converted.data(), 24000), 24000u);
    std::vector<std::int16_t> expected;
    for (const float sample : converted)
        expected.push_back(static_cast<std::int16_t>(std::nearbyint(sample * 32768.0f)));
    // The converter's float arithmetic depends on how the bytes were cut into pieces, so the
    // last bit may differ from a conversion of the whole file at once.
    const auto out = Export(0, 500, 48000);
    ASSERT_EQ(out.size(), expected.size());
    for (std::size_t i = 0; i < out.size(); ++i)
        ASSERT_NEAR(out[i], expected[i], 2) << "sample " << i;
}

// How far a 24-bit export lies from sox's very-high-quality conversion of the same samples, in
// dB of the difference's energy against the reference's: the input, raw 16-bit stereo or a WAV
// file, converted by sox to float at the export's rate.
double DecibelsFromSox(const std::vector<std::int32_t>& exported, const std::string& input,
                       int rate) {
    const auto reference = ScratchFolder() / "reference.f32";
    const std::string command = "sox -q " + input + " -t raw -e floating-point -b 32 '" +
                                reference.string() + "' rate -v " + std::to_string(rate);
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    const Bytes bytes = ReadAll(reference);
    std::vector<float> expected(bytes.size() / 4);
    std::memcpy(expected.data(), bytes.data(), expected.size() * 4);
    EXPECT_GE(expected.size(), exported.size());
    double difference = 0, energy = 0;
    for (std::size_t i = 0; i < std::min(exported.size(), expected.size()); ++i) {
        const double want = expected[i] * 8388608.0;
        difference += (exported[i] - want) * (exported[i] - want);
        energy += want * want;
    }
    return 10 * std::log10(difference / energy);
}

TEST_F(ExportMedia, FilesAtOtherRatesAreConvertedAsSoxConvertsThem) {
    // From the very first frame: the converter's delay is taken out, not played as a ramp.
    session.StartValues.Waves = {TrackPath("music_22k.wav")};
    const std::string wav = "'" + (SoundFixtures() / "music_22k.wav").string() + "'";
    EXPECT_LT(DecibelsFromSox(Export<std::int32_t>(0, 1500, 48000), wav, 48000), -90);
    session.StartValues.Waves = {TrackPath("cbr128.mp3")};
    const std::string decoded = "-t raw -r 44100 -c 2 -e signed -b 16 '" +
                                (SoundFixtures() / "cbr128.mp3.pcm").string() + "'";
    EXPECT_LT(DecibelsFromSox(Export<std::int32_t>(0, 2500, 48000), decoded, 48000), -90);
}

TEST_F(ExportMedia, AnAddedFileTrackStartsAtItsBeginningAndMissingFilesAreLeftOut) {
    InsertEvent(session.Events,
                {EventTypeName(EventKind::AddTrack), 1000, TrackPath("s16_stereo.wav")});
    InsertEvent(session.Events, {EventTypeName(EventKind::AddTrack), 1000, "/no/such/rain.mp3"});
    const Bytes file = ReadAll(SoundFixtures() / "s16_stereo.wav");
    const Session before = session;
    const auto out = Export(0, 1500, 44100);
    EXPECT_EQ(std::vector<std::int16_t>(out.begin(), out.begin() + 88200),
              std::vector<std::int16_t>(88200, 0));
    EXPECT_EQ(std::vector<std::int16_t>(out.begin() + 88200, out.end()),
              Samples(file, 44, 22050 * 2));
    EXPECT_EQ(session, before) << "the export works on a copy of the session";
}

TEST_F(ExportMedia, AFileThatCannotPlayIsToldWithTheOutcomeOnce) {
    // The worker tells it with the outcome instead of waiting for a message box.
    session.StartValues.Waves = {TrackPath("ulaw.wav"), TrackPath("ulaw.wav")};
    SessionRenderer renderer(session, "", 0, 1000, 44100, {16, false});
    ASSERT_EQ(renderer.Problems().size(), 1u);
    EXPECT_TRUE(renderer.Problems()[0].Text().starts_with("Ошибка аудиоустройства"))
        << renderer.Problems()[0].Text();
}

} // namespace umbrascope
