#include "CommandWriting.h"

#include "Interruptions.h"
#include "base/TerminalText.h"

#include <iostream>
#include <memory>

namespace umbrascope {

namespace {

// A lock held this long is not one of our own writers taking its short turn.
constexpr std::chrono::milliseconds SayWaitingAfter{500};

} // namespace

WriteOptions CommandWriteOptions(const std::filesystem::path& output) {
    WriteOptions options;
    const std::string shown = EscapedForTerminal(output.string());
    options.whileLocked = [shown,
                           told = std::make_shared<bool>(false)](std::chrono::milliseconds waited) {
        ThrowIfInterrupted();
        if (!*told && waited >= SayWaitingAfter) {
            std::cerr << "umbrascope: " << shown
                      << ": another program holds this file locked; waiting up to "
                      << LockWaitLimit.count() << " s for it to let go (Ctrl+C stops)\n";
            *told = true;
        }
        return waited < LockWaitLimit;
    };
    options.notice = [](const UserText& notice) {
        std::cerr << "umbrascope: warning: " << EscapedMessage(notice.Text()) << '\n';
    };
    return options;
}

} // namespace umbrascope
