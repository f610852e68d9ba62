#include "base/ReplacingFile.h"
#include "base/FileUtils.h"
#include "tests/model/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace umbrascope {

namespace {

namespace fs = std::filesystem;

constexpr uid_t Nobody = 65534;

void Save(const fs::path& target, const std::string& bytes) {
    ReplacingFile file(target);
    file.Write(bytes.data(), bytes.size());
    file.Commit();
}

std::ptrdiff_t FilesIn(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

// Runs check in a child process under another user's identity; true when it returned true.
bool PassesAs(uid_t user, const std::function<bool()>& check) {
    const pid_t pid = fork();
    if (pid == 0) {
        bool passed = false;
        try {
            passed =
                setgroups(0, nullptr) == 0 && setgid(user) == 0 && setuid(user) == 0 && check();
        } catch (...) {
        }
        _exit(passed ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct stat StatOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info;
}

} // namespace

TEST(ReplacingFile, SymbolicLinksStayLinksAndHardLinksKeepSharingTheFile) {
    ScratchFolder folder;
    const auto linked = folder.Write("linked.usp", "previous");
    fs::create_symlink("linked.usp", folder.Path() / "link.usp");
    const auto shared = folder.Write("shared.usp", "previous");
    fs::create_hard_link(shared, folder.Path() / "other name.usp");

    Save(folder.Path() / "link.usp", "through the link");
    Save(shared, "for both names");

    EXPECT_TRUE(fs::is_symlink(folder.Path() / "link.usp"));
    EXPECT_EQ(ReadWholeFile(linked), "through the link");
    EXPECT_EQ(ReadWholeFile(folder.Path() / "other name.usp"), "for both names");
    EXPECT_EQ(FilesIn(folder.Path()), 4) << "no temporary or backup file is left";
}

TEST(ReplacingFile, AFailedRewriteInPlaceLeavesThePreviousBytes) {
    ScratchFolder folder;
    const auto shared = folder.Write("shared.usp", "previous");
    fs::create_hard_link(shared, folder.Path() / "other name.usp");
    ReplacingFile file(shared);
    const std::string bytes(10000, 'x');
    file.Write(bytes.data(), bytes.size());

    {
        const FileSizeLimit small(4096);
        EXPECT_THROW(file.Commit(), IoError);
    }

    EXPECT_EQ(ReadWholeFile(shared), "previous");
    EXPECT_EQ(StatOf(shared).st_nlink, 2u);
}

TEST(ReplacingFile, AFileTheUserMayNotWriteIsRefusedWithTheSystemsMessage) {
    ScratchFolder folder;
    const auto target = folder.Write("target.usp", "previous");
    const auto refused = [&] {
        try {
            Save(target, "new");
        } catch (const IoError& error) {
            return std::string(error.what()) == std::strerror(EACCES);
        }
        return false;
    };
    // Permission bits do not stop root, so root tries as another user on a file of its own,
    // in a folder that everyone may write: replacing the file through the folder would work.
    if (geteuid() == 0) {
        fs::permissions(folder.Path(), fs::perms::all);
        EXPECT_TRUE(PassesAs(Nobody, refused));
    } else {
        fs::permissions(target, fs::perms::owner_read);
        EXPECT_TRUE(refused());
    }
    EXPECT_EQ(ReadWholeFile(target), "previous");
    EXPECT_EQ(FilesIn(folder.Path()), 1);
}

TEST(ReplacingFile, SavingKeepsTheOwnerAndGroupOfAnotherUsersFile) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can make a file another user's";
    ScratchFolder folder;
    fs::permissions(folder.Path(), fs::perms::all);
    const auto theirs = folder.Write("theirs.usp", "previous");
    ASSERT_EQ(chown(theirs.c_str(), Nobody, Nobody), 0);
    Save(theirs, "saved by root");
    EXPECT_EQ(StatOf(theirs).st_uid, Nobody);
    EXPECT_EQ(StatOf(theirs).st_gid, Nobody);

    // A user who may write root's file cannot give a new file root's owner.
    const auto roots = folder.Write("roots.usp", "previous");
    fs::permissions(roots, fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec |
                                              fs::perms::others_exec));
    EXPECT_TRUE(PassesAs(Nobody, [&] {
        Save(roots, "saved by another user");
        return true;
    }));
    EXPECT_EQ(ReadWholeFile(roots), "saved by another user");
    EXPECT_EQ(StatOf(roots).st_uid, 0u);
    EXPECT_EQ(StatOf(roots).st_gid, 0u);
}

TEST(ReplacingFile, AnotherUsersLinkInASharedFolderIsNotFollowed) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can plant a link as another user";
    // A folder everyone may write, sticky as /tmp is; another user plants links in it: to a
    // file of the writer, to a name where nothing is yet, and in place of a folder.
    ScratchFolder own;
    const auto notes = own.Write("notes.txt", "the writer's notes");
    ScratchFolder sharedFolder;
    const fs::path shared = sharedFolder.Path();
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    ASSERT_TRUE(PassesAs(Nobody, [&] {
        return symlink(notes.c_str(), (shared / "out.wav").c_str()) == 0 &&
               symlink((own.Path() / "created.txt").c_str(), (shared / "dangling.wav").c_str()) ==
                   0 &&
               symlink(own.Path().c_str(), (shared / "folder").c_str()) == 0;
    }));

