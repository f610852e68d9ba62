#pragma once

// The open document: the session the window or a command-line mode works on (its header, start
// values and events), with the file it came from and the history of its edits. Its owner (the
// main window, or the command-line mode) passes it by reference to whatever edits it. Readers
// of files return a Session, which the owner then makes the document's. Where play stands (the
// position, the state in force there, what the threads that play see) is the transport's
// (play/Transport.h); playing never changes the document.
//
// Thread rule: only the user-interface thread (or a command-line mode's only thread) uses the
// document; the threads that play it never see it.

#include "EditHistory.h"
#include "Session.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace umbrascope {

class SessionDocument : private Session {
public:
    SessionDocument();
    SessionDocument(const SessionDocument&) = delete;
    SessionDocument& operator=(const SessionDocument&) = delete;

    // The header, the start values and the event list (sorted by time, ties in insertion
    // order).
    using Session::Events;
    using Session::SessionAuthor;
    using Session::SessionDescription;
    using Session::SessionLength;
    using Session::SessionName;
    using Session::StartValues;

    // Windows-1251; empty for a project never saved.
    std::string ProjectFileName;

    // The session's contents as values, for computations and the history.
    const Session& Contents() const { return *this; }

    // Makes the document a new, empty project with no history.
    void ResetProject();

    // Makes the document a session read from projectFileName (Windows-1251; empty when it
    // was never saved), with no history.
    void ReplaceSession(Session session, std::string projectFileName);

    // The folder of the project (Windows-1251), where moved media are looked for; empty for a
    // new project.
    std::string ProjectFolder() const;

    // The event list operations of SessionState.h on Events.
    std::size_t InsertEvent(const TSessionEvent& event);
    void ResortEvents(std::size_t changed);
    void DeleteEvent(std::size_t index);
    void RescaleEventTimes(std::int32_t oldLength, std::int32_t newLength);

    // The history of edits, and whether the session differs from its file.
    const EditHistory& History() const { return history_; }
    // Records the edit that turned before into the present session, named for the user; an
    // edit that changed nothing records nothing.
    void RecordEdit(UserText name, const Session& before);
    // Takes the last edit back, or makes the next one again.
    void Undo();
    void Redo();
    // The session is now what the file at projectFileName holds.
    void Saved(std::string projectFileName);

private:
    EditHistory history_;
};

} // namespace umbrascope
