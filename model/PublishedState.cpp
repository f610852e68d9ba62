#include "PublishedState.h"

std::shared_ptr<const TCurrentValues> PublishedState::CurrentValues() const {
    std::lock_guard lock(mutex_);
    return values_;
}

void PublishedState::Publish(const TCurrentValues& values) {
    // Copied, and the state it replaces let go, outside the lock: a reader never waits for
    // either.
    auto swapped = std::make_shared<const TCurrentValues>(values);
    std::lock_guard lock(mutex_);
    values_.swap(swapped);
}
