#include "RateConverter.h"

#include "AudioStream.h"
#include "SampleFormat.h"

#include <SDL.h>

namespace {

constexpr std::size_t FrameBytes = 2 * sizeof(float);

SDL_AudioFormat SdlFormatOf(const PcmFormat& format) {
    switch (format.BitsPerSample) {
    case 8:
        return AUDIO_U8;
    case 16:
        return AUDIO_S16LSB;
    case 32:
        return AUDIO_S32LSB;
    default:
        return 0;
    }
}

} // namespace

RateConverter::RateConverter(const PcmFormat& from, int outputRate) : from_(from) {
    const PcmFormat widened = WidenedFormat(from);
    const SDL_AudioFormat format = SdlFormatOf(widened);
    if (!IsPlayableFormat(from) || format == 0 || outputRate <= 0)
        return;
    stream_ = SDL_NewAudioStream(format, static_cast<Uint8>(widened.Channels), widened.SampleRate,
                                 AUDIO_F32SYS, 2, outputRate);
}

RateConverter::~RateConverter() {
    if (stream_)
        SDL_FreeAudioStream(stream_);
}

void RateConverter::Put(const std::uint8_t* data, std::size_t bytes) {
    if (!stream_ || bytes == 0)
        return;
    // The converter takes whole frames only; a frame cut by a buffer end waits for the rest.
    const auto frameBytes = static_cast<std::size_t>(from_.BlockAlign);
    const std::uint8_t* whole = data;
    std::size_t wholeBytes = 0;
    if (partial_.empty() && bytes % frameBytes == 0) {
        wholeBytes = bytes;
    } else {
        partial_.insert(partial_.end(), data, data + bytes);
        whole = partial_.data();
        wholeBytes = partial_.size() - partial_.size() % frameBytes;
    }
    if (from_.BitsPerSample == 24) {
        const std::vector<std::uint8_t> wide = Widen24(whole, wholeBytes);
        SDL_AudioStreamPut(stream_, wide.data(), static_cast<int>(wide.size()));
    } else {
        SDL_AudioStreamPut(stream_, whole, static_cast<int>(wholeBytes));
    }
    if (whole == partial_.data())
        partial_.erase(partial_.begin(),
                       partial_.begin() + static_cast<std::ptrdiff_t>(wholeBytes));
}

std::size_t RateConverter::AvailableFrames() const {
    return stream_ ? static_cast<std::size_t>(SDL_AudioStreamAvailable(stream_)) / FrameBytes : 0;
}

std::size_t RateConverter::Take(float* stereo, std::size_t frames) {
    if (!stream_)
        return 0;
    const int got = SDL_AudioStreamGet(stream_, stereo, static_cast<int>(frames * FrameBytes));
    return got > 0 ? static_cast<std::size_t>(got) / FrameBytes : 0;
}
