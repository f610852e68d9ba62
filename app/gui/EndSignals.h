#pragma once

// SIGTERM and SIGHUP (the desktop session ends, the terminal is closed) as a Qt signal on the
// user-interface thread, so that the window can end as it does when closed. The handler only
// writes the signal's number into a pipe, which a socket notifier reads. One at a time in a
// program; while it lives, the two signals no longer end the program on their own.
// User-interface thread only.

#include <QObject>

class QSocketNotifier;

namespace umbrascope {

class EndSignals : public QObject {
    Q_OBJECT

public:
    // Catches the signals from now on; they are told once Listen is called.
    explicit EndSignals(QObject* parent = nullptr);
    ~EndSignals() override;

    // Emits Received for the signals caught so far and for those to come.
    void Listen();
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

signals:
    void Received(int signal);

private:
    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace umbrascope
