#include "Transport.h"

#include "model/SessionState.h"

#include <utility>

namespace umbrascope {

Transport::Transport(std::unique_ptr<SessionClock> clock, std::shared_ptr<UserMessages> messages)
    : clock_(std::move(clock)), tracks_(std::make_shared<PlayReports>(std::move(messages))) {}

std::optional<std::string> Transport::ComputeStateAt(const Session& content, std::int32_t t) {
    SessionStateAt state = StateAt(content.StartValues, content.Events, t);
    CurrentValues = std::move(state.values);
    PublishCurrentValues();
    return std::move(state.failure);
}

std::optional<std::string> Transport::Rewind(const Session& content) {
    SessionPosition = 0;
    return ComputeStateAt(content, 0);
}

void Transport::KeepPositionInSession(std::int32_t sessionLength) {
    if (sessionLength < SessionPosition)
        SessionPosition = LastPositionIn(sessionLength);
}

void Transport::PublishCurrentValues() {
    published_->Publish(CurrentValues);
}

} // namespace umbrascope
