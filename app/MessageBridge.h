#pragma once

// Message boxes asked for by track threads, shown by the user-interface thread: the asking
// thread waits until the user has closed the box, or until the program is ending.

#include "audio/TrackSource.h"

#include <memory>

class MessageBridge final : public UserMessages {
public:
    MessageBridge();
    ~MessageBridge() override;

    // Thread safe. Returns when the box has been closed (at once after Close).
    void ShowMessage(const std::string& text) override;

    // User-interface thread, at program exit before track threads are joined: threads that
    // wait for an answer go on without one, and later messages go to standard error.
    void Close();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};
