#include "Tones.h"

#include "SineKernels.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>

namespace umbrascope {

// How the samples stay exact without one std::sin per sample.
//
// A tone's sample is round(sin(x(n)) * 32767 * level) with x(n) = 2 pi n / (R / f) computed in
// double precision. A fast sine s' that lies within e of std::sin(x(n)) gives a value v' within
// m = 32767 * level * (e + 4u) of the exact value v (u = 2^-53; the two multiplications may
// round differently). If v' lies farther than m from every rounding boundary k + 1/2, v rounds
// to the same integer as v'. Only the samples within m of a boundary are computed again with
// std::sin, a few in ten thousand at the sizes below.
//
// Binaural and sine tones turn a phasor (sin, cos) by the angle of four frames at a time, in
// four lanes anchored at frames n0 .. n0+3 with std::sin and std::cos of x(n0 + lane) at every
// chunk. Bound for a chunk ending at argument X and k turns per lane:
//   - x(n) is three roundings from the real 2 pi n f / R: |x(n) - X(n)| <= 3u X; the anchor and
//     the frame it reaches together 6u X, the rounded turning angle 2u X more;
//   - each turn in floating point moves the phasor by at most 3 sqrt(2) u, and the rounded
//     sin and cos of the turning angle by 2 sqrt(2) u more: 7.1u per turn, 2.9u at the anchor;
//   - the C library's sine of the reference itself: 2u.
// So e <= u (8 X + 7.1 k + 5); the code uses at least twice that: u (32 X + 16 k + 16).
//
// The modulated tone's phase n * fi(n) is not linear in n, so it takes SinReduced for both its
// sines, with the same arguments as the formula. The swing differs from std::sin's by at most
// E = SinReducedError, so fi by at most 2 E d/2 + 2u fi, and x by |x| (2 E (d/2) / fi + 4u);
// twice that again, plus E for the carrier's own sine.

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;
constexpr std::size_t Chunk = 1024; // frames per anchoring of the phasors
constexpr std::size_t Groups = Chunk / 4;

double Argument(double n, double f, int rate) {
    return TwoPi * n / (rate / f);
}

// The formula's sample the slow way: sin of the double-precision argument at full scale times
// the level, to the nearest integer with halves to even. A level above 1 (a descriptor volume
// above 100 %) clips to 16 bits.
std::int16_t ExactSample(std::uint32_t n, double f, double level, int rate) {
    if (f == 0)
        return 0; // sin 0, and no division by zero
    const double value = std::sin(Argument(n, f, rate)) * ToneFullScale * level;
    if (!std::isfinite(value))
        return 0; // a frequency so large that the phase overflows
    // nearbyint rounds halves to even in the default rounding mode, which nothing here changes.
    return static_cast<std::int16_t>(std::clamp(std::nearbyint(value), -32768.0, 32767.0));
}

// The modulated tone's frequency at frame n swings between the carrier and the carrier plus the
// deviation. Its phase is n times this frequency: it is not accumulated from frame to frame.
double ModulatedFrequency(const ToneParams& p, std::uint32_t n, int rate) {
    const double halfDeviation = p.Deviation / 2;
    const double swing = p.Freq1 == 0 ? 0 : std::sin(Argument(n, p.Freq1, rate));
    return p.Carrier + halfDeviation + halfDeviation * swing;
}

// One channel of a chunk: the values sin * 32767 * level, and for each how far the exact value
// may lie from it (in units of the last bit).
struct ChannelValues {
    std::array<Double4, Groups> value;
    std::array<Double4, Groups> margin;
    bool exactOnly = false; // the bound is useless here: every sample the slow way
};

Double4 Lanes(double first) {
    return Double4{first, first + 1, first + 2, first + 3};
}

void PhasorValues(double f, double level, int rate, std::uint32_t n0, std::size_t groups,
                  ChannelValues& out) {
    out.exactOnly = false;
    if (f == 0) {
        out.value.fill(Double4{});
        out.margin.fill(Double4{});
        return;
    }
    const double lastArgument = std::abs(Argument(double(n0) + groups * 4.0, f, rate));
    const double error = Unit * (32 * lastArgument + 16 * double(groups) + 16);
    const double margin = ToneFullScale * std::abs(level) * (error + 4 * Unit);
    out.exactOnly = !std::isfinite(lastArgument) || !(margin < 0.25);
    if (out.exactOnly)
        return;
    Double4 s, c;
    for (int lane = 0; lane < 4; ++lane) {
        const double x = Argument(double(n0) + lane, f, rate);
        s[lane] = std::sin(x);
        c[lane] = std::cos(x);
    }
    const double turn = 4 * Argument(1, f, rate);
    const double turnSin = std::sin(turn), turnCos = std::cos(turn);
    for (std::size_t g = 0; g < groups; ++g) {
        out.value[g] = s * ToneFullScale * level;
        out.margin[g] = Double4{} + margin;
        const Double4 next = s * turnCos + c * turnSin;
        c = c * turnCos - s * turnSin;
        s = next;
    }
}

void ModulatedValues(const ToneParams& p, int rate, std::uint32_t n0, std::size_t groups,
                     ChannelValues& out) {
    const double halfDeviation = p.Deviation / 2;
    const double lowest = std::min(p.Carrier, p.Carrier + p.Deviation);
    out.exactOnly = !(lowest > 0);
    if (out.exactOnly)
        return;
    const double spread = 2 * (2 * SinReducedError * std::abs(halfDeviation) / lowest + 4 * Unit);
    const double scale = ToneFullScale * std::abs(p.Level);
    for (std::size_t g = 0; g < groups; ++g) {
        const Double4 n = Lanes(double(n0) + 4.0 * g);
        const Double4 swing = p.Freq1 == 0 ? Double4{} : SinReduced(TwoPi * n / (rate / p.Freq1));
        const Double4 fi = p.Carrier + halfDeviation + halfDeviation * swing;
        const Double4 x = TwoPi * n / (double(rate) / fi);
        out.value[g] = SinReduced(x) * ToneFullScale * p.Level;
        out.margin[g] = scale * ((x < 0 ? -x : x) * spread + SinReducedError + 6 * Unit);
        // Beyond the reduction's range the margin is set so large that the sample is redone.
        out.margin[g] = (x < 0 ? -x : x) <= SinReducedLimit ? out.margin[g] : Double4{} + 1.0;
    }
}

// One side's noise sample of a frame: the argument pi n r of a draw r = d / 2^63 is 2 pi times
// the fraction (n d mod 2^64) / 2^64 of a turn, whole-number arithmetic, exact however long the
// track has run.
std::uint32_t NoiseTurns(std::uint64_t n, std::uint64_t draw) {
    return static_cast<std::uint32_t>((n * (draw >> 1)) >> 32);
}

std::int16_t NoiseSample(float value) {
    return static_cast<std::int16_t>(std::clamp(std::nearbyint(value), -32768.0f, 32767.0f));
}

// count frames of noise from frame n0 into out, eight frames at a time.
template <typename Out>
void NoiseFrames(const NoiseGenerator& noise, double level, std::uint32_t n0, std::size_t count,
                 Out* out) {
    constexpr bool Rounded = sizeof(Out) == 2;
    const auto scale = static_cast<float>(ToneFullScale * level / (Rounded ? 1 : 32768));
    std::array<std::uint64_t, 2 * Chunk> draws;
    noise.Draws(2 * std::uint64_t{n0}, count * 2, draws.data());
    for (std::size_t g = 0; g * 8 < count; ++g) {
        UInt8 leftTurns{}, rightTurns{};
        const std::size_t lanes = std::min<std::size_t>(8, count - g * 8);
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            const std::size_t i = g * 8 + lane;
            leftTurns[lane] = NoiseTurns(n0 + i, draws[i * 2]);
            rightTurns[lane] = NoiseTurns(n0 + i, draws[i * 2 + 1]);
        }
        const Float8 left = SinOfTurns(leftTurns) * scale;
        const Float8 right = SinOfTurns(rightTurns) * scale;
        for (std::size_t lane = 0; lane < lanes; ++lane) {
            const std::size_t i = g * 8 + lane;
            if constexpr (Rounded) {
                out[i * 2] = NoiseSample(left[lane]);
                out[i * 2 + 1] = NoiseSample(right[lane]);
            } else {
                out[i * 2] = left[lane];
                out[i * 2 + 1] = right[lane];
            }
        }
    }
}

