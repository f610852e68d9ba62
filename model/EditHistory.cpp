#include "EditHistory.h"

#include <utility>

namespace umbrascope {

void EditHistory::Record(UserText name, SessionChange change) {
    if (change.Empty())
        return;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    steps_.push_back({std::move(name), std::move(change), nextMark_++});
    if (steps_.size() > MaxSteps) {
        baseMark_ = steps_.front().mark;
        steps_.pop_front();
    }
    done_ = steps_.size();
}

UserText EditHistory::UndoName() const {
    return CanUndo() ? steps_[done_ - 1].name : UserText();
}

UserText EditHistory::RedoName() const {
    return CanRedo() ? steps_[done_].name : UserText();
}

void EditHistory::Undo(Session& session) {
    if (!CanUndo())
        return;
    steps_[done_ - 1].change.Undo(session);
    --done_;
}

void EditHistory::Redo(Session& session) {
    if (!CanRedo())
        return;
    steps_[done_].change.Redo(session);
    ++done_;
}

void EditHistory::Clear() {
    steps_.clear();
    done_ = 0;
    baseMark_ = nextMark_++;
    savedMark_ = baseMark_;
}

void EditHistory::MarkSaved() {
    savedMark_ = CurrentMark();
}

} // namespace umbrascope
