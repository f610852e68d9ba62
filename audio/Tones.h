#pragma once

// The generators of generated tracks: binaural beats, frequency modulation and sine tones
// (FillToneBuffer) and white noise (FillNoiseBuffer), as 16-bit stereo PCM at 22050 Hz.
//
// Thread rule: a generator's state belongs to its own track thread; nothing here is shared.

#include "TrackDescriptor.h"
#include "TrackSource.h"

#include <cstddef>
#include <cstdint>
#include <random>

inline constexpr int ToneSampleRate = 22050;
inline constexpr std::size_t ToneFramesPerBuffer = 4096;
inline constexpr std::size_t ToneBufferBytes = ToneFramesPerBuffer * 4;
inline constexpr double ToneFullScale = 32767;

// Uniform numbers in [0, 1) from a fixed seed, never from the clock, so an export sounds the
// same every time. Each track of a play has its own seed (its number among the tracks
// started), so two noise tracks at once are two different noises.
class NoiseGenerator {
public:
    explicit NoiseGenerator(std::uint64_t trackNumber = 0)
        : engine_(20250101 + trackNumber * 0x9E3779B97F4A7C15ull) {}
    double Next() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 engine_;
};

// Writes ToneFramesPerBuffer frames of the tone into buffer (ToneBufferBytes bytes) and
// advances params.SampleIndex by as many frames. Serves binaural, modulation and sine tones.
void FillToneBuffer(ToneParams& params, std::uint8_t* buffer);

// The same for white noise.
void FillNoiseBuffer(ToneParams& params, NoiseGenerator& random, std::uint8_t* buffer);

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
