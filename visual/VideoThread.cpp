#include "VideoThread.h"

#include "VideoFunctions.h"

#include <condition_variable>
#include <mutex>

namespace {

using SteadyClock = std::chrono::steady_clock;

// Sleeps for the pause unless a stop is requested first. Returns how long it slept.
SteadyClock::duration PauseUnlessStopped(std::stop_token stop, std::chrono::milliseconds pause) {
    const auto started = SteadyClock::now();
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    wake.wait_for(lock, stop, pause, [] { return false; });
    return SteadyClock::now() - started;
}

} // namespace

TVideoThread::TVideoThread(FrameExchange& frames, TPhraseSource& phrases,
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
        frameTime_ = sessionTime_();
        layout_ = TPhraseLayout{};
        layout_.PhraseStart = frameTime_;
        phrases_.TakeDropRequest(); // a request left from an earlier session
        while (state_.IsPlaying() && !stop.stop_requested()) {
            Pass(stop);
            ++passes_;
            if (PauseUnlessStopped(stop, PassPause) > PassPause + LateMargin)
                ++latePasses_;
        }
    } catch (...) {
        // The thread has no error path of its own; the session goes on without pictures.
    }
    running_ = false;
}

void TVideoThread::Pass(std::stop_token stop) {
    frameTime_ = sessionTime_();
    const std::shared_ptr<const TCurrentValues> values = state_.CurrentValues();
    if (TakeDuePhrase(phrases_, layout_, *values, frames_.FrameSize(), frameTime_))
        ++phrasesTaken_;
    DrawPass(*values, stop);
}

void TVideoThread::DrawPass(const TCurrentValues& values, std::stop_token stop) {
    QImage* frame = frames_.BeginFrame();
    if (!frame)
        return;
    bool drawn = false;
    try {
        drawn = DrawFrame(*frame, values, layout_, frameTime_);
    } catch (...) {
        // An incomplete frame is not shown.
    }
    frames_.EndFrame(drawn, stop);
}
