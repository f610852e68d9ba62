// The live mix as the sound card gets it, on the in-memory device: generated tracks at their
// 22050 Hz and sound files at their own rates, converted to the device's rate by the export's
// converter.

#include "Spectrum.h"
#include "audio/device/MemoryAudioBackend.h"
#include "audio/export/SessionExport.h"
#include "audio/sources/Tones.h"
#include "audio/tracks/PlayUtils.h"
#include "files_test_support.h"
#include "model/Cp1251.h"
#include "model/Session.h"
#include "model/SessionState.h"

#include <gtest/gtest.h>

#include <cmath>

namespace umbrascope {

namespace {

using namespace std::chrono_literals;

// The device's callback asks for this many frames at a time.
constexpr std::size_t DeviceFrames = 1024;

// Plays one track at full volume on a device at this rate and returns the first frames of the
// device's mix.
std::vector<float> PlayLive(const std::string& descriptor, int rate, std::size_t frames) {
    MemoryAudioBackend device(rate);
    const ScopedAudioBackend selected(device);
    TrackThreads threads;
    const TrackHandle track = threads.Start(std::make_shared<PublishedState>(), descriptor, 0);
    EXPECT_TRUE(device.Stream(0, 2s));
    std::vector<float> mix;
    while (mix.size() < frames * 2) {
        const auto next = device.Mix(DeviceFrames, 2s);
        mix.insert(mix.end(), next.begin(), next.end());
    }
    mix.resize(frames * 2);
    StopTrackThread(track);
    while (device.Stream(0, 0ms)->ConsumeBuffer(2s)) {
    }
    threads.StopAndJoinAll();
    return mix;
}

class LiveMix : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(LiveMix, AGeneratedToneIsFreeOfImagesAndFollowsItsFormulaFromTheFirstFrame) {
    const int rate = GetParam();
    const char* descriptor = ".&04%260@0@50";
    const auto mix = PlayLive(descriptor, rate, 3 * rate);
    const auto left = [&mix](std::size_t i) { return double(mix[i * 2]); };
    EXPECT_LT(LargestSpurDb(left, rate / 2, 2 * rate), -100);

    // The tone computed directly at the device's rate. The first frames differ only by the
    // ripple of the band limit at the tone's onset, a ramp or a delay would differ by far more;
    // after that, by the rounding of the 16-bit samples.
    const ToneGenerator direct(*ParseToneDescriptor(descriptor), rate);
    std::vector<float> expected(mix.size());
    direct.RenderFloat(0, mix.size() / 2, expected.data());
    constexpr std::size_t Onset = 100;
    const double amplitude = 16383.5;
    for (std::size_t n = 0; n < mix.size() / 2; ++n) {
        const double error = std::abs(mix[n * 2] - expected[n * 2]) * 32768;
        ASSERT_LT(error, n < Onset ? amplitude / 100 : 2.0) << "frame " << n;
    }
}

TEST_P(LiveMix, AWaveFileSoundsAsTheExportConvertsIt) {
    const int rate = GetParam();
    Session session;
    session.SessionLength = 60000;
    const std::string path = Utf8ToCp1251((SoundFixtures() / "music_22k.wav").string()).value();
    session.StartValues.Waves = {path};
    SessionRenderer renderer(session, "", 0, 1500, rate, {24, false});
    std::vector<std::int32_t> exported(renderer.TotalFrames() * 2);
    renderer.Render(exported.data(), renderer.TotalFrames());

    const auto mix = PlayLive(path, rate, exported.size() / 2);
    for (std::size_t i = 0; i < mix.size(); ++i)
        ASSERT_NEAR(mix[i] * 8388608.0, exported[i], 1.0) << "sample " << i;
}

INSTANTIATE_TEST_SUITE_P(DeviceRates, LiveMix, ::testing::Values(44100, 48000));

} // namespace umbrascope
