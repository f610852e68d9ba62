#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>

namespace umbrascope {

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
        "--export-audio " + project + " " + wav.string() + " --bits 20",
        "--export-audio " + project + " " + wav.string() + " --bits",
        "--export-audio " + project,
        "--export-audio " + project + " " + (folder.Path() / "out.mp3").string(),
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

    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "out.mp3"));
    EXPECT_NE(Umbrascope(cases[9], folder).err.find(".wav or .flac"), std::string::npos);

    const auto wrong = folder.Write("wrong.usp", "not a project");
    const ProgramRun run =
        Umbrascope("--export-audio " + wrong.string() + " " + wav.string(), folder);
    EXPECT_NE(run.err.find("Неверный формат файла"), std::string::npos);
}

TEST(ExportAudio, SoundTooLongForAWaveFileIsRefusedInEnglishBeforeAnythingIsWritten) {
    ScratchFolder folder;
    // 192000 frames of 6 bytes a second pass 4 GB after 62 minutes.
    const auto project = MakeProject(folder, R"({"SessionLength": 3800000})");
    const auto wav = folder.Path() / "out.wav";
    const ProgramRun run = Umbrascope(
        "--export-audio " + project + " " + wav.string() + " --rate 192000 --bits 24", folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("out.wav: The sound is too long for a WAV file; export a shorter"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(HasTemporaryOf(folder.Path(), "out.wav"));
    EXPECT_FALSE(std::filesystem::exists(wav));
}

TEST(ExportAudio, FlacAnd24BitFilesHoldTheSameSoundAsTheWaveFile) {
    ScratchFolder folder;
    const auto project = MakeProject(
        folder, R"({"SessionLength": 1000, "StartValues": {"Waves": [".&01%8@260@50"]}})");
    const auto path = [&](const char* name) { return (folder.Path() / name).string(); };
    for (const char* options : {"w16.wav --no-dither", "w24.wav --bits 24 --no-dither",
                                "f16.FLAC --no-dither", "f24.flac --bits 24 --no-dither"}) {
        const ProgramRun run =
            Umbrascope("--export-audio " + project + " " + path("") + options, folder);
        ASSERT_EQ(run.status, 0) << options << run.err;
    }
    const std::string w24 = ReadWholeFile(path("w24.wav"));
    EXPECT_EQ(U32At(w24, 28), 44100u * 6) << "bytes per second";
    EXPECT_EQ(U32At(w24, 32) & 0xFFFF, 6u) << "block alignment";
    EXPECT_EQ(U32At(w24, 32) >> 16, 24u) << "bits";
    // sox decodes each file as raw samples of its own width.
    const auto decoded = [&](const std::string& file, int bits) {
        const auto raw = folder.Path() / (file + ".raw");
        const std::string command = "sox '" + path(file.c_str()) + "' -t raw -e signed -b " +
                                    std::to_string(bits) + " '" + raw.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return ReadWholeFile(raw);
    };
    const std::string samples16 = ReadWholeFile(path("w16.wav")).substr(44);
    const std::string samples24 = w24.substr(44);
    EXPECT_EQ(decoded("f16.FLAC", 16), samples16);
    EXPECT_EQ(decoded("f24.flac", 24), samples24);
    ASSERT_EQ(samples24.size(), samples16.size() / 2 * 3);
    for (std::size_t i = 0; i < samples16.size() / 2; ++i) {
        const int wide = static_cast<std::int8_t>(samples24[i * 3 + 2]) * 65536 +
                         static_cast<std::uint8_t>(samples24[i * 3 + 1]) * 256 +
                         static_cast<std::uint8_t>(samples24[i * 3]);
        const int narrow = static_cast<std::int16_t>(static_cast<std::uint8_t>(samples16[i * 2]) |
                                                     samples16[i * 2 + 1] << 8);
        ASSERT_NEAR(wide / 256.0, narrow, 0.5) << "sample " << i;
    }
}

TEST(ExportAudio, AHangUpOrAKillLeavesNoTemporaryFile) {
    ScratchFolder folder;
    const auto project = MakeProject(
        folder, R"({"SessionLength": 3600000, "StartValues": {"Waves": [".&04%440@0@100"]}})");
    const auto wav = folder.Path() / "out.wav";
    EXPECT_EQ(InterruptWhileWriting({"--export-audio", project, wav.string()}, wav, SIGHUP), 1);
    // A kill cannot be caught: the file being written must have no name to leave behind.
    EXPECT_EQ(InterruptWhileWriting({"--export-audio", project, wav.string()}, wav, SIGKILL), -1);
    EXPECT_FALSE(HasTemporaryOf(folder.Path(), "out.wav"));
    EXPECT_FALSE(std::filesystem::exists(wav));
}

} // namespace umbrascope
