#include "model/ProjectFile.h"
#include "TestFiles.h"
#include "base/FileUtils.h"
#include "base/InPlaceRewrite.h"
#include "model/Cp1251.h"
#include "model/EventCatalogue.h"
#include "model/MediaPath.h"
#include "model/ProjectLoader.h"
#include "model/Session.h"
#include "model/SessionState.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace umbrascope {

namespace {

ino_t InodeOf(const std::filesystem::path& file) {
    struct stat info {};
    stat(file.c_str(), &info);
    return info.st_ino;
}

// Builds project bytes by hand, independently of the writer under test.
struct Bytes {
    std::string data = "USP 4.1 ";
    Bytes& Line(const std::string& text) {
        data += text + "\n";
        return *this;
    }
    Bytes& U8(unsigned v) {
        data += static_cast<char>(v);
        return *this;
    }
    Bytes& U16(unsigned v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
    Bytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
};

// The default start values of a new project, as a file holds them, up to the track count.
Bytes DefaultsBeforeTracks(Bytes b) {
    return b.U8(1)
        .Line("Arial")
        .U8(0)
        .U32(0)
        .U8(1)
        .U32(0xFFFFFF)
        .U8(0)
        .U8(5)
        .U8(100)
        .U32(50)
        .U32(1000)
        .Line("")
        .U8(1)
        .U8(100);
}

Bytes DefaultsAfterTracks(Bytes b) {
    return b.U8(1)
        .U8(1)
        .U32(0x80)
        .U32(8000)
        .U32(0xFF)
        .U32(0xFF0000)
        .U16(88)
        .U16(10)
        .U8(0)
        .U32(0x800000)
        .U32(0xF0CAA6)
        .U16(4)
        .U16(15)
        .U8(2)
        .U32(0x80)
        .U32(0xFFFF)
        .U32(2000)
        .U16(20);
}

ProjectReadResult ReadBytes(const std::string& bytes, Session& contents) {
    ScratchFolder folder;
    TFile file(folder.Write("p.usp", bytes));
    return ReadProject(file, contents);
}

class ProjectFile : public ::testing::Test {
protected:
    ScratchFolder folder;
};

} // namespace

TEST_F(ProjectFile, AHandBuiltFileReadsFieldByFieldAndWritesBackTheSameBytes) {
    Bytes b;
    b.Line("Session")
        .Line("Author")
        .Line(std::string("a\x01\x00"
                          "b",
                          4))
        .U32(1800000);
    b = DefaultsBeforeTracks(b);
    b.U32(2).Line(".&01%8@260@100").Line("C:\\Sounds\\rain.mp3");
    b = DefaultsAfterTracks(b);
    const std::string videoType = EventTypeName(EventKind::VideoType);
    b.U32(2).Line(videoType).U32(600000).Line("3").Line("Unknown").U32(0xFFFFFFFF).Line("");

    Session read;
    ASSERT_EQ(ReadBytes(b.data, read), ProjectReadResult::Read);
    EXPECT_EQ(read.SessionName, "Session");
    EXPECT_EQ(read.SessionDescription, "a\r\nb");
    EXPECT_EQ(read.SessionLength, 1800000);
    TSessionValues expected;
    expected.Waves = {".&01%8@260@100", "C:\\Sounds\\rain.mp3"};
    EXPECT_EQ(read.StartValues, expected);
    ASSERT_EQ(read.Events.size(), 2u);
    EXPECT_EQ(read.Events[0], (TSessionEvent{videoType, 600000, "3"}));
    EXPECT_EQ(read.Events[1], (TSessionEvent{"Unknown", -1, ""}));
    EXPECT_EQ(ProjectBytes(read), b.data);
}

TEST_F(ProjectFile, JustTheMagicGivesAnEmptyZeroSession) {
    Session read;
    ASSERT_EQ(ReadBytes("USP 4.1 ", read), ProjectReadResult::Truncated);
    EXPECT_EQ(read.SessionLength, 0);
    EXPECT_TRUE(read.SessionName.empty());
    EXPECT_FALSE(read.StartValues.TextEnabled);
    EXPECT_TRUE(read.StartValues.FontName.empty());
    EXPECT_EQ(read.StartValues.SpiralSpeed, 0);
    EXPECT_TRUE(read.StartValues.Waves.empty());
    EXPECT_TRUE(read.Events.empty());
}

TEST_F(ProjectFile, WrongMagicIsRefusedAndChangesNothing) {
    Session untouched;
    untouched.SessionName = "keep";
    EXPECT_EQ(ReadBytes("usp 4.1 whatever", untouched), ProjectReadResult::WrongFormat);
    EXPECT_EQ(ReadBytes("USP 4.0 ", untouched), ProjectReadResult::WrongFormat);
    EXPECT_EQ(ReadBytes("USP 4.1", untouched), ProjectReadResult::WrongFormat);
    EXPECT_EQ(ReadBytes("", untouched), ProjectReadResult::WrongFormat);
    EXPECT_EQ(untouched.SessionName, "keep");

    const auto path = folder.Write("wrong.usp", "USP 4.2 and more");
    EXPECT_EQ(OpenProjectFile(ModelPath(path)), std::nullopt);
}

TEST_F(ProjectFile, CrLfLineEndsAndStrayCarriageReturnsAreAccepted) {
    Bytes b;
    b.data += "Na\rme\r\nAuthor\r\n\r\n";
    b.U32(600000);
    Session read;
    ASSERT_EQ(ReadBytes(b.data, read), ProjectReadResult::Truncated);
    EXPECT_EQ(read.SessionName, "Name");
    EXPECT_EQ(read.SessionAuthor, "Author");
    EXPECT_EQ(read.SessionDescription, "");
    EXPECT_EQ(read.SessionLength, 600000);
}

TEST_F(ProjectFile, TruncatedFilesLoadWithZerosAndEmptyTexts) {
    Bytes full;
    full.Line("S").Line("A").Line("D").U32(300000);
    full = DefaultsBeforeTracks(full);
    full.U32(3).Line("one");
    Session read;
    ScratchFolder files;
    TFile cut(files.Write("cut.usp", full.data));
    ProjectGap gap;
    ASSERT_EQ(ReadProject(cut, read, &gap), ProjectReadResult::Truncated);
    EXPECT_EQ(gap.part, ProjectGap::Part::Tracks);
    EXPECT_EQ(gap.entriesRead, 1);
    EXPECT_EQ(gap.entriesStated, 3);
    EXPECT_EQ(read.StartValues.Waves, (std::vector<std::string>{"one", "", ""}));
    EXPECT_FALSE(read.StartValues.VideoEnabled);
    EXPECT_EQ(read.StartValues.CirclesWidth, 0);
    EXPECT_TRUE(read.Events.empty());

    // Cut in the middle of a 4-byte number: the bytes present are kept, the rest are zero.
    ASSERT_EQ(ReadBytes(std::string("USP 4.1 \n\n\n\x10\x27", 13), read),
              ProjectReadResult::Truncated);
    EXPECT_EQ(read.SessionLength, 10000);

    // Whole files end after the event count, or after the last event's line feed, and may
    // have bytes after that; a last line without its line feed was cut.
    full.data.resize(full.data.size() - 8);
    full.U32(0);
    full = DefaultsAfterTracks(full);
    Bytes noEvents = full;
    noEvents.U32(0);
    EXPECT_EQ(ReadBytes(noEvents.data, read), ProjectReadResult::Read);
    EXPECT_EQ(ReadBytes(noEvents.data + "trailing", read), ProjectReadResult::Read);
    Bytes oneEvent = full;
    oneEvent.U32(1).Line("type").U32(5).Line("value");
    EXPECT_EQ(ReadBytes(oneEvent.data, read), ProjectReadResult::Read);
    oneEvent.data.pop_back();
    EXPECT_EQ(ReadBytes(oneEvent.data, read), ProjectReadResult::Truncated);
}

TEST_F(ProjectFile, ImpossibleCountsAreRefused) {
    Bytes negative;
    negative.Line("").Line("").Line("").U32(1000);
    negative = DefaultsBeforeTracks(negative);
    negative.U32(0xFFFFFFFF);
    Session read;
    read.SessionName = "keep";
    EXPECT_EQ(ReadBytes(negative.data, read), ProjectReadResult::WrongFormat);

    Bytes huge;
    huge.Line("").Line("").Line("").U32(1000);
    huge = DefaultsBeforeTracks(huge);
    huge.U32(0);
    huge = DefaultsAfterTracks(huge);
    huge.U32(0x7FFFFFFF).Line("x");
    EXPECT_EQ(ReadBytes(huge.data, read), ProjectReadResult::WrongFormat);

    // Fewer events than the file has bytes, but more than the bytes after the count can hold.
    Bytes crowded = huge;
    crowded.data.resize(crowded.data.size() - 6);
    crowded.U32(40).Line("type").U32(0).Line("value");
    EXPECT_EQ(ReadBytes(crowded.data, read), ProjectReadResult::WrongFormat);
    EXPECT_EQ(read.SessionName, "keep");
}

TEST_F(ProjectFile, SaveThenOpenGivesTheSameSession) {
    Session saved;
    saved.SessionName = Cp1251Literal("Сеанс «вечер»");
    saved.SessionDescription = "line one\r\nline two\nthree\r";
    saved.SessionLength = 3600000;
    saved.StartValues.Waves = {".&04%1000.5@2@35", Cp1251Literal("/home/я/звук.wav")};
    saved.StartValues.TextColor = 0x00ABCDEF;
    saved.StartValues.SpiralSpeed = 65535;
    saved.StartValues.FlickerFreq = -5;
    InsertEvent(saved.Events, {EventTypeName(EventKind::AddTrack), 10000, ".&03%0@500"});
    InsertEvent(saved.Events, {EventTypeName(EventKind::TextTransparency), -20, "300"});
    const auto path = ModelPath(folder.Path() / "session.usp");
    SaveProjectFile(path, saved);

    EXPECT_EQ(OpenProjectFile(path), saved);
    EXPECT_EQ(ReadWholeFile(FileSystemPath(path)), ProjectBytes(saved));
}

TEST_F(ProjectFile, OpeningWhatCannotBeReadRaisesTheSystemsMessage) {
    EXPECT_THROW(OpenProjectFile(ModelPath(folder.Path() / "missing.usp")), IoError);
    EXPECT_THROW(OpenProjectFile(ModelPath(folder.Path())), IoError);
}

TEST_F(ProjectFile, AFailedSaveLeavesThePreviousFileAndNoTemporaryFile) {
    const auto target = folder.Write("keep.usp", "previous contents");
    chmod(target.c_str(), 0640);
    Session session;
    session.SessionDescription.assign(100000, 'x');

    {
        const FileSizeLimit small(4096);
        EXPECT_THROW(SaveProjectFile(ModelPath(target), session), IoError);
    }

    EXPECT_EQ(ReadWholeFile(target), "previous contents");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);

