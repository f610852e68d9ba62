#include "PrivateFolder.h"

#include "FileUtils.h"
#include "SystemFileCalls.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <system_error>

namespace umbrascope {

PrivateFolder::PrivateFolder(std::string_view prefix) {
    const char* const temporary = std::getenv("TMPDIR");
    const std::filesystem::path parent = temporary && temporary[0] == '/' ? temporary : "/tmp";
    std::string pattern = (parent / (std::string(prefix) + ".XXXXXX")).string();
    // mkdtemp makes the folder owner-only (0700) under a name nobody could have foreseen.
    if (mkdtemp(pattern.data()) == nullptr)
        ThrowSystemError(parent, errno);
    path_ = pattern;
    FileDescriptor fd(open(path_.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.Valid()) {
        const int error = errno;
        rmdir(path_.c_str());
        ThrowSystemError(path_, error);
    }
    handle_ = FolderHandle(std::move(fd), path_);
}

PrivateFolder::~PrivateFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace umbrascope
