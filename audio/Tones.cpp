#include "Tones.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

// The sample of a channel of frequency f at frame n: sin(2 pi n / (R / f)) at full scale times
// the level, to the nearest integer with halves to even. A level above 1 (a descriptor volume
// above 100 %) clips to 16 bits.
std::int16_t SineSample(std::uint32_t n, double f, double level) {
    if (f == 0)
        return 0; // sin 0, and no division by zero
    const double value = std::sin(TwoPi * n / (ToneSampleRate / f)) * ToneFullScale * level;
    if (!std::isfinite(value))
        return 0; // a frequency so large that the phase overflows
    // nearbyint rounds halves to even in the default rounding mode, which nothing here changes.
    const double rounded = std::nearbyint(value);
    return static_cast<std::int16_t>(std::clamp(rounded, -32768.0, 32767.0));
}

void Store(std::uint8_t* buffer, std::size_t frame, int channel, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    std::uint8_t* at = buffer + (frame * 2 + channel) * 2;
    at[0] = static_cast<std::uint8_t>(bits & 0xFF);
    at[1] = static_cast<std::uint8_t>(bits >> 8);
}

void StoreFrame(std::uint8_t* buffer, std::size_t frame, std::int16_t left, std::int16_t right) {
    Store(buffer, frame, 0, left);
    Store(buffer, frame, 1, right);
}

// The modulated tone's frequency at frame n swings between the carrier and the carrier plus the
// deviation. Its phase is n times this frequency: it is not accumulated from frame to frame.
double ModulatedFrequency(const ToneParams& p, std::uint32_t n) {
    const double halfDeviation = p.Deviation / 2;
    const double swing = p.Freq1 == 0 ? 0 : std::sin(TwoPi * n / (ToneSampleRate / p.Freq1));
    return p.Carrier + halfDeviation + halfDeviation * swing;
}

} // namespace

void FillToneBuffer(ToneParams& p, std::uint8_t* buffer) {
    const bool left = p.Channel == 0 || p.Channel == 1;
    const bool right = p.Channel == 0 || p.Channel == 2;
    for (std::size_t i = 0; i < ToneFramesPerBuffer; ++i, ++p.SampleIndex) {
        const std::uint32_t n = p.SampleIndex;
        switch (p.Kind) {
        case TrackKind::Binaural:
            StoreFrame(buffer, i, SineSample(n, p.Carrier, p.Level),
                       SineSample(n, p.Carrier + p.Freq1, p.Level));
            break;
        case TrackKind::FrequencyModulation: {
            const std::int16_t value = SineSample(n, ModulatedFrequency(p, n), p.Level);
            StoreFrame(buffer, i, value, value);
            break;
        }
        case TrackKind::Sine: {
            // A side the tone does not play on stays silent.
            const std::int16_t value = left || right ? SineSample(n, p.Freq1, p.Level) : 0;
            StoreFrame(buffer, i, left ? value : 0, right ? value : 0);
            break;
        }
        default:
            StoreFrame(buffer, i, 0, 0);
            break;
        }
    }
}

void FillNoiseBuffer(ToneParams& p, NoiseGenerator& random, std::uint8_t* buffer) {
    for (std::size_t i = 0; i < ToneFramesPerBuffer; ++i, ++p.SampleIndex) {
        // Left is drawn before right.
        const double fLeft = random.Next() * ToneSampleRate / 2;
        const double fRight = random.Next() * ToneSampleRate / 2;
        StoreFrame(buffer, i, SineSample(p.SampleIndex, fLeft, p.Level),
                   SineSample(p.SampleIndex, fRight, p.Level));
    }
}
