#include "RateConverter.h"

#include "AudioStream.h"

#include <soxr.h>

#include <algorithm>
#include <cstring>

namespace umbrascope {

namespace {

// One sample of linear PCM as a float, 1.0 at full scale.
float SampleAt(const std::uint8_t* at, int bits) {
    switch (bits) {
    case 8:
        return (static_cast<int>(at[0]) - 128) * (1.0f / 128);
    case 16:
        return static_cast<std::int16_t>(at[0] | at[1] << 8) * (1.0f / 32768);
    case 24: {
        const std::uint32_t bits24 =
            std::uint32_t{at[0]} << 8 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 24;
        return static_cast<float>(static_cast<std::int32_t>(bits24) * (1.0 / 2147483648.0));
    }
    default: {
        std::uint32_t bits32 = 0;
        for (int i = 3; i >= 0; --i)
            bits32 = bits32 << 8 | at[i];
        return static_cast<float>(static_cast<std::int32_t>(bits32) * (1.0 / 2147483648.0));
    }
    }
}

} // namespace

void PcmToStereoFloat(const PcmFormat& format, const std::uint8_t* data, std::size_t frames,
                      float* stereo) {
    const auto frameBytes = static_cast<std::size_t>(format.blockAlign);
    const auto sampleBytes = static_cast<std::size_t>(format.bitsPerSample / 8);
    if (format.bitsPerSample == 16 && format.channels == 2) {
        for (std::size_t i = 0; i < frames * 2; ++i)
            stereo[i] =
                static_cast<std::int16_t>(data[i * 2] | data[i * 2 + 1] << 8) * (1.0f / 32768);
        return;
    }
    for (std::size_t i = 0; i < frames; ++i) {
        const std::uint8_t* frame = data + i * frameBytes;
        stereo[i * 2] = SampleAt(frame, format.bitsPerSample);
        stereo[i * 2 + 1] = format.channels == 1
                                ? stereo[i * 2]
                                : SampleAt(frame + sampleBytes, format.bitsPerSample);
    }
}

RateConverter::RateConverter(const PcmFormat& from, int outputRate) : from_(from) {
    if (!IsPlayableFormat(from) || outputRate <= 0)
        return;
    valid_ = true;
    if (from.sampleRate == outputRate)
        return;
    ratio_ = static_cast<double>(outputRate) / from.sampleRate;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_VHQ, 0);
    // One thread: the export already converts its tracks side by side.
    const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
    soxr_error_t error = nullptr;
    resampler_ = soxr_create(from.sampleRate, outputRate, 2, &error, &io, &quality, &runtime);
    valid_ = error == nullptr && resampler_ != nullptr;
}

RateConverter::~RateConverter() {
    if (resampler_)
        soxr_delete(resampler_);
}

void RateConverter::Put(const std::uint8_t* data, std::size_t bytes) {
    if (!valid_ || bytes == 0)
        return;
    // Whole frames only; a frame cut by a buffer end waits for the rest.
    const auto frameBytes = static_cast<std::size_t>(from_.blockAlign);
    const std::uint8_t* whole = data;
    std::size_t wholeBytes = bytes - bytes % frameBytes;
    if (!partial_.empty() || wholeBytes != bytes) {
        partial_.insert(partial_.end(), data, data + bytes);
        whole = partial_.data();
        wholeBytes = partial_.size() - partial_.size() % frameBytes;
    }
    const std::size_t frames = wholeBytes / frameBytes;
    input_.resize(frames * 2);
    PcmToStereoFloat(from_, whole, frames, input_.data());
    if (whole == partial_.data())
        partial_.erase(partial_.begin(),
                       partial_.begin() + static_cast<std::ptrdiff_t>(wholeBytes));
    Convert(input_.data(), frames);
}

void RateConverter::Convert(const float* stereo, std::size_t frames) {
    // Drop what has been taken before the vector grows.
    if (taken_ > 0) {
        ready_.erase(ready_.begin(), ready_.begin() + static_cast<std::ptrdiff_t>(taken_));
        taken_ = 0;
    }
    if (!resampler_) {
        ready_.insert(ready_.end(), stereo, stereo + frames * 2);
        return;
    }
    std::size_t consumed = 0;
    do {
        const std::size_t room = static_cast<std::size_t>((frames - consumed) * ratio_) + 256;
        const std::size_t before = ready_.size();
        ready_.resize(before + room * 2);
        std::size_t used = 0, made = 0;
        soxr_process(resampler_, stereo + consumed * 2, frames - consumed, &used,
                     ready_.data() + before, room, &made);
        ready_.resize(before + made * 2);
        consumed += used;
        if (used == 0 && made == 0)
            break; // the converter takes nothing more; never spin
    } while (consumed < frames);
}

std::size_t RateConverter::Take(float* stereo, std::size_t frames) {
    const std::size_t count = std::min(frames, AvailableFrames());
    std::copy_n(ready_.data() + taken_, count * 2, stereo);
    taken_ += count * 2;
    return count;
}

} // namespace umbrascope
