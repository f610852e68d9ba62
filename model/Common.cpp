#include "Common.h"

#include "SessionState.h"

#include <mutex>

std::string SessionName;
std::string SessionAuthor;
std::string SessionDescription;
std::int32_t SessionLength = DefaultSessionLength;
std::string ProjectFileName;
TSessionValues StartValues;
TCurrentValues CurrentValues;
std::vector<TSessionEvent> Events;
std::atomic<bool> IsPlaying{false};
std::int32_t SessionPosition = 0;

namespace {

// A short lock around the pointer swap; readers copy the pointer and then read without it.
std::mutex publishedMutex;
std::shared_ptr<const TCurrentValues> published = std::make_shared<const TCurrentValues>();

} // namespace

void ResetProject() {
    SessionName.clear();
    ProjectFileName.clear();
    SessionAuthor.clear();
    SessionDescription.clear();
    SessionLength = DefaultSessionLength;
    StartValues = TSessionValues{};
    Events.clear();
    IsPlaying = false;
    SessionPosition = 0;
    (void)ComputeStateAt(0);
}

std::shared_ptr<const TCurrentValues> CurrentValuesView() {
    std::lock_guard lock(publishedMutex);
    return published;
}

void PublishCurrentValues() {
    auto copy = std::make_shared<const TCurrentValues>(CurrentValues);
    std::lock_guard lock(publishedMutex);
    published = std::move(copy);
}
