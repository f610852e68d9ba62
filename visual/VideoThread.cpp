#include "VideoThread.h"

#include <condition_variable>
#include <mutex>
#include <optional>

namespace umbrascope {

namespace {

using SteadyClock = std::chrono::steady_clock;

// Sleeps until the moment unless a stop is requested first.
void PauseUntil(std::stop_token stop, SteadyClock::time_point moment) {
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    wake.wait_until(lock, stop, moment, [] { return false; });
}

} // namespace

TVideoThread::TVideoThread(FrameExchange& frames, PhraseSource& phrases,
                           const PublishedState& state, SessionTime sessionTime)
    : frames_(frames), phrases_(phrases), state_(state), sessionTime_(std::move(sessionTime)) {}

TVideoThread::~TVideoThread() {
    Stop();
}

void TVideoThread::Start() {
    if (running_)
        return;
    if (thread_.joinable())
        thread_.join(); // a loop that ended by itself when the session stopped playing
    passes_ = 0;
    latePasses_ = 0;
    phrasesTaken_ = 0;
    running_ = true;
    thread_ = std::jthread([this](std::stop_token stop) { Execute(stop); });
}

void TVideoThread::Stop() {
    if (!thread_.joinable())
        return;
    thread_.request_stop();
    thread_.join();
}

bool TVideoThread::Running() const {
    return running_;
}

std::uint64_t TVideoThread::Passes() const {
    return passes_;
}

std::uint64_t TVideoThread::LatePasses() const {
    return latePasses_;
}

std::uint64_t TVideoThread::PhrasesTaken() const {
    return phrasesTaken_;
}

void TVideoThread::Execute(std::stop_token stop) {
    try {
        FrameBands bands; // its helper threads live as long as the loop
        frameTime_ = sessionTime_();
        layout_ = PhraseLayout{};
        layout_.PhraseStart = frameTime_;
        phrases_.TakeDropRequest(); // a request left from an earlier session
        std::optional<SteadyClock::time_point> due;
        while (state_.IsPlaying() && !stop.stop_requested()) {
            if (due) {
                PauseUntil(stop, *due);
                if (SteadyClock::now() > *due + LateMargin)
                    ++latePasses_;
            }
            frames_.WaitUntilTaken(stop);
            if (!state_.IsPlaying() || stop.stop_requested())
                break;
            due = SteadyClock::now() + PassPause;
            Pass(bands);
            // The first pass starts the drawing threads and traces the first phrase, which takes
            // longer: the rhythm begins when it is done, so the first frame too stays on the
            // screen for the whole pause rather than until the quick second one is drawn.
            if (passes_++ == 0)
                due = SteadyClock::now() + PassPause;
        }
    } catch (...) {
        // The thread has no error path of its own; the session goes on without pictures.
    }
    running_ = false;
}

void TVideoThread::Pass(FrameBands& bands) {
    frameTime_ = sessionTime_();
    const std::shared_ptr<const SessionValuesInForce> values = state_.CurrentValues();
    if (TakeDuePhrase(phrases_, layout_, *values, frames_.FrameSize(), frameTime_))
        ++phrasesTaken_;
    QImage* frame = frames_.BeginFrame();
    if (!frame)
        return;
    bool drawn = false;
    try {
        drawn = bands.Draw(*frame, *values, layout_, frameTime_);
    } catch (...) {
        // An incomplete frame is not shown.
    }
    frames_.EndFrame(drawn, frameTime_);
}

} // namespace umbrascope
