#pragma once

// Converts one track's sound from its own format to float stereo at an output rate, with
// SDL2's audio stream conversion. Part of the stream layer: the only other place that knows
// SDL2 besides AudioStream.
//
// Thread rule: one converter belongs to one thread.

#include "TrackSource.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct _SDL_AudioStream;

class RateConverter {
public:
    RateConverter(const PcmFormat& from, int outputRate);
    ~RateConverter();
    RateConverter(const RateConverter&) = delete;
    RateConverter& operator=(const RateConverter&) = delete;

    // False when SDL2 cannot convert from this format.
    bool Valid() const { return stream_ != nullptr; }

    // Hands on the next bytes of the track (whole frames or not); they are converted a piece of
    // a fixed length at a time, so frames become available in steps.
    void Put(const std::uint8_t* data, std::size_t bytes);

    // Whole stereo frames ready to be taken.
    std::size_t AvailableFrames() const;

    // Takes up to frames stereo frames (left, right interleaved, full scale at 1.0); returns
    // how many it took.
    std::size_t Take(float* stereo, std::size_t frames);

private:
    PcmFormat from_;
    _SDL_AudioStream* stream_ = nullptr;
    std::vector<std::uint8_t> pending_; // bytes not yet handed to SDL2, in whole pieces
};
