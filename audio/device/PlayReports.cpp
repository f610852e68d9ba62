#include "PlayReports.h"

#include <utility>

namespace umbrascope {

PlayReports::PlayReports(std::shared_ptr<UserMessages> messages)
    : messages_(messages ? std::move(messages) : StandardErrorMessages()) {}

void PlayReports::Post(const UserText& text) {
    messages_->PostMessage(text);
}

void PlayReports::MarkClipped() {
    clipped_.store(true, std::memory_order_relaxed);
}

bool PlayReports::TakeClipped() {
    return clipped_.exchange(false, std::memory_order_relaxed);
}

void PlayReports::CountStream(bool opened) {
    ++(opened ? opened_ : refused_);
}

TrackStreamCounts PlayReports::Streams() const {
    return {opened_.load(), refused_.load()};
}

} // namespace umbrascope
