#include "Common.h"

#include "MediaPath.h"
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
    AdoptSession(Session{});
    ProjectFileName.clear();
    IsPlaying = false;
    SessionPosition = 0;
    (void)ComputeStateAt(0);
}

Session OpenSession() {
    return {SessionName, SessionAuthor, SessionDescription, SessionLength, StartValues, Events};
}

void AdoptSession(Session session) {
    SessionName = std::move(session.SessionName);
    SessionAuthor = std::move(session.SessionAuthor);
    SessionDescription = std::move(session.SessionDescription);
    SessionLength = session.SessionLength;
    StartValues = std::move(session.StartValues);
    Events = std::move(session.Events);
}

void EditOpenSession(const std::function<void(Session&)>& edit) {
    Session session{std::move(SessionName), std::move(SessionAuthor), std::move(SessionDescription),
                    SessionLength,          std::move(StartValues),   std::move(Events)};
    // Given back however the edit ends, so the open session is never left emptied.
    struct GiveBack {
        Session& session;
        ~GiveBack() { AdoptSession(std::move(session)); }
    } giveBack{session};
    edit(session);
}

std::string OpenProjectFolder() {
    return ProjectFolderOf(ProjectFileName);
}

std::optional<std::string> ComputeStateAt(std::int32_t t) {
    SessionStateAt state = StateAt(StartValues, Events, t);
    CurrentValues = std::move(state.Values);
    PublishCurrentValues();
    return std::move(state.Failure);
}

std::size_t InsertEvent(const TSessionEvent& event) {
    return InsertEvent(Events, event);
}

void ResortEvents() {
    ResortEvents(Events);
}

void DeleteEvent(std::size_t index) {
    DeleteEvent(Events, index);
}

void RescaleEventTimes(std::int32_t oldLength, std::int32_t newLength) {
    RescaleEventTimes(Events, oldLength, newLength);
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
