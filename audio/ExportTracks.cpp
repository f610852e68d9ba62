#include "ExportTracks.h"

#include <algorithm>

FileTrack::FileTrack(std::string descriptor, std::uint32_t number,
                     std::unique_ptr<TrackSource> source, std::unique_ptr<RateConverter> converter)
    : ExportTrack(std::move(descriptor), number), source_(std::move(source)),
      converter_(std::move(converter)), buffer_(source_->BufferBytes(), 0) {}

// A source that fails ends its track, as a track thread would end.
void FileTrack::Render(std::size_t, std::size_t frames, float* stereo) {
    try {
        while (!failed_ && converter_->AvailableFrames() < frames) {
            source_->Fill(buffer_.data());
            source_->AfterSwitch();
            converter_->Put(buffer_.data(), buffer_.size());
        }
    } catch (...) {
        failed_ = true;
    }
    std::fill(stereo, stereo + frames * 2, 0.0f);
    if (!failed_)
        converter_->Take(stereo, frames);
}
