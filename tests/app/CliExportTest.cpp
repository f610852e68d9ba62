#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

namespace {

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

} // namespace

TEST(ExportAudio, WritesAWaveFileOfTheWholeSessionAndCountsClipping) {
    ScratchFolder folder;
    const auto project = MakeProject(
        folder, R"({"SessionLength": 2000, "StartValues": {"Waves": [".&04%440@0@100"]}})");
    const auto wav = folder.Path() / "out.wav";
    const ProgramRun run =
        Umbrascope("--export-audio " + project + " " + wav.string() + " --rate 22050", folder);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Clipped samples: 0\n");
    const std::string bytes = ReadWholeFile(wav);
    ASSERT_EQ(bytes.size(), 44u + 2 * 22050 * 4);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(U32At(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(U32At(bytes, 24), 22050u);
    EXPECT_EQ(U32At(bytes, 28), 22050u * 4);
    EXPECT_EQ(bytes.substr(36, 4), "data");
    EXPECT_EQ(U32At(bytes, 40), 2u * 22050 * 4);
}

TEST(ExportAudio, FailuresSayWhyAndLeaveNoFileBehind) {
    ScratchFolder folder;
    const auto project = MakeProject(folder, R"({"SessionLength": 1000})");
    const auto wav = folder.Path() / "out.wav";
    const std::string cases[] = {
        "--export-audio " + (folder.Path() / "missing.usp").string() + " " + wav.string(),
        "--export-audio " + project + " " + (folder.Path() / "no" / "out.wav").string(),
        "--export-audio " + project + " " + wav.string() + " --from 1000",
        "--export-audio " + project + " " + wav.string() + " --to 500 --from 600",
        "--export-audio " + project + " " + wav.string() + " --rate 100",
        "--export-audio " + project + " " + wav.string() + " --speed 2",
        "--export-audio " + project,
    };
    for (const auto& arguments : cases) {
        const ProgramRun run = Umbrascope(arguments, folder);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_FALSE(run.err.empty()) << arguments;
        EXPECT_FALSE(std::filesystem::exists(wav)) << arguments;
    }
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path()))
        files += entry.path().filename().string().starts_with(".out.wav") ? 1 : 0;
    EXPECT_EQ(files, 0u) << "no temporary file is left";

    const auto wrong = folder.Write("wrong.usp", "not a project");
    const ProgramRun run =
        Umbrascope("--export-audio " + wrong.string() + " " + wav.string(), folder);
    EXPECT_NE(run.err.find("Неверный формат файла"), std::string::npos);
}

TEST(ExportAudio, AHangUpEndsTheExportWithoutLeavingItsTemporaryFile) {
    ScratchFolder folder;
    const auto project = MakeProject(
        folder, R"({"SessionLength": 3600000, "StartValues": {"Waves": [".&04%440@0@100"]}})");
    const auto wav = folder.Path() / "out.wav";
    EXPECT_EQ(InterruptWhileWriting({"--export-audio", project, wav.string()}, wav, SIGHUP), 1);
    EXPECT_FALSE(HasTemporaryOf(folder.Path(), "out.wav"));
    EXPECT_FALSE(std::filesystem::exists(wav));
}
