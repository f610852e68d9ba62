#include "ExportTracks.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace umbrascope {

FileTrack::FileTrack(std::string descriptor, std::uint32_t number,
                     std::unique_ptr<TrackSource> source, std::unique_ptr<RateConverter> converter)
    : ExportTrack(std::move(descriptor), number), source_(std::move(source)),
      converter_(std::move(converter)), format_(source_->Format()),
      buffer_(source_->BufferBytes(), 0) {}

// A source that fails ends its track, as a track thread would end.
bool FileTrack::Gather(std::size_t frames) {
    const bool asBytes = converter_->PassesThrough();
    const auto wanted = frames * static_cast<std::size_t>(format_.blockAlign);
    try {
        while (!failed_ && (asBytes ? pending_.size() - pendingTaken_ < wanted
                                    : converter_->AvailableFrames() < frames)) {
            source_->Fill(buffer_.data());
            source_->AfterSwitch();
            if (!asBytes) {
                converter_->Put(buffer_.data(), buffer_.size());
                continue;
            }
            pending_.erase(pending_.begin(),
                           pending_.begin() + static_cast<std::ptrdiff_t>(pendingTaken_));
            pendingTaken_ = 0;
            pending_.insert(pending_.end(), buffer_.begin(), buffer_.end());
        }
    } catch (...) {
        failed_ = true;
    }
    return !failed_;
}

void FileTrack::Render(std::size_t, std::size_t frames, float* stereo) {
    if (!Gather(frames)) {
        std::fill(stereo, stereo + frames * 2, 0.0f);
    } else if (converter_->PassesThrough()) {
        PcmToStereoFloat(format_, pending_.data() + pendingTaken_, frames, stereo);
        pendingTaken_ += frames * static_cast<std::size_t>(format_.blockAlign);
    } else {
        converter_->Take(stereo, frames);
    }
}

bool FileTrack::CopyExact16(std::size_t frames, std::int16_t* stereo) {
    if (!converter_->PassesThrough() || format_.bitsPerSample != 16 || format_.channels != 2 ||
        std::endian::native != std::endian::little)
        return false;
    if (!Gather(frames)) {
        std::fill(stereo, stereo + frames * 2, std::int16_t{0});
        return true;
    }
    std::memcpy(stereo, pending_.data() + pendingTaken_, frames * 4);
    pendingTaken_ += frames * 4;
    return true;
}

} // namespace umbrascope
