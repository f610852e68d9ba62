#include "SessionFiles.h"

#include "MediaPath.h"
#include "SessionMedia.h"
#include "base/WritePlace.h"

#include <set>
#include <system_error>

namespace umbrascope {

std::optional<SessionFile> SessionFileAt(const Session& session, std::string_view projectFileName,
                                         const std::filesystem::path& output) {
    std::error_code error;
    if (!std::filesystem::exists(output, error))
        return std::nullopt;
    const std::string folder = ProjectFolderOf(projectFileName);
    std::optional<SessionFile> found;
    std::set<std::string> looked; // a track added by many events is looked up once
    ForEachMediaPath(session, [&](const std::string& value, MediaField field) {
        std::string resolved = value;
        if (found || field == MediaField::TrackRemoval || !IsMediaPath(value) ||
            !looked.insert(value).second || !ResolveMediaPath(resolved, folder))
            return;
        if (SameExistingFile(FileSystemPath(resolved), output))
            found = SessionFile{SessionFile::Kind::Medium, resolved};
    });
    if (!found && !projectFileName.empty() &&
        SameExistingFile(FileSystemPath(projectFileName), output))
        found = SessionFile{SessionFile::Kind::Project, std::string(projectFileName)};
    return found;
}

} // namespace umbrascope
