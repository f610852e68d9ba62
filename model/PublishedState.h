#pragma once

// What the user-interface thread publishes for the threads that play a session: the state in
// force and whether a session plays. The presentation thread and the track threads read it
// while the user-interface thread goes on changing its own copy of the state.
//
// Thread safe. Only the user-interface thread publishes.

#include "Session.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace umbrascope {

class PublishedState {
public:
    // The state as last published; never null. Takes a short lock around a pointer copy, so
    // a reader keeps a whole state however often a new one is published meanwhile.
    std::shared_ptr<const SessionValuesInForce> CurrentValues() const;
    void Publish(const SessionValuesInForce& values);

    bool IsPlaying() const { return playing_.load(); }
    void SetPlaying(bool playing) { playing_.store(playing); }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<const SessionValuesInForce> values_ =
        std::make_shared<const SessionValuesInForce>();
    std::atomic<bool> playing_{false};
};

} // namespace umbrascope
