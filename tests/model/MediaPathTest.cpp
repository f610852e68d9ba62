#include "model/MediaPath.h"
#include "TestFiles.h"
#include "model/Cp1251.h"
#include "model/EventPlayhead.h"

#include <gtest/gtest.h>

namespace umbrascope {

TEST(MediaPath, WindowsPathsSplitAtEverySeparatorLinuxPathsAtSlashesOnly) {
    EXPECT_EQ(ExtractFileName("C:\\Sounds\\rain.mp3"), "rain.mp3");
    EXPECT_EQ(ExtractFileName("Sounds\\rain.mp3"), "rain.mp3");
    EXPECT_EQ(ExtractFileName("/home/u/rain.Wav"), "rain.Wav");
    EXPECT_EQ(ExtractFileName("D:rain.mp3"), "rain.mp3");
    EXPECT_EQ(ExtractFileName("/home/u/session 10:30.usp"), "session 10:30.usp");
    EXPECT_EQ(ExtractFileName("/home/u/a\\b.wav"), "a\\b.wav");
    EXPECT_EQ(ExtractFileDir("/home/u/session 10:30.usp"), "/home/u");
    EXPECT_EQ(ExtractFileName("rain"), "rain");
    EXPECT_EQ(ExtractFileExt("C:\\Sounds\\rain.mP3"), ".mP3");
    EXPECT_EQ(ExtractFileExt("C:\\my.sounds\\rain"), "");
    EXPECT_EQ(ExtractFileExt("/a.b/c.d.wav"), ".wav");
    EXPECT_EQ(ExtractFileDir("/home/u/p.usp"), "/home/u");
    EXPECT_EQ(ExtractFileDir("/p.usp"), "/");
    EXPECT_EQ(ExtractFileDir("C:\\p.usp"), "C:");
    EXPECT_EQ(ExtractFileDir("p.usp"), "");
}

TEST(MediaPath, GeneratorsAndExistingFilesAreUsableAsTheyStand) {
    std::string generator = ".&01%8@260@100";
    EXPECT_TRUE(ResolveMediaPath(generator, ""));
    EXPECT_EQ(generator, ".&01%8@260@100");

    ScratchFolder folder;
    std::string existing = ModelPath(folder.Write("a.wav", "x"));
    const std::string before = existing;
    EXPECT_TRUE(ResolveMediaPath(existing, ""));
    EXPECT_EQ(existing, before);
}

TEST(MediaPath, AMovedProjectFindsMediaBesideIt) {
    ScratchFolder folder;
    folder.Write(Cp1251ToUtf8(Cp1251Literal("дождь.mp3")), "x");
    std::filesystem::create_directory(folder.Path() / "sub.wav");

    std::string fromWindows = Cp1251Literal("C:\\Мои звуки\\дождь.mp3");
    EXPECT_FALSE(ResolveMediaPath(fromWindows, "")) << "a new project has no folder to look in";

    const std::string projectFolder =
        ProjectFolderOf(ModelPath(folder.Path() / "Сессия 10:30.usp"));
    EXPECT_TRUE(ResolveMediaPath(fromWindows, projectFolder));
    EXPECT_EQ(fromWindows, ModelPath(folder.Path() / "дождь.mp3"));

    folder.Write("a\\b.wav", "x");
    std::string backslashInName = "/old/place/a\\b.wav";
    EXPECT_TRUE(ResolveMediaPath(backslashInName, projectFolder));
    EXPECT_EQ(backslashInName, ModelPath(folder.Path() / "a\\b.wav"));

    std::string fromElsewhere = "/old/place/missing.mp3";
    EXPECT_FALSE(ResolveMediaPath(fromElsewhere, projectFolder));
    EXPECT_EQ(fromElsewhere, "/old/place/missing.mp3");

    std::string folderNotFile = "Z:\\sub.wav";
    EXPECT_FALSE(ResolveMediaPath(folderNotFile, projectFolder));
    std::string empty;
    EXPECT_FALSE(ResolveMediaPath(empty, projectFolder));
}

TEST(MediaPath, ARelativePathMeansRelativeToTheProjectWhereverTheProgramStarts) {
    ScratchFolder project, elsewhere;
    project.Write("ph.txt", "project's");
    std::filesystem::create_directory(project.Path() / "sub");
    project.Write("sub/a.wav", "x");
    elsewhere.Write("ph.txt", "the current folder's");
    const auto started = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.Path());
    const std::string folder = ModelPath(project.Path());
    std::string phrases = "ph.txt";
    const bool found = ResolveMediaPath(phrases, folder);
    std::string fromWindows = "sub\\a.wav";
    const bool foundInSub = ResolveMediaPath(fromWindows, folder);
    std::string newProject = "ph.txt";
    const bool foundWithoutFolder = ResolveMediaPath(newProject, "");
    std::filesystem::current_path(started);
    EXPECT_TRUE(found);
    EXPECT_EQ(phrases, folder + "/ph.txt");
    EXPECT_TRUE(foundInSub);
    EXPECT_EQ(fromWindows, folder + "/sub/a.wav");
    EXPECT_TRUE(foundWithoutFolder) << "a new project looks where it was started, as before";
    EXPECT_EQ(newProject, "ph.txt");
}

TEST(MediaPath, ARemovalNamesATrackWhateverTheLetterCaseOfEitherName) {
    const std::vector<TWaveEntry> waves{{*Utf8ToCp1251("/музыка/Дождь.wav"), 0},
                                        {".&04%440@0@100", 0}};
    const RemovalTarget target(*Utf8ToCp1251("/МУЗЫКА/дождь.WAV"), "/nowhere");
    EXPECT_EQ(FindLastRemovalMatch(waves, target), 0u);
}

} // namespace umbrascope
