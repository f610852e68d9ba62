#include "ProjectLoader.h"

#include "Cp1251.h"
#include "ProjectFile.h"
#include "base/FileUtils.h"
#include "base/InPlaceRewrite.h"

#include <system_error>

namespace umbrascope {

ProjectLoad LoadProject(const std::filesystem::path& path) {
    ProjectLoad load;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    load.path = (error ? path : absolute).lexically_normal();
    const auto modelPath = Utf8ToCp1251(load.path.string());
    if (!modelPath) {
        load.outcome = ProjectLoad::Outcome::UnrepresentablePath;
        load.message = UnrepresentablePathMessage(load.path.string());
        return load;
    }
    load.recovery = RecoverCutOffRewrites(load.path);
    try {
        TFile file(load.path);
        ProjectGap gap;
        const ProjectReadResult read = ReadProject(file, load.session, &gap);
        if (read == ProjectReadResult::WrongFormat) {
            load.outcome = ProjectLoad::Outcome::WrongFormat;
            load.message = WrongFormatMessage;
            return load;
        }
        if (read == ProjectReadResult::Truncated)
            load.damage = TruncatedProjectMessage(load.path.string(), gap);
        load.projectFileName = *modelPath;
    } catch (const IoError& failure) {
        load.outcome = ProjectLoad::Outcome::Unreadable;
        load.message = UserText::Verbatim(failure.what());
    }
    return load;
}

UserText UnrepresentablePathMessage(std::string_view utf8Path) {
    return {Translatable("umbrascope::ProjectLoader",
                         "Путь к файлу содержит символы, которые нельзя записать в кодировке "
                         "Windows-1251:\n%1"),
            {std::string(utf8Path)}};
}

} // namespace umbrascope
