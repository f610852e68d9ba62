#include "EndSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace umbrascope {

namespace {

// The pipe's writing end, for the handler, which can reach nothing else; -1 while none.
std::atomic<int> signalPipe{-1};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int Caught[] = {SIGTERM, SIGHUP};

extern "C" void OnEndSignal(int signal) {
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    // A full pipe already holds a request to end; one more would add nothing.
    (void)!write(signalPipe.load(), &number, 1);
    errno = saved;
}

void Handle(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Caught)
        sigaction(signal, &action, nullptr);
}

} // namespace

EndSignals::EndSignals(QObject* parent) : QObject(parent) {
    if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // then the signals end the program as before
    signalPipe = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    notifier_->setEnabled(false);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        unsigned char number = 0;
        while (read(pipe_[0], &number, 1) == 1)
            emit Received(number);
    });
    Handle(OnEndSignal);
}

void EndSignals::Listen() {
    if (notifier_)
        notifier_->setEnabled(true);
}

EndSignals::~EndSignals() {
    if (!notifier_)
        return;
    Handle(SIG_DFL);
    signalPipe = -1;
    close(pipe_[0]);
    close(pipe_[1]);
}

} // namespace umbrascope