// The unrounded value the formula gives, the slow way.
double ExactValue(std::uint32_t n, double f, double level, int rate) {
    if (f == 0)
        return 0;
    const double value = std::sin(Argument(n, f, rate)) * ToneFullScale * level;
    return std::isfinite(value) ? value : 0;
}

// Stores one channel of a chunk into every second sample of out, redoing the samples whose
// rounding the fast sine cannot vouch for. exact(n, rounded) gives the slow value of frame n.
template <typename Exact>
void Store(const ChannelValues& c, std::uint32_t n0, std::size_t count, Exact exact,
           std::int16_t* out) {
    if (c.exactOnly) {
        for (std::size_t i = 0; i < count; ++i)
            out[i * 2] = static_cast<std::int16_t>(exact(n0 + static_cast<std::uint32_t>(i), true));
        return;
    }
    for (std::size_t g = 0; g * 4 < count; ++g) {
        const Double4 v = c.value[g];
        const Double4 rounded = RoundHalfEven(v);
        const Double4 distance = v > rounded ? v - rounded : rounded - v;
        const auto redo = distance > 0.5 - c.margin[g];
        const Double4 clipped = rounded < -32768.0  ? -32768.0
                                : rounded > 32767.0 ? 32767.0
                                                    : rounded;
        for (std::size_t lane = 0; lane < 4 && g * 4 + lane < count; ++lane) {
            const std::uint32_t n = n0 + static_cast<std::uint32_t>(g * 4 + lane);
            const double sample = redo[lane] ? exact(n, true) : clipped[lane];
            out[(g * 4 + lane) * 2] = static_cast<std::int16_t>(sample);
        }
    }
}