    SaveProjectFile(ModelPath(target), session);
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadWholeFile(target), ProjectBytes(session));
}

TEST_F(ProjectFile, SavingIntoAMissingFolderFailsCleanly) {
    EXPECT_THROW(SaveProjectFile(ModelPath(folder.Path() / "no" / "such.usp"), Session{}), IoError);
}

TEST_F(ProjectFile, LoadingMakesTheProjectPathAbsoluteAndAFailureGivesANewProject) {
    Session stored;
    stored.SessionName = "stored";
    const auto path = folder.Write("p.usp", ProjectBytes(stored));
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const ProjectLoad load = LoadProject("./sub/../p.usp");
    std::filesystem::current_path(cwd);
    ASSERT_TRUE(load.Opened()) << load.message.Text();
    EXPECT_EQ(load.session, stored);
    EXPECT_EQ(load.projectFileName, ModelPath(path)) << "media are looked for beside the project";

    const ProjectLoad wrong = LoadProject(folder.Write("w.usp", "not a project"));
    EXPECT_EQ(wrong.outcome, ProjectLoad::Outcome::WrongFormat);
    EXPECT_EQ(wrong.message.Text(), WrongFormatMessage.source);
    EXPECT_EQ(wrong.session, Session{});
    EXPECT_TRUE(wrong.projectFileName.empty());
    EXPECT_EQ(LoadProject(folder.Path() / "missing.usp").outcome, ProjectLoad::Outcome::Unreadable);
}

