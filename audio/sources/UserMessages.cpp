#include "TrackSource.h"

#include "base/TerminalText.h"
#include "model/Cp1251.h"

#include <iostream>
#include <mutex>

namespace umbrascope {

namespace {

class PrintedMessages final : public UserMessages {
public:
    void PostMessage(const UserText& text) override {
        static std::mutex printing;
        std::lock_guard lock(printing);
        // A track's message names its file, which a project may have named with control
        // characters.
        std::cerr << "umbrascope: " << EscapedMessage(text.Text()) << '\n';
    }
};

} // namespace

std::shared_ptr<UserMessages> StandardErrorMessages() {
    return std::make_shared<PrintedMessages>();
}

UserText TrackSource::DeviceFailureMessage() const {
    return DeviceErrorMessage;
}

UserText DeviceRefusedFileMessage(const std::string& cp1251Path, const PcmFormat& format) {
    return {Translatable("umbrascope::UserMessages",
                         "Ошибка аудиоустройства\nЗвуковое устройство не приняло звук файла «%1» "
                         "(%2 Гц, %3 кан., %4 бит)."),
            {Cp1251ToUtf8(cp1251Path), std::to_string(format.sampleRate),
             std::to_string(format.channels), std::to_string(format.bitsPerSample)}};
}

} // namespace umbrascope
