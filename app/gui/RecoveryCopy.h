#pragma once

// The unsaved document of a window that a signal ended (a logout, the terminal closed): kept in
// the user's state folder, $XDG_STATE_HOME/umbrascope (~/.local/state/umbrascope without it),
// and offered at the next start. User-interface thread only.

#include "model/Session.h"

#include <filesystem>
#include <optional>
#include <string>

namespace umbrascope {

struct RecoveryCopy {
    Session session;
    std::string projectFileName; // Windows-1251; empty for a project never saved
};

// Where the copy is kept.
std::filesystem::path RecoveryFolder();

// Keeps the session and the project file it belongs to, replacing an older copy. Throws IoError.
void KeepRecoveryCopy(const Session& session, const std::string& projectFileName);

// The copy kept, if there is one that can be read.
std::optional<RecoveryCopy> FindRecoveryCopy();

// Removes the copy (nothing when there is none).
void RemoveRecoveryCopy();

} // namespace umbrascope
