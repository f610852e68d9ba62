#include "Interruptions.h"

#include <atomic>
#include <csignal>

namespace umbrascope {

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void OnInterrupt(int) {
    interrupted = true;
}

void Install(void (*handler)(int)) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, handler);
}

} // namespace

void CatchInterruptions() {
    Install(OnInterrupt);
}

void StopCatchingInterruptions() {
    Install(SIG_DFL);
}

bool Interrupted() {
    return interrupted;
}

void ThrowIfInterrupted() {
    if (interrupted)
        throw CommandInterrupted{};
}

} // namespace umbrascope
