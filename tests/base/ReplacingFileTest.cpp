#include "base/ReplacingFile.h"
#include "base/FileUtils.h"
#include "base/TargetLock.h"
#include "tests/model/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
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

namespace umbrascope {

namespace {

// The access control list "u::rw-,u:USER:---,g::r--,m::r--,o::r--" as the kernel stores it.
std::string AclDenying(uid_t user) {
    std::string acl;
    const auto put = [&acl](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            acl += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const auto entry = [&put](std::uint16_t tag, std::uint16_t permissions, std::uint32_t id) {
        put(tag, 2);
        put(permissions, 2);
        put(id, 4);
    };
    put(2, 4); // the format's version
    entry(0x01, 6, ~0u);
    entry(0x02, 0, user);
    entry(0x04, 4, ~0u);
    entry(0x10, 4, ~0u);
    entry(0x20, 4, ~0u);
    return acl;
}

std::string AclOf(const fs::path& file) {
    std::string acl(256, '\0');
    const ssize_t got = getxattr(file.c_str(), "system.posix_acl_access", acl.data(), acl.size());
    acl.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    return acl;
}

} // namespace

TEST(ReplacingFile, SavingKeepsTheAccessControlList) {
    ScratchFolder folder;
    const auto target = folder.Write("shared.usp", "previous");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::others_read);
    const std::string acl = AclDenying(Nobody);
    if (setxattr(target.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0)
        GTEST_SKIP() << "the file system of " << folder.Path() << " has no access control lists";
    std::vector<std::string> notices;
    WriteOptions options;
    options.notice = [&notices](const UserText& notice) { notices.push_back(notice.Text()); };
    ReplacingFile file(target, ReplacingFile::Existing::Replace, options);
    file.Write("saved", 5);
    file.Commit();
    EXPECT_EQ(ReadWholeFile(target), "saved");
    EXPECT_EQ(AclOf(target), acl) << "the user denied everything could read the saved file";
    EXPECT_TRUE(notices.empty());
}

TEST(ReplacingFile, ALockNobodyLetsGoEndsTheWaitWhenTheOptionsSay) {
    ScratchFolder folder;
    const auto target = folder.Write("locked.usp", "previous");
    // Any user who may read the file can hold this.
    const FileDescriptor reader(open(target.c_str(), O_RDONLY | O_CLOEXEC));
    ASSERT_EQ(flock(reader.get(), LOCK_SH), 0);
    std::chrono::milliseconds waited{0};
    WriteOptions options;
    options.whileLocked = [&waited](std::chrono::milliseconds sofar) {
        waited = sofar;
        return sofar < std::chrono::milliseconds(300);
    };
    ReplacingFile file(target, ReplacingFile::Existing::Replace, options);
    file.Write("new", 3);
    EXPECT_THROW(file.Commit(), LockWaitEnded);
    EXPECT_GE(waited.count(), 300);
    EXPECT_EQ(ReadWholeFile(target), "previous");
    EXPECT_EQ(FilesIn(folder.Path()), 1);
}

TEST(ReplacingFile, ARunningProgramIsReplacedByRename) {
    ScratchFolder folder;
    const auto program = folder.Path() / "session.run";
    fs::copy_file("/bin/sleep", program);
    const pid_t running = fork();
    if (running == 0) {
        execl(program.c_str(), "session.run", "30", static_cast<char*>(nullptr));
        _exit(127);
    }
    // Once it runs, the system refuses to open it for writing.
    const fs::path runs = "/proc/" + std::to_string(running) + "/exe";
    std::error_code notYet;
    for (int tries = 0; tries < 500 && fs::read_symlink(runs, notYet) != program; ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(fs::read_symlink(runs, notYet), program);
    EXPECT_NO_THROW(Save(program, "rebuilt"));
    kill(running, SIGKILL);
    waitpid(running, nullptr, 0);
    EXPECT_EQ(ReadWholeFile(program), "rebuilt");
}

TEST(ReplacingFile, OutputsThatAreNoFileAndTheLimitOfOpenFilesAreNamed) {
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
    const FileDescriptor readEnd(ends[0]), writeEnd(ends[1]);
    const auto messageOf = [](const fs::path& target) {
        try {
            Save(target, "bytes");
        } catch (const IoError& error) {
            return std::string(error.what());
        }
        return std::string("written");
    };
    // What /dev/stdout leads to when the output goes into a pipe.
    EXPECT_EQ(messageOf("/proc/self/fd/" + std::to_string(writeEnd.get())),
              "this name leads to a pipe, not a file: the output must be a file");

    ScratchFolder folder;
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limit), 0);
    const FileDescriptor lowestFree(open("/dev/null", O_RDONLY | O_CLOEXEC));
    const rlimit fewer{static_cast<rlim_t>(lowestFree.get()), limit.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &fewer), 0);
    const std::string message = messageOf(folder.Path() / "out.wav");
    setrlimit(RLIMIT_NOFILE, &limit);
    EXPECT_NE(message.find("limit is " + std::to_string(lowestFree.get()) + ", see ulimit -n"),
              std::string::npos)
        << message;
}

} // namespace umbrascope