TEST_F(ProjectFile, OpeningAProjectWhoseRewriteWasCutOffRestoresItOrSaysWhereTheBackupIs) {
    Session stored;
    stored.SessionName = "before the cut";
    // A rewrite in place killed part way: the target holds the start of the new bytes, the
    // backup beside it all of the old ones.
    const auto path = folder.Write("p.usp", "USP 4.1 half of the new byt");
    const std::string backup = BackupName("p.usp", InodeOf(path));
    folder.Write(backup, ProjectBytes(stored));
    chmod((folder.Path() / backup).c_str(), 0600);
    const ProjectLoad load = LoadProject(path);
    ASSERT_TRUE(load.Opened()) << load.message.Text();
    EXPECT_EQ(load.session, stored);
    EXPECT_NE(load.recovery.Text().find("восстановлено"), std::string::npos)
        << load.recovery.Text();
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / backup));

    // The file replaced by another since: its backup is not put into it, but named.
    const std::string stale = BackupName("p.usp", InodeOf(path) + 1);
    folder.Write(stale, "old bytes");
    chmod((folder.Path() / stale).c_str(), 0600);
    const ProjectLoad replaced = LoadProject(path);
    EXPECT_EQ(replaced.session, stored);
    EXPECT_NE(replaced.recovery.Text().find((folder.Path() / stale).string()), std::string::npos)
        << replaced.recovery.Text();
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / stale));
}

} // namespace umbrascope
