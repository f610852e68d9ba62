#include "TrackSource.h"

#include "model/Cp1251.h"

#include <atomic>
#include <iostream>
#include <mutex>

namespace umbrascope {

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

std::string TrackSource::DeviceFailureMessage() const {
    return DeviceErrorMessage;
}

std::string DeviceRefusedFileMessage(const std::string& cp1251Path, const PcmFormat& format) {
    return std::string(DeviceErrorMessage) + "\nЗвуковое устройство не приняло звук файла «" +
           Cp1251ToUtf8(cp1251Path) + "» (" + std::to_string(format.sampleRate) + " Гц, " +
           std::to_string(format.channels) + " кан., " + std::to_string(format.bitsPerSample) +
           " бит).";
}

} // namespace umbrascope
