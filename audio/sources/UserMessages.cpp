#include "TrackSource.h"

#include <atomic>
#include <iostream>
#include <mutex>

namespace {

class StandardErrorMessages final : public UserMessages {
public:
    void ShowMessage(const std::string& text) override {
        static std::mutex printing;
        std::lock_guard lock(printing);
        std::cerr << "umbrascope: " << text << '\n';
    }
};

StandardErrorMessages fallback;
std::atomic<UserMessages*> installed{nullptr};

} // namespace

void InstallUserMessages(UserMessages* messages) {
    installed = messages;
}

UserMessages& Messages() {
    UserMessages* messages = installed.load();
    return messages ? *messages : fallback;
}
