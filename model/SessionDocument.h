#pragma once

// The open document: the session the window or a command-line mode works on, with the file it
// came from, the position on its timeline, the state in force there, the state published for
// the threads that play it, and the history of its edits. Its owner (the main window, or the
// command-line mode) passes it by reference to whatever edits it. Readers of files return a
// Session, which the owner then makes the document's.
//
// Thread rule: only the user-interface thread (or a command-line mode's only thread) uses the
// document; the threads that play it see only what it publishes, through Published().

#include "EditHistory.h"
#include "PublishedState.h"
#include "Session.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
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
    // The state in force at SessionPosition, as last computed or advanced by playing.
    SessionValuesInForce CurrentValues;
    std::int32_t SessionPosition = 0; // ms

    // The session's contents as values, for computations and the history.
    const Session& Contents() const { return *this; }

    // Makes the document a new, empty project: position 0, the state at 0, no history.
    void ResetProject();

    // Makes the document a session read from projectFileName (Windows-1251; empty when it
    // was never saved): position 0, no history. Computes the state at 0 and returns the
    // message that stopped it, if any (Windows-1251).
    [[nodiscard]] std::optional<std::string> ReplaceSession(Session session,
                                                            std::string projectFileName);

    // A session shortened below the position keeps the position inside it.
    void KeepPositionInSession();

    // The folder of the project (Windows-1251), where moved media are looked for; empty for a
    // new project.
    std::string ProjectFolder() const;

    // Rebuilds CurrentValues for time t (see StateAt) and publishes it. Returns the message
    // that stopped the computation, if any (Windows-1251).
    [[nodiscard]] std::optional<std::string> ComputeStateAt(std::int32_t t);

    // Makes the present CurrentValues visible to the threads that play the session.
    void PublishCurrentValues();

    // The event list operations of SessionState.h on Events.
    std::size_t InsertEvent(const TSessionEvent& event);
    void ResortEvents(std::size_t changed);
    void DeleteEvent(std::size_t index);
    void RescaleEventTimes(std::int32_t oldLength, std::int32_t newLength);

    // Whether the session plays; the playback controller sets it.
    bool IsPlaying() const { return published_->IsPlaying(); }
    void SetPlaying(bool playing) { published_->SetPlaying(playing); }

    // What the threads that play the session read. Shared, since a track thread may play its
    // last buffer out after the document has gone.
    std::shared_ptr<const PublishedState> Published() const { return published_; }

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
    std::shared_ptr<PublishedState> published_ = std::make_shared<PublishedState>();
    EditHistory history_;
};

} // namespace umbrascope
