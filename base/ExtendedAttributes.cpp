#include "ExtendedAttributes.h"

#include <algorithm>
#include <cerrno>
#include <sys/types.h>
#include <sys/xattr.h>

namespace umbrascope {

namespace {

constexpr const char* AccessControlList = "system.posix_acl_access";

// The names of the file's attributes; none where the file system has none.
std::vector<std::string> NamesOf(int fd) {
    std::string list;
    for (;;) {
        const ssize_t size = flistxattr(fd, nullptr, 0);
        if (size <= 0)
            return {};
        list.resize(static_cast<std::size_t>(size));
        const ssize_t got = flistxattr(fd, list.data(), list.size());
        if (got >= 0) {
            list.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno != ERANGE) // grown meanwhile: ask again
            return {};
    }
    std::vector<std::string> names;
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t end = list.find('\0', at);
        names.push_back(list.substr(at, end - at));
        at = end == std::string::npos ? list.size() : end + 1;
    }
    return names;
}

bool ReadAttribute(int fd, const std::string& name, std::string& value) {
    for (;;) {
        const ssize_t size = fgetxattr(fd, name.c_str(), nullptr, 0);
        if (size < 0)
            return false;
        value.resize(static_cast<std::size_t>(size));
        const ssize_t got = fgetxattr(fd, name.c_str(), value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

} // namespace

std::vector<std::string> CopyExtendedAttributes(int from, int to) {
    const std::vector<std::string> wanted = NamesOf(from);
    std::vector<std::string> refused;
    std::string value;
    for (const std::string& name : wanted) {
        if (!ReadAttribute(from, name, value))
            continue;
        if (fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0)
            refused.push_back(name);
    }
    for (const std::string& name : NamesOf(to))
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end())
            fremovexattr(to, name.c_str());
    return refused;
}

UserText AttributesNotKeptNotice(const std::string& path, const std::vector<std::string>& names) {
    UserText notice(Translatable("umbrascope::ReplacingFile",
                                 "Файл %1 записан, но без того, что файловая система или права "
                                 "не позволили перенести на новый файл:"),
                    {path});
    for (const std::string& name : names)
        notice.lines.push_back(
            name == AccessControlList
                ? UserText(Translatable("umbrascope::ReplacingFile",
                                        "список управления доступом (ACL): кому и что "
                                        "разрешено, теперь решают одни права файла"))
                : UserText(Translatable("umbrascope::ReplacingFile", "расширенный атрибут %1"),
                           {name}));
    return notice;
}

} // namespace umbrascope
