#include "SessionMedia.h"

#include "Cp1251.h"
#include "MediaPath.h"

#include <algorithm>

namespace umbrascope {

bool IsMediaPath(std::string_view value) {
    return !value.empty() && !value.starts_with(".&");
}

bool IsMissingMedium(std::string_view value, std::string_view projectFolder) {
    std::string resolved(value);
    return IsMediaPath(value) && !ResolveMediaPath(resolved, projectFolder);
}

std::vector<std::string> MissingMedia(const Session& session, std::string_view projectFolder) {
    std::vector<std::string> missing;
    ForEachMediaPath(session, [&](const std::string& value, MediaField field) {
        if (field != MediaField::TrackRemoval && IsMissingMedium(value, projectFolder) &&
            std::find(missing.begin(), missing.end(), value) == missing.end())
            missing.push_back(value);
    });
    return missing;
}

UserText MissingMediaMessage(const std::vector<std::string>& missing) {
    std::string list;
    for (const std::string& path : missing)
        list += "\n" + Cp1251ToUtf8(path);
    return {Translatable("umbrascope::SessionMedia",
                         "Эти файлы сеанса не найдены ни на своём месте, ни в папке проекта; без "
                         "них сеанс играет беззвучно или без фраз:\n%1"),
            {list}};
}

} // namespace umbrascope
