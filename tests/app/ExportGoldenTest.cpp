// Pins the exported sound of a few sessions byte for byte, so that a change of structure that
// is meant to keep the sound cannot change it unnoticed. A mismatch leaves the actual output
// beside the expected file's name in the build folder (NAME.actual.wav); a deliberate change
// of the sound is taken over with UMBRASCOPE_UPDATE_GOLDEN=1.

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace umbrascope {

namespace fs = std::filesystem;

namespace {

struct GoldenExport {
    const char* name;
    const char* options; // after OUT.wav
    int rate;
};

const GoldenExport Exports[] = {
    {"tones", "--rate 44100", 44100},
    {"media", "--from 300 --to 2300 --rate 48000", 48000},
    {"edges", "--from 1000 --to 3000 --rate 22050", 22050},
};

fs::path SourceFolder() {
    return fs::path(std::getenv("UMBRASCOPE_SOURCE_DIR")) / "tests" / "golden";
}

// The frame where two exports first differ, as a time the reader can find in the session.
std::string FirstDifference(const std::string& expected, const std::string& actual, int rate) {
    constexpr std::size_t Header = 44;
    const std::size_t common = std::min(expected.size(), actual.size());
    std::size_t at = Header;
    while (at < common && expected[at] == actual[at])
        ++at;
    if (at == common && expected.size() == actual.size())
        return "no difference";
    const std::size_t frame = at < Header ? 0 : (at - Header) / 4;
    return "first difference at byte " + std::to_string(at) + " (frame " + std::to_string(frame) +
           ", " + std::to_string(frame * 1000 / static_cast<std::size_t>(rate)) +
           " ms into the export); sizes " + std::to_string(expected.size()) + " and " +
           std::to_string(actual.size());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace

TEST(ExportGolden, SessionsSoundAsPinned) {
    ScratchFolder folder;
    // Media named in the sessions are found beside the project, whatever folder they name.
    const fs::path script =
        fs::path(std::getenv("UMBRASCOPE_SOURCE_DIR")) / "tests/fixtures/make-sound-fixtures.sh";
    ASSERT_EQ(std::system((script.string() + " '" + folder.Path().string() + "'").c_str()), 0);
    const bool update = std::getenv("UMBRASCOPE_UPDATE_GOLDEN") != nullptr;
    for (const GoldenExport& golden : Exports) {
        SCOPED_TRACE(golden.name);
        const std::string name = golden.name;
        const auto project = folder.Path() / (name + ".usp");
        const auto wav = folder.Path() / (name + ".wav");
        ProgramRun run =
            Umbrascope("--import-json " + (SourceFolder() / (name + ".json")).string() + " " +
                           project.string(),
                       folder);
        ASSERT_EQ(run.status, 0) << run.err;
        run = Umbrascope("--export-audio " + project.string() + " " + wav.string() + " " +
                             golden.options,
                         folder);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string actual = ReadWholeFile(wav);
        const fs::path expectedPath = SourceFolder() / (name + ".wav");
        if (update)
            WriteFile(expectedPath, actual);
        const std::string expected = ReadWholeFile(expectedPath);
        if (actual != expected) {
            const fs::path kept = fs::path(std::getenv("UMBRASCOPE_BUILD_DIR")) / "test-data" /
                                  (name + ".actual.wav");
            fs::create_directories(kept.parent_path());
            WriteFile(kept, actual);
            ADD_FAILURE() << name << ": the export differs from " << expectedPath << "; "
                          << FirstDifference(expected, actual, golden.rate)
                          << ". Actual output: " << kept;
        }
    }
}

} // namespace umbrascope
