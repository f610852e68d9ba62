#include "MediaPath.h"

#include "Cp1251.h"

#include <algorithm>
#include <system_error>

namespace umbrascope {

namespace {

bool HasWindowsDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// Stored paths may come from Windows. Only those are split the Windows way; in a Linux path a
// colon or a backslash is part of a file name ("Сессия 10:30.usp").
bool IsWindowsPath(std::string_view path) {
    const bool backslashesOnly =
        path.find('\\') != std::string_view::npos && path.find('/') == std::string_view::npos;
    return HasWindowsDrive(path) || backslashesOnly;
}

std::size_t FileNameStart(std::string_view path) {
    const std::string_view separators = IsWindowsPath(path) ? "\\/:" : "/";
    const std::size_t last = path.find_last_of(separators);
    return last == std::string_view::npos ? 0 : last + 1;
}

} // namespace

std::string ExtractFileName(std::string_view path) {
    return std::string(path.substr(FileNameStart(path)));
}

std::string ExtractFileExt(std::string_view path) {
    const std::string_view name = path.substr(FileNameStart(path));
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::string ExtractFileDir(std::string_view path) {
    const std::size_t start = FileNameStart(path);
    if (start == 0)
        return {};
    // Keep a drive colon or a lone root separator, as they name the folder themselves.
    if (path[start - 1] == ':' || start == 1)
        return std::string(path.substr(0, start));
    return std::string(path.substr(0, start - 1));
}

std::filesystem::path FileSystemPath(std::string_view cp1251Path) {
    return std::filesystem::path(Cp1251ToUtf8(cp1251Path));
}

bool MediaFileExists(std::string_view cp1251Path) {
    if (cp1251Path.empty())
        return false;
    std::error_code error;
    return std::filesystem::is_regular_file(FileSystemPath(cp1251Path), error);
}

std::string ProjectFolderOf(std::string_view projectFileName) {
    return ExtractFileDir(projectFileName);
}

bool ResolveMediaPath(std::string& path, std::string_view projectFolder) {
    if (path.starts_with(".&"))
        return true;
    std::string folder(projectFolder);
    if (!folder.empty() && !folder.ends_with('/'))
        folder += '/';
    // A relative path in a project means relative to the project, wherever the program was
    // started; only then the path as given and the file name beside the project.
    if (!folder.empty() && !path.empty() && path.front() != '/' && path.front() != '\\' &&
        !HasWindowsDrive(path)) {
        std::string inFolder = path;
        if (IsWindowsPath(path))
            std::replace(inFolder.begin(), inFolder.end(), '\\', '/');
        if (MediaFileExists(folder + inFolder)) {
            path = folder + inFolder;
            return true;
        }
    }
    if (MediaFileExists(path))
        return true;
    if (folder.empty())
        return false;
    const std::string candidate = folder + ExtractFileName(path);
    if (!MediaFileExists(candidate))
        return false;
    path = candidate;
    return true;
}

} // namespace umbrascope
