#include "PublishedState.h"

namespace umbrascope {

std::shared_ptr<const SessionValuesInForce> PublishedState::CurrentValues() const {
    std::lock_guard lock(mutex_);
    return values_;
}

void PublishedState::Publish(const SessionValuesInForce& values) {
    // Copied, and the state it replaces let go, outside the lock: a reader never waits for
    // either.
    auto swapped = std::make_shared<const SessionValuesInForce>(values);
    std::lock_guard lock(mutex_);
    values_.swap(swapped);
}

} // namespace umbrascope
