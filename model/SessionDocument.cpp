#include "SessionDocument.h"

#include "MediaPath.h"
#include "SessionChange.h"
#include "SessionState.h"

#include <utility>

namespace umbrascope {

SessionDocument::SessionDocument() {
    ResetProject();
}

void SessionDocument::ResetProject() {
    ReplaceSession(Session{}, std::string());
}

void SessionDocument::ReplaceSession(Session session, std::string projectFileName) {
    static_cast<Session&>(*this) = std::move(session);
    ProjectFileName = std::move(projectFileName);
    history_.Clear();
}

std::string SessionDocument::ProjectFolder() const {
    return ProjectFolderOf(ProjectFileName);
}

std::size_t SessionDocument::InsertEvent(const TSessionEvent& event) {
    return umbrascope::InsertEvent(Events, event);
}

void SessionDocument::ResortEvents(std::size_t changed) {
    umbrascope::ResortEvents(Events, changed);
}

void SessionDocument::DeleteEvent(std::size_t index) {
    umbrascope::DeleteEvent(Events, index);
}

void SessionDocument::RescaleEventTimes(std::int32_t oldLength, std::int32_t newLength) {
    umbrascope::RescaleEventTimes(Events, oldLength, newLength);
}

void SessionDocument::RecordEdit(UserText name, const Session& before) {
    history_.Record(std::move(name), SessionChange::Between(before, Contents()));
}

void SessionDocument::Undo() {
    history_.Undo(*this);
}

void SessionDocument::Redo() {
    history_.Redo(*this);
}

void SessionDocument::Saved(std::string projectFileName) {
    ProjectFileName = std::move(projectFileName);
    history_.MarkSaved();
}

} // namespace umbrascope
