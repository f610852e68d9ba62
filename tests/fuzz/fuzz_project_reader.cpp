// Feeds arbitrary bytes to the project reader. Whatever it accepts must write back to bytes
// that read again as the same session, and is then opened as the program opens it: every event
// applied and the track list described.

#include "base/FileUtils.h"
#include "model/ProjectFile.h"
#include "model/SessionState.h"
#include "model/TrackDescriptor.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace umbrascope {

namespace {

ProjectReadResult ReadFromBytes(const std::uint8_t* data, std::size_t size, Session& contents) {
    const int fd = memfd_create("project", 0);
    if (fd < 0)
        std::abort();
    if (size > 0 && write(fd, data, size) != static_cast<ssize_t>(size))
        std::abort();
    ProjectReadResult read = ProjectReadResult::WrongFormat;
    {
        TFile file("/proc/self/fd/" + std::to_string(fd));
        read = ReadProject(file, contents);
    }
    close(fd);
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Session first;
    if (ReadFromBytes(data, size, first) == ProjectReadResult::WrongFormat)
        return 0;
    const std::string bytes = ProjectBytes(first);
    Session second;
    // What the writer makes of a file, cut or whole, is a whole file.
    if (ReadFromBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), second) !=
        ProjectReadResult::Read)
        std::abort();
    // Booleans other than 0 and 1 read as true, so compare what the writer made of them.
    if (ProjectBytes(second) != bytes)
        std::abort();

    const SessionStateAt state =
        StateAt(first.StartValues, first.Events, std::numeric_limits<std::int32_t>::max());
    for (const auto& track : state.values.Waves)
        (void)TrackDisplayText(track.Track);
    return 0;
}

} // namespace umbrascope
