#pragma once

// The files a session is made of: its project file and every phrase file and track it names,
// found as play and the exports find them. No writer may put its output over one of them: an
// export over the track it mixes, or a built session over its phrase file, would destroy what
// the session is made of.
//
// Thread rule: values and file look-ups only; any thread.

#include "Session.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace umbrascope {

struct SessionFile {
    enum class Kind { Project, Medium };
    Kind kind = Kind::Project;
    std::string path; // Windows-1251, where the file was found
};

// The file of the session (projectFileName, Windows-1251, empty for a new project, and the
// media as they resolve beside it) that output is, also through symbolic or hard links; empty
// when output is none of them or does not exist. A medium is told before the project, so that
// a writer of the project itself can still refuse its media.
std::optional<SessionFile> SessionFileAt(const Session& session, std::string_view projectFileName,
                                         const std::filesystem::path& output);

} // namespace umbrascope
