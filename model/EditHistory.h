#pragma once

// A session's undo and redo history, and whether the session differs from the file it was
// opened from or saved to. Each step carries the name of the command that made it, as a text
// to be shown in whatever language is in force when it is shown. The history changes only the
// session it is given.
//
// Thread rule: the thread that owns the session.

#include "SessionChange.h"
#include "base/UserText.h"

#include <cstddef>
#include <cstdint>
#include <deque>

namespace umbrascope {

class EditHistory {
public:
    // The oldest steps go when more than this many are kept.
    static constexpr std::size_t MaxSteps = 100;

    // Records a step that has just been made to the session; the steps that could have been
    // redone are dropped. An empty change records nothing.
    void Record(UserText name, SessionChange change);

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The names of the steps Undo and Redo would take; empty when there is none.
    UserText UndoName() const;
    UserText RedoName() const;

    // Takes the last step back, or makes the next one again, on the session the steps were
    // recorded from.
    void Undo(Session& session);
    void Redo(Session& session);

    // Forgets every step: a new or just opened session, the same as its file.
    void Clear();

    // The session is now what its file holds.
    void MarkSaved();

    // The session differs from its file (or a new session has been edited).
    bool Modified() const { return CurrentMark() != savedMark_; }

    std::size_t Steps() const { return steps_.size(); }

private:
    struct Step {
        UserText name;
        SessionChange change;
        std::uint64_t mark; // names the session as this step left it
    };

    std::uint64_t CurrentMark() const { return done_ > 0 ? steps_[done_ - 1].mark : baseMark_; }

    std::deque<Step> steps_;
    std::size_t done_ = 0;        // steps_[0, done_) are in the session
    std::uint64_t baseMark_ = 0;  // the session before steps_[0]
    std::uint64_t savedMark_ = 0; // the session its file holds
    std::uint64_t nextMark_ = 1;
};

} // namespace umbrascope
