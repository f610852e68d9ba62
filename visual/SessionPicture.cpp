#include "SessionPicture.h"

#include "VideoFunctions.h"
#include "model/Cp1251.h"
#include "model/SessionState.h"

#include <algorithm>

namespace umbrascope {

SessionPicture::SessionPicture(Session session, std::string projectFolder, std::int32_t from,
                               QSize size)
    : session_(std::move(session)),
      playhead_(session_.Events, state_, std::move(projectFolder), *this), size_(size) {
    SessionStateAt start = StateAt(session_.StartValues, session_.Events, from);
    state_ = std::move(start.values);
    if (start.failure)
        playhead_.ReportOnce(UserText::Verbatim(Cp1251ToUtf8(*start.failure)));
    playhead_.Start(from, FirstEventDueAfterComputedState(session_.Events, from));
    // As when the presentation thread starts: no phrase yet, the walk of cells at cell 1.
    layout_.PhraseStart = static_cast<std::uint32_t>(std::max(from, 0));
}

SessionPicture::~SessionPicture() = default;

bool SessionPicture::Draw(std::uint32_t frameTime, QImage& frame) {
    playhead_.ApplyDueEvents(frameTime);
    TakeDuePhrase(phrases_, layout_, state_, size_, frameTime, cells_);
    return DrawFrame(frame, state_, layout_, frameTime);
}

void SessionPicture::SwitchPhraseFile(const std::optional<std::string>& path) {
    // No reader also drops the phrase shown, as in live play.
    OpenedPhraseFile opened = path ? OpenPhraseFileOrRefuse(*path) : OpenedPhraseFile{};
    if (opened.refusal)
        playhead_.ReportOnce(*opened.refusal);
    phrases_.Replace(std::move(opened.reader));
}

void SessionPicture::Report(const UserText& message) {
    problems_.push_back(message);
}

} // namespace umbrascope