template <typename Exact>
void Store(const ChannelValues& c, std::uint32_t n0, std::size_t count, Exact exact, float* out) {
    constexpr double PerMixUnit = 1.0 / 32768;
    using Float4 = float __attribute__((vector_size(16)));
    for (std::size_t g = 0; g * 4 < count; ++g) {
        const auto slow = c.margin[g] >= 0.5;
        const bool anySlow = c.exactOnly || (slow[0] | slow[1] | slow[2] | slow[3]);
        const Float4 value = __builtin_convertvector(c.value[g] * PerMixUnit, Float4);
        for (std::size_t lane = 0; lane < 4 && g * 4 + lane < count; ++lane) {
            const std::size_t i = g * 4 + lane;
            out[i * 2] = anySlow && (c.exactOnly || slow[lane])
                             ? static_cast<float>(exact(n0 + static_cast<std::uint32_t>(i), false) *
                                                  PerMixUnit)
                             : value[lane];
        }
    }
}

template <typename Out> void Silence(std::size_t count, Out* out) {
    for (std::size_t i = 0; i < count; ++i)
        out[i * 2] = 0;
}

// A slow sample of a tone of fixed frequency, rounded or not.
auto FixedTone(double f, double level, int rate) {
    return [=](std::uint32_t n, bool rounded) -> double {
        return rounded ? ExactSample(n, f, level, rate) : ExactValue(n, f, level, rate);
    };
}

} // namespace

NoiseGenerator::NoiseGenerator(std::uint64_t trackNumber) {
    // Spread the track number over the whole state; the stream (the increment) must be odd.
    const auto mix = [](std::uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    };
    start_ = mix(20250101 + trackNumber * 0x9E3779B97F4A7C15ull);
    increment_ = mix(trackNumber) << 1 | 1;
}

void NoiseGenerator::Draws(std::uint64_t first, std::size_t count, std::uint64_t* out) const {
    constexpr std::uint64_t Multiplier = 6364136223846793005ull;
    // Jump ahead: the state after `first` steps of state * Multiplier + increment.
    std::uint64_t state = start_;
    std::uint64_t factor = Multiplier, shift = increment_;
    std::uint64_t totalFactor = 1, totalShift = 0;
    for (std::uint64_t steps = first; steps > 0; steps >>= 1) {
        if (steps & 1) {
            totalFactor *= factor;
            totalShift = totalShift * factor + shift;
        }
        shift = (factor + 1) * shift;
        factor *= factor;
    }
    state = totalFactor * state + totalShift;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t word =
            ((state >> ((state >> 59) + 5)) ^ state) * 12605985483714917081ull;
        out[i] = (word >> 43) ^ word;
        state = state * Multiplier + increment_;
    }
}

