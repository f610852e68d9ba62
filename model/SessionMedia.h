#pragma once

// The texts of a session that name media files (phrase files and tracks), and the ones whose
// files cannot be found. Values only: any thread.

#include "EventCatalogue.h"
#include "Session.h"
#include "base/UserText.h"

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace umbrascope {

enum class MediaField { PhraseFile, Track, TrackRemoval };

// Every text of a session that names a phrase file or a track, with what it names. SessionT is
// Session or const Session.
template <typename SessionT, typename Visit> void ForEachMediaPath(SessionT& session, Visit visit) {
    static_assert(std::is_same_v<std::remove_const_t<SessionT>, Session>);
    visit(session.StartValues.PhraseFile, MediaField::PhraseFile);
    for (auto& track : session.StartValues.Waves)
        visit(track, MediaField::Track);
    for (auto& event : session.Events) {
        switch (EventKindOf(event.EventType).value_or(EventKind::Undefined)) {
        case EventKind::PhraseFile:
            visit(event.EventValue, MediaField::PhraseFile);
            break;
        case EventKind::AddTrack:
            visit(event.EventValue, MediaField::Track);
            break;
        case EventKind::RemoveTrack:
            visit(event.EventValue, MediaField::TrackRemoval);
            break;
        default:
            break;
        }
    }
}

// True for a text that names a file (not empty, not a generator's descriptor).
bool IsMediaPath(std::string_view value);

// True when the text names a file that is found neither where it says nor in projectFolder.
bool IsMissingMedium(std::string_view value, std::string_view projectFolder);

// The phrase files and tracks the session uses whose files are not found, each once, in the
// order the session names them (Windows-1251, as stored).
std::vector<std::string> MissingMedia(const Session& session, std::string_view projectFolder);

// One message for all of them: what is missing and that it is passed over.
UserText MissingMediaMessage(const std::vector<std::string>& missing);

} // namespace umbrascope
