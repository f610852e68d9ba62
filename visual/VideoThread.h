#pragma once

// TVideoThread: plays the picture side of a session. Every pass it waits until the window has
// taken the previous frame, samples the session clock, takes the next phrase when it is due,
// draws one frame (pattern and phrase, in bands on every core) into the back buffer and hands
// it to the full-screen window. Passes begin at least 13 ms apart: where the window takes
// frames at the display's refresh, that sets the rhythm; elsewhere the pause does. It reads the
// settings in force as the user-interface thread publishes them and leaves its loop when the
// session stops playing or Stop is called.

#include "FrameBands.h"
#include "FrameExchange.h"
#include "PhraseRenderer.h"
#include "PhraseSource.h"
#include "model/PublishedState.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>
#include <utility>

namespace umbrascope {

class TVideoThread {
public:
    static constexpr std::chrono::milliseconds PassPause{13};

    // The session clock the controller plays by, read once a pass. Thread safe, non-blocking.
    using SessionTime = std::function<std::uint32_t()>;

    // frames, phrases and state must outlive the thread (Stop joins it).
    TVideoThread(FrameExchange& frames, PhraseSource& phrases, const PublishedState& state,
                 SessionTime sessionTime);
    ~TVideoThread();
    TVideoThread(const TVideoThread&) = delete;
    TVideoThread& operator=(const TVideoThread&) = delete;

    // User-interface thread, once the session clock runs and state says the session plays:
    // starts a new loop with no phrase and the walk of cells at cell 1. Does nothing while a
    // loop runs.
    void Start();

    // User-interface thread: ends the loop and waits for it (at most one pass). Call before
    // the window is hidden and before the phrase reader goes.
    void Stop();

    // Thread safe: the loop is running.
    bool Running() const;

    // Thread safe: passes made since Start, and passes that began more than LateMargin after
    // they were due, PassPause after the previous one began drawing (the drawing fell behind);
    // the second pass is due PassPause after the first, which sets everything up, has ended.
    std::uint64_t Passes() const;
    std::uint64_t LatePasses() const;
    // Thread safe: phrases read and laid out since Start.
    std::uint64_t PhrasesTaken() const;
    static constexpr std::chrono::milliseconds LateMargin{4};

private:
    void Execute(std::stop_token stop);
    void Pass(FrameBands& bands);

    FrameExchange& frames_;
    PhraseSource& phrases_;
    const PublishedState& state_;
    const SessionTime sessionTime_;
    std::jthread thread_;
    std::atomic<bool> running_{false};
    std::atomic<std::uint64_t> passes_{0};
    std::atomic<std::uint64_t> latePasses_{0};
    std::atomic<std::uint64_t> phrasesTaken_{0};
    // Presentation thread only while the loop runs.
    PhraseLayout layout_;
    std::uint32_t frameTime_ = 0;
};

} // namespace umbrascope
