// umbrascope --import-json IN.json OUT.usp: a project from JSON of the shape --dump prints.

#include "Cli.h"
#include "CommandWriting.h"
#include "Interruptions.h"
#include "SessionJson.h"
#include "base/FileDescriptor.h"
#include "base/FileUtils.h"
#include "base/SystemFileCalls.h"
#include "model/ProjectFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace umbrascope {

namespace {

// Far more than any project's JSON (a session of thousands of events is a few megabytes), and
// little enough to read into memory: a device or a wrong file cannot fill it.
constexpr std::size_t LargestJson = std::size_t{256} << 20;

// The whole text, or empty when the file is larger than LargestJson. Read in order, so that a
// pipe will do. Throws IoError.
std::optional<std::string> ReadBoundedText(const std::string& path) {
    const FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid())
        ThrowSystemError(errno);
    std::string text;
    std::vector<char> piece(1 << 20);
    for (;;) {
        const ssize_t got = read(fd.get(), piece.data(), piece.size());
        if (got < 0 && errno == EINTR) {
            ThrowIfInterrupted();
            continue;
        }
        if (got < 0)
            ThrowSystemError(errno);
        if (got == 0)
            return text;
        if (text.size() + static_cast<std::size_t>(got) > LargestJson)
            return std::nullopt;
        text.append(piece.data(), static_cast<std::size_t>(got));
        ThrowIfInterrupted();
    }
}

} // namespace

int RunImportJsonCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2)
        return Fail("usage: umbrascope --import-json IN.json OUT.usp");
    if (const auto refusal = RefuseOutputThatIsInput(arguments[0], arguments[1]))
        return Fail(*refusal);
    CatchInterruptions();
    std::optional<std::string> text;
    try {
        text = ReadBoundedText(arguments[0]);
    } catch (const IoError& error) {
        return Fail(arguments[0] + ": " + error.what());
    }
    if (!text)
        return Fail(arguments[0] + ": larger than 256 MB, which no project's JSON is; nothing "
                                   "was written");
    Session contents;
    if (const auto problem = ProjectFromJson(*text, contents))
        return Fail(arguments[0] + ": " + *problem + "; nothing was written");
    if (const auto refusal = RefuseOutputOverSession(contents, WrittenProjectFileName(arguments[1]),
                                                     arguments[1], true))
        return Fail(*refusal);
    try {
        WriteFileReplacing(arguments[1], ProjectBytes(contents), CommandWriteOptions(arguments[1]));
    } catch (const IoError& error) {
        return Fail(arguments[1] + ": " + error.what());
    }
    return 0;
}

} // namespace umbrascope
