#pragma once

// Keeps the messages a player's tracks post, for tests to look at, instead of showing them.

#include "audio/sources/TrackSource.h"

#include <mutex>
#include <string>
#include <vector>

namespace umbrascope {

class RecordedMessages final : public UserMessages {
public:
    void PostMessage(const UserText& text) override {
        std::lock_guard lock(mutex_);
        shown_.push_back(text.Text());
    }
    std::vector<std::string> Shown() const {
        std::lock_guard lock(mutex_);
        return shown_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> shown_;
};

} // namespace umbrascope