ToneGenerator::ToneGenerator(const ToneParams& params, int rate, NoiseGenerator noise)
    : params_(params), rate_(rate), noise_(noise) {}

template <typename Out>
WIDE_VECTORS void ToneGenerator::Render(std::uint32_t first, std::size_t frames,
                                        Out* stereo) const {
    const ToneParams& p = params_;
    ChannelValues left, right;
    for (std::size_t done = 0; done < frames;) {
        const std::uint32_t n0 = first + static_cast<std::uint32_t>(done);
        // A chunk never runs past the frame counter's wrap (after 54 hours at 22050 Hz).
        const std::size_t count = static_cast<std::size_t>(
            std::min<std::uint64_t>({Chunk, frames - done, (std::uint64_t{1} << 32) - n0}));
        const std::size_t groups = (count + 3) / 4;
        Out* out = stereo + done * 2;
        switch (p.Kind) {
        case TrackKind::Binaural: {
            const double rightFrequency = p.Carrier + p.Freq1;
            PhasorValues(p.Carrier, p.Level, rate_, n0, groups, left);
            PhasorValues(rightFrequency, p.Level, rate_, n0, groups, right);
            Store(left, n0, count, FixedTone(p.Carrier, p.Level, rate_), out);
            Store(right, n0, count, FixedTone(rightFrequency, p.Level, rate_), out + 1);
            break;
        }
        case TrackKind::Sine: {
            // A side the tone does not play on stays silent.
            const bool onLeft = p.Channel == 0 || p.Channel == 1;
            const bool onRight = p.Channel == 0 || p.Channel == 2;
            if (onLeft || onRight)
                PhasorValues(p.Freq1, p.Level, rate_, n0, groups, left);
            const auto exact = FixedTone(p.Freq1, p.Level, rate_);
            onLeft ? Store(left, n0, count, exact, out) : Silence(count, out);
            onRight ? Store(left, n0, count, exact, out + 1) : Silence(count, out + 1);
            break;
        }
        case TrackKind::FrequencyModulation: {
            ModulatedValues(p, rate_, n0, groups, left);
            const auto exact = [&](std::uint32_t n, bool rounded) -> double {
                const double f = ModulatedFrequency(p, n, rate_);
                return rounded ? ExactSample(n, f, p.Level, rate_)
                               : ExactValue(n, f, p.Level, rate_);
            };
            Store(left, n0, count, exact, out);
            Store(left, n0, count, exact, out + 1);
            break;
        }
        case TrackKind::Noise:
            NoiseFrames(noise_, p.Level, n0, count, out);
            break;
        default:
            Silence(count, out);
            Silence(count, out + 1);
            break;
        }
        done += count;
    }
}

void ToneGenerator::Render16(std::uint32_t first, std::size_t frames, std::int16_t* stereo) const {
    Render(first, frames, stereo);
}

void ToneGenerator::RenderFloat(std::uint32_t first, std::size_t frames, float* stereo) const {
    Render(first, frames, stereo);
}

namespace {

void FillBuffer(ToneParams& p, const NoiseGenerator& noise, std::uint8_t* buffer) {
    std::array<std::int16_t, ToneFramesPerBuffer * 2> samples;
    ToneGenerator(p, ToneSampleRate, noise)
        .Render16(p.SampleIndex, ToneFramesPerBuffer, samples.data());
    p.SampleIndex += ToneFramesPerBuffer;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(buffer, samples.data(), ToneBufferBytes);
    } else {
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const auto bits = static_cast<std::uint16_t>(samples[i]);
            buffer[i * 2] = static_cast<std::uint8_t>(bits & 0xFF);
            buffer[i * 2 + 1] = static_cast<std::uint8_t>(bits >> 8);
        }
    }
}

} // namespace

void FillToneBuffer(ToneParams& p, std::uint8_t* buffer) {
    FillBuffer(p, NoiseGenerator{}, buffer);
}

void FillNoiseBuffer(ToneParams& p, const NoiseGenerator& random, std::uint8_t* buffer) {
    FillBuffer(p, random, buffer);
}

} // namespace umbrascope