    for (const char* name : {"out.wav", "dangling.wav", "folder/notes.txt"}) {
        try {
            Save(shared / name, "exported");
            ADD_FAILURE() << name << " was written through another user's link";
        } catch (const IoError& error) {
            EXPECT_NE(std::string(error.what()).find("symbolic link"), std::string::npos)
                << error.what();
        }
    }
    EXPECT_EQ(ReadWholeFile(notes), "the writer's notes");
    EXPECT_FALSE(fs::exists(own.Path() / "created.txt"));
    EXPECT_EQ(FilesIn(own.Path()), 1);

    // The writer's own link there is followed, as the kernel would follow it.
    fs::create_symlink(notes, shared / "mine.wav");
    Save(shared / "mine.wav", "through my own link");
    EXPECT_EQ(ReadWholeFile(notes), "through my own link");
}

TEST(ReplacingFile, ANameAsLongAsTheFileSystemTakesIsWritten) {
    ScratchFolder folder;
    const std::string name = std::string(253, 'n') + "\xd1\x8f"; // 255 bytes, ending in "я"
    Save(folder.Path() / name, "bytes");
    EXPECT_EQ(ReadWholeFile(folder.Path() / name), "bytes");
    EXPECT_EQ(FilesIn(folder.Path()), 1);
}

TEST(ReplacingFile, WritersOfOneHardLinkedFileTakeTurns) {
    ScratchFolder folder;
    const auto shared = folder.Write("shared.wav", "previous");
    fs::create_hard_link(shared, folder.Path() / "other name.wav");
    // Rewritten in place from a backup, two writers at once used to leave pieces of both.
    const std::string first(4 << 20, 'a');
    const std::string second(4 << 20, 'b');
    const auto save = [&shared](const std::string& bytes, bool& saved) {
        try {
            Save(shared, bytes);
            saved = true;
        } catch (const IoError&) {
        }
    };
    for (int round = 0; round < 12; ++round) {
        bool firstSaved = false;
        bool secondSaved = false;
        std::thread other(save, std::cref(second), std::ref(secondSaved));
        save(first, firstSaved);
        other.join();
        const std::string now = ReadWholeFile(shared);
        ASSERT_TRUE(firstSaved && secondSaved) << "round " << round;
        ASSERT_TRUE(now == first || now == second)
            << "round " << round << ": " << now.size() << " bytes, neither writer's";
    }
    EXPECT_EQ(FilesIn(folder.Path()), 2);
}

} // namespace umbrascope
