#pragma once

// Converts one track's sound from its own format to float stereo at an output rate (full scale
// at 1.0), with libsoxr at very high quality: images of the input's spectrum stay below about
// -170 dB and the converter's delay is taken out, so a track's first output frame is its first
// sample. A track already at the output rate is only widened to float. The export converts its
// file tracks with it, and live play every stream, to the device's rate.
//
// Thread rule: one converter belongs to one thread.

#include "audio/sources/TrackSource.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct soxr;

namespace umbrascope {

class RateConverter {
public:
    RateConverter(const PcmFormat& from, int outputRate);
    ~RateConverter();
    RateConverter(const RateConverter&) = delete;
    RateConverter& operator=(const RateConverter&) = delete;

    // False when the format is not linear PCM the program plays, or the converter refuses it.
    bool Valid() const { return valid_; }

    // True when the track is already at the output rate: its samples pass unchanged.
    bool PassesThrough() const { return resampler_ == nullptr; }

    // Hands on the next bytes of the track (whole frames or not).
    void Put(const std::uint8_t* data, std::size_t bytes);

    // Whole stereo frames ready to be taken.
    std::size_t AvailableFrames() const { return (ready_.size() - taken_) / 2; }

    // Takes up to frames stereo frames (left, right interleaved); returns how many it took.
    std::size_t Take(float* stereo, std::size_t frames);

private:
    void Convert(const float* stereo, std::size_t frames);

    PcmFormat from_;
    bool valid_ = false;
    soxr* resampler_ = nullptr;
    double ratio_ = 1;
    std::vector<std::uint8_t> partial_; // bytes of a frame cut by a buffer end
    std::vector<float> input_;          // the frames of one Put as float stereo
    std::vector<float> ready_;          // converted frames not yet taken, from taken_ on
    std::size_t taken_ = 0;
};

// Stereo float frames (1.0 = full scale) from whole frames of linear PCM: mono plays on both
// sides, a file of more channels gives its first two (front left and right).
void PcmToStereoFloat(const PcmFormat& format, const std::uint8_t* data, std::size_t frames,
                      float* stereo);

} // namespace umbrascope
