#include "RateConverter.h"

#include "AudioStream.h"
#include "SampleFormat.h"

#include <SDL.h>

namespace {

constexpr std::size_t FrameBytes = 2 * sizeof(float);

// SDL2's converter rounds the length of what it makes of each piece it is given, so between
// rates that are no whole multiple of each other the sound drifts by a little at every piece,
// the more the smaller the pieces. Pieces of a fixed length keep that small, and make the
// result the same however the track's buffers cut the sound.
constexpr std::size_t PieceFrames = 65536;

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
    if (!stream_)
        return;
    pending_.insert(pending_.end(), data, data + bytes);
    const std::size_t pieceBytes = PieceFrames * static_cast<std::size_t>(from_.BlockAlign);
    std::size_t done = 0;
    for (; pending_.size() - done >= pieceBytes; done += pieceBytes) {
        const std::uint8_t* piece = pending_.data() + done;
        if (from_.BitsPerSample == 24) {
            const std::vector<std::uint8_t> wide = Widen24(piece, pieceBytes);
            SDL_AudioStreamPut(stream_, wide.data(), static_cast<int>(wide.size()));
        } else {
            SDL_AudioStreamPut(stream_, piece, static_cast<int>(pieceBytes));
        }
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(done));
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
