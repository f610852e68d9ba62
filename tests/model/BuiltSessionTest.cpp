// Built sessions: every medium a session names travels inside the built file, the session
// plays from the bundled copies once the originals are gone, and the project comes back out
// beside its media.

#include "model/BuiltSession.h"
#include "TestFiles.h"
#include "base/FileUtils.h"
#include "model/Cp1251.h"
#include "model/MediaPath.h"
#include "model/ProjectFile.h"
#include "model/Session.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace umbrascope {

namespace {

const std::string AddTrack = Cp1251Literal("Аудиосопровождение -> Добавить аудиотрек");
const std::string RemoveTrack = Cp1251Literal("Аудиосопровождение -> Убрать аудиотрек");
const std::string PhraseFile = Cp1251Literal("Текстовые фразы -> Файл");

std::string Contents(const std::string& modelPath) {
    return ReadWholeFile(FileSystemPath(modelPath));
}

class BuiltSessions : public ::testing::Test {
protected:
    // Two different files of one name, one of them found only beside the project (folder b),
    // a removal that names its track in other letter case, and a phrase file that is nowhere.
    void SetUp() override {
        for (const char* name : {"a", "b"})
            std::filesystem::create_directory(source.Path() / name);
        contents.SessionLength = 60000;
        contents.StartValues.PhraseFile = ModelPath(source.Write("a/phrases.txt", "one\ntwo\n"));
        contents.StartValues.Waves = {".&04%440@0@50",
                                      ModelPath(source.Write("a/loop.wav", "first loop"))};
        source.Write("b/loop.wav", "second loop");
        contents.Events = {{AddTrack, 1000, "C:\\Sounds\\loop.wav"},
                           {RemoveTrack, 2000, AnsiUpperCase(contents.StartValues.Waves[1])},
                           {PhraseFile, 3000, "/nowhere/gone.txt"}};
        built = target.Path() / "session.run";
        const auto leftOut = BuildSessionFile(contents, ModelPath(source.Path() / "b"),
                                              target.Write("program", "#!/bin/sh\n"), built)
                                 .leftOut;
        EXPECT_EQ(leftOut, std::vector<std::string>{"/nowhere/gone.txt"});
        index = ReadBundleIndex(built);
        ASSERT_TRUE(index.IsBundle()) << index.problem;
    }

    ScratchFolder source;
    ScratchFolder target;
    Session contents;
    std::filesystem::path built;
    BundleIndex index;
};

TEST_F(BuiltSessions, MediaPlayFromTheirBundledCopiesOnceTheOriginalsAreGone) {
    std::filesystem::remove_all(source.Path() / "a");
    std::filesystem::remove_all(source.Path() / "b");
    std::filesystem::path unpacked;
    {
        const BuiltSessionLoad opened = LoadBuiltSession(built, index, BundledMedia::Unpacked);
        ASSERT_TRUE(opened.load.Opened()) << opened.load.message.Text();
        unpacked = opened.media->Path();
        const Session& read = opened.load.session;
        EXPECT_EQ(Contents(read.StartValues.PhraseFile), "one\ntwo\n");
        EXPECT_EQ(Contents(read.StartValues.Waves[1]), "first loop");
        EXPECT_EQ(Contents(read.Events[0].EventValue), "second loop");
        EXPECT_EQ(ExtractFileName(read.Events[0].EventValue), "loop (2).wav");
        EXPECT_EQ(read.Events[1].EventValue, read.StartValues.Waves[1])
            << "the removal names its track";

        // Nothing but the media paths has changed.
        Session expected = contents;
        expected.StartValues.PhraseFile = read.StartValues.PhraseFile;
        expected.StartValues.Waves[1] = read.StartValues.Waves[1];
        expected.Events[0].EventValue = read.Events[0].EventValue;
        expected.Events[1].EventValue = read.Events[1].EventValue;
        EXPECT_EQ(read, expected);
    }
    EXPECT_FALSE(std::filesystem::exists(unpacked)) << "the copies go with the session";
}

TEST_F(BuiltSessions, UnpackedMediaAreReadFromTheirCopiesEvenWhenTheFolderIsSwapped) {
    const BuiltSessionLoad opened = LoadBuiltSession(built, index, BundledMedia::Unpacked);
    ASSERT_TRUE(opened.load.Opened()) << opened.load.message.Text();
    // What whoever owns the temporary folder could do while the session plays.
    const std::filesystem::path unpacked = opened.media->Path();
    const std::filesystem::path away = unpacked.string() + ".away";
    std::filesystem::rename(unpacked, away);
    std::filesystem::create_directory(unpacked);
    std::ofstream(unpacked / "loop.wav") << "planted";
    EXPECT_EQ(Contents(opened.load.session.StartValues.Waves[1]), "first loop");
    std::filesystem::remove_all(unpacked);
    std::filesystem::remove_all(away);
}

TEST_F(BuiltSessions, TheProjectComesBackOutBesideItsMediaWithoutOverwritingAnything) {
    const std::filesystem::path back = target.Path() / "back.usp";
    ASSERT_EQ(ExtractBuiltProject(built, index, back), std::nullopt);
    TFile file(back);
    Session extracted;
    ASSERT_EQ(ReadProject(file, extracted), ProjectReadResult::Read);
    EXPECT_EQ(extracted.StartValues.Waves[1], ModelPath(target.Path() / "loop.wav"));
    EXPECT_EQ(Contents(extracted.Events[0].EventValue), "second loop");
    EXPECT_EQ(extracted.Events[2].EventValue, "/nowhere/gone.txt");

    const auto refusal = ExtractBuiltProject(built, index, target.Path() / "again.usp");
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find("loop.wav"), std::string::npos) << *refusal;
    EXPECT_FALSE(std::filesystem::exists(target.Path() / "again.usp"));
}

