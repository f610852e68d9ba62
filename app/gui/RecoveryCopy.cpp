#include "RecoveryCopy.h"

#include "base/ReplacingFile.h"
#include "base/WritePlace.h"
#include "model/ProjectFile.h"
#include "model/ProjectLoader.h"

#include <QDir>

#include <fstream>
#include <iterator>
#include <system_error>

namespace umbrascope {

namespace {

// The project is written last, so a copy whose project is there is whole.
const std::string ProjectName = "unsaved.usp";
const std::string FileNameName = "unsaved-project-file";

void Replace(const FolderHandle& folder, const std::string& name, const std::string& bytes) {
    ReplacingFile file(folder, name);
    file.Write(bytes.data(), bytes.size());
    file.Commit();
}

} // namespace

std::filesystem::path RecoveryFolder() {
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    const std::filesystem::path base =
        state.startsWith('/')
            ? std::filesystem::path(state.toStdString())
            : std::filesystem::path(QDir::homePath().toStdString()) / ".local/state";
    return base / "umbrascope";
}

void KeepRecoveryCopy(const Session& session, const std::string& projectFileName) {
    const FolderHandle folder = OpenPrivateFolder(RecoveryFolder());
    Replace(folder, FileNameName, projectFileName);
    Replace(folder, ProjectName, ProjectBytes(session));
}

std::optional<RecoveryCopy> FindRecoveryCopy() {
    const std::filesystem::path folder = RecoveryFolder();
    if (!std::filesystem::is_regular_file(folder / ProjectName))
        return std::nullopt;
    ProjectLoad load = LoadProject(folder / ProjectName);
    if (!load.Opened())
        return std::nullopt;
    std::ifstream name(folder / FileNameName, std::ios::binary);
    return RecoveryCopy{std::move(load.session),
                        std::string(std::istreambuf_iterator<char>(name), {})};
}

void RemoveRecoveryCopy() {
    std::error_code ignored;
    std::filesystem::remove(RecoveryFolder() / ProjectName, ignored);
    std::filesystem::remove(RecoveryFolder() / FileNameName, ignored);
}

} // namespace umbrascope
