#pragma once

// The generators of generated tracks: binaural beats, frequency modulation, sine tones and
// white noise. Their formulas are functions of the frame number and the rate, so one generator
// serves live play (16-bit samples at 22050 Hz, the device format) and the export (unrounded
// samples at the export's own rate, rounded once after the mix).
//
// Thread rule: a generator is immutable after construction; its Render calls may run on any
// threads at once, for instance on two halves of one block.

#include "TrackSource.h"
#include "model/TrackDescriptor.h"

#include <cstddef>
#include <cstdint>

namespace umbrascope {

inline constexpr int ToneSampleRate = 22050;
inline constexpr std::size_t ToneFramesPerBuffer = 4096;
inline constexpr std::size_t ToneBufferBytes = ToneFramesPerBuffer * 4;
inline constexpr double ToneFullScale = 32767;

// Uniform numbers from a fixed seed, never from the clock, so an export sounds the same every
// time. Each track of a play has its own seed and its own stream (from its number among the
// tracks started), so two noise tracks at once are two different noises. A PCG generator
// (64-bit state, RXS M XS output): any draw can be reached in a few dozen steps, which lets a
// block of noise be split between threads.
class NoiseGenerator {
public:
    explicit NoiseGenerator(std::uint64_t trackNumber = 0);

    // Draws first, first + 1, ... (count of them). Frame n of a track takes draws 2n (left)
    // and 2n + 1 (right).
    void Draws(std::uint64_t first, std::size_t count, std::uint64_t* out) const;

private:
    std::uint64_t start_;
    std::uint64_t increment_;
};

class ToneGenerator {
public:
    // noise is used by the white-noise kind only.
    ToneGenerator(const ToneParams& params, int rate, NoiseGenerator noise = NoiseGenerator{});

    // Frames first, first + 1, ... as 16-bit stereo: every tone sample is exactly the formula's
    // value rounded (halves to even) and clipped to 16 bits.
    void Render16(std::uint32_t first, std::size_t frames, std::int16_t* stereo) const;

    // The same frames unrounded, on the mix's scale (1.0 = 32768).
    void RenderFloat(std::uint32_t first, std::size_t frames, float* stereo) const;

private:
    template <typename Out> void Render(std::uint32_t first, std::size_t frames, Out* stereo) const;

    ToneParams params_;
    int rate_;
    NoiseGenerator noise_;
};

// Writes ToneFramesPerBuffer frames of the tone at 22050 Hz into buffer (ToneBufferBytes bytes)
// and advances params.SampleIndex by as many frames. Serves binaural, modulation and sine tones.
void FillToneBuffer(ToneParams& params, std::uint8_t* buffer);

// The same for white noise.
void FillNoiseBuffer(ToneParams& params, const NoiseGenerator& random, std::uint8_t* buffer);

class ToneSource final : public TrackSource {
public:
    explicit ToneSource(const ToneParams& params) : params_(params) {}
    PcmFormat Format() const override { return {}; }
    std::size_t BufferBytes() const override { return ToneBufferBytes; }
    void Fill(std::uint8_t* buffer) override { FillToneBuffer(params_, buffer); }

private:
    ToneParams params_;
};

class NoiseSource final : public TrackSource {
public:
    explicit NoiseSource(const ToneParams& params, std::uint64_t trackNumber = 0)
        : params_(params), random_(trackNumber) {}
    PcmFormat Format() const override { return {}; }
    std::size_t BufferBytes() const override { return ToneBufferBytes; }
    void Fill(std::uint8_t* buffer) override { FillNoiseBuffer(params_, random_, buffer); }

private:
    ToneParams params_;
    NoiseGenerator random_;
};

} // namespace umbrascope