TEST_F(BuiltSessions, ALinkPlantedWhileMediaAreExtractedReceivesNothing) {
    // The bundle's author may name a medium as a file of the user's and plant a link of that
    // name between the check for existing files and the writing.
    const auto precious = target.Write("precious.txt", "the user's own");
    std::size_t copied = 0;
    const auto plant = [&] {
        if (++copied == index.entries.size()) // while the last medium is copied
            std::filesystem::create_symlink(precious, target.Path() / "loop.wav");
    };
    EXPECT_THROW(ExtractBuiltProject(built, index, target.Path() / "back.usp", plant), IoError);
    EXPECT_EQ(ReadWholeFile(precious), "the user's own");
    for (const char* name : {"back.usp", "phrases.txt", "loop (2).wav"})
        EXPECT_FALSE(std::filesystem::exists(target.Path() / name)) << name;
}

TEST_F(BuiltSessions, AMediumThatOpensButCannotBeReadIsLeftOutAndNamed) {
    contents.StartValues.Waves.push_back("/proc/self/mem");
    const auto again = target.Path() / "again.run";
    const auto built = BuildSessionFile(contents, ModelPath(source.Path() / "b"),
                                        target.Path() / "program", again);
    // A file of the system is never bundled, whatever it would give.
    EXPECT_EQ(built.leftOut, std::vector<std::string>{"/nowhere/gone.txt"});
    EXPECT_EQ(built.systemFiles, std::vector<std::string>{"/proc/self/mem"});
    const BundleIndex rebuilt = ReadBundleIndex(again);
    ASSERT_TRUE(rebuilt.IsBundle()) << rebuilt.problem;
    EXPECT_EQ(rebuilt.entries.size(), index.entries.size());
}

TEST_F(BuiltSessions, ProgressCountsToTheWholeFileAndAnAbandonedBuildLeavesNothing) {
    const auto again = target.Path() / "again.run";
    std::uint64_t lastDone = 0;
    std::uint64_t lastTotal = 0;
    BuildSessionFile(contents, ModelPath(source.Path() / "b"), target.Path() / "program", again,
                     [&](std::uint64_t done, std::uint64_t total) {
                         EXPECT_GE(done, lastDone);
                         lastDone = done;
                         lastTotal = total;
                     });
    EXPECT_EQ(lastDone, lastTotal) << "the progress ends at the whole";
    EXPECT_EQ(lastDone, std::filesystem::file_size(again));

    struct Abandoned {};
    const auto abandoned = target.Path() / "abandoned.run";
    EXPECT_THROW(BuildSessionFile(contents, "", target.Path() / "program", abandoned,
                                  [](std::uint64_t done, std::uint64_t) {
                                      if (done > 4)
                                          throw Abandoned{};
                                  }),
                 Abandoned);
    EXPECT_FALSE(std::filesystem::exists(abandoned));
    for (const auto& entry : std::filesystem::directory_iterator(target.Path()))
        EXPECT_NE(entry.path().filename().string().rfind(".abandoned", 0), 0u)
            << "a temporary file is left: " << entry.path();
}

// Media enough for empty entries in bulk, or for one more than a bundle may hold.
class CrowdedSessions : public ::testing::Test {
protected:
    Session WithEmptyMedia(std::size_t count) const {
        Session session;
        for (std::size_t i = 0; i < count; ++i)
            session.StartValues.Waves.push_back(
                ModelPath(folder.Write(std::to_string(i) + ".wav", "")));
        return session;
    }

    ScratchFolder folder;
    const std::filesystem::path program = folder.Write("program", "#!/bin/sh\n");
};

TEST_F(CrowdedSessions, EachEmptyEntryHearsAnInterruption) {
    const auto built = folder.Path() / "s.run";
    BuildSessionFile(WithEmptyMedia(200), "", program, built);
    struct Interrupted {};
    int checks = 0;
    EXPECT_THROW(LoadBuiltSession(built, ReadBundleIndex(built), BundledMedia::Unpacked,
                                  [&checks] {
                                      if (++checks == 100)
                                          throw Interrupted{};
                                  }),
                 Interrupted);
}

TEST_F(CrowdedSessions, TheBuilderRefusesMoreMediaThanABundleHoldsNamingTheBound) {
    // One file under 64 x 64 spellings, each a medium of its own: quicker than 4096 files.
    Session session;
    folder.Write("sound.wav", "");
    for (int i = 0; i < 64; ++i)
        std::filesystem::create_directory_symlink(folder.Path(), folder.Path() / std::to_string(i));
    for (int i = 0; i < 64; ++i)
        for (int j = 0; j < 64; ++j)
            session.StartValues.Waves.push_back(
                ModelPath(folder.Path() / std::to_string(i) / std::to_string(j) / "sound.wav"));
    const auto target = folder.Path() / "s.run";
    try {
        BuildSessionFile(session, "", program, target);
        ADD_FAILURE() << "built";
    } catch (const IoError& error) {
        EXPECT_NE(std::string(error.what()).find("4095"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(std::filesystem::exists(target));
}

} // namespace

} // namespace umbrascope
