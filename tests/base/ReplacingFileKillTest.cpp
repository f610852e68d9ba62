#include "base/InPlaceRewrite.h"
#include "tests/common/SanitizerBuild.h"
#include "tests/model/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace umbrascope {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int Megabytes = AddressSanitizerBuild || SanitizerSlowdown > 1 ? 30 : 300;
constexpr int Kills = 20;

void Fill(const fs::path& file, char byte) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    const std::vector<char> block(1 << 20, byte);
    for (int i = 0; i < Megabytes; ++i)
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
}

// The byte the whole file holds; none when it is not one byte throughout at the full size.
std::optional<char> UniformByte(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> block(1 << 20);
    std::optional<char> byte;
    std::uint64_t size = 0;
    while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
        const auto got = static_cast<std::size_t>(in.gcount());
        if (!byte)
            byte = block[0];
        for (std::size_t i = 0; i < got; ++i)
            if (block[i] != *byte)
                return std::nullopt;
        size += got;
    }
    return size == std::uint64_t{Megabytes} << 20 ? byte : std::nullopt;
}

std::int64_t ModifiedAt(const fs::path& file) {
    struct stat info {};
    stat(file.c_str(), &info);
    return std::int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec;
}

// Runs the child writing byte over target. With killAfter, kills it that long after the target
// begins to change; otherwise tells how long the target kept changing: the rewrite's own span,
// between the backup's flush before it and the target's flush after it.
Clock::duration RunChild(const fs::path& target, char byte,
                         std::optional<Clock::duration> killAfter) {
    int ends[2];
    EXPECT_EQ(pipe2(ends, O_NONBLOCK), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    const std::string megabytes = std::to_string(Megabytes);
    const std::string bytes(1, byte);
    std::vector<char*> argv{const_cast<char*>(UMBRASCOPE_REWRITE_CHILD),
                            const_cast<char*>(target.c_str()), const_cast<char*>(megabytes.c_str()),
                            const_cast<char*>(bytes.c_str()), nullptr};
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    const std::int64_t before = ModifiedAt(target);
    std::int64_t seen = before;
    std::optional<Clock::time_point> firstChange, lastChange;
    std::string said;
    for (;;) {
        char got = 0;
        const ssize_t read = ::read(ends[0], &got, 1);
        said += read == 1 ? std::string(1, got) : std::string();
        if (read == 0 || got == 'd') // ended, or done
            break;
        if (const std::int64_t now = ModifiedAt(target); now != seen) {
            seen = now;
            lastChange = Clock::now();
            if (!firstChange)
                firstChange = lastChange;
        }
        if (killAfter && firstChange && Clock::now() - *firstChange >= *killAfter) {
            kill(pid, SIGKILL);
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    close(ends[0]);
    waitpid(pid, nullptr, 0);
    EXPECT_TRUE(killAfter || said == "cd") << said;
    return firstChange ? *lastChange - *firstChange : Clock::duration{};
}

} // namespace

TEST(ReplacingFileKill, AKilledRewriteInPlaceLeavesTheOldOrTheNewContentOrABackupThatIsRestored) {
    ScratchFolder folder;
    const fs::path target = folder.Path() / "shared.wav";
    Fill(target, 'a');
    fs::create_hard_link(target, folder.Path() / "other name.wav");
    const Clock::duration rewrite = RunChild(target, 'b', std::nullopt);
    ASSERT_EQ(UniformByte(target), 'b');
    ASSERT_GT(rewrite.count(), 0);

    char held = 'b';
    int cut = 0; // kills that left the file neither old nor new

    for (int kill = 0; kill < Kills; ++kill) {
        const char next = held == 'a' ? 'b' : 'a';
        RunChild(target, next, rewrite * (2 * kill + 1) / (2 * Kills));
        const auto left = UniformByte(target);
        cut += left == held || left == next ? 0 : 1;
        // What the next opening of the file does.
        const UserText told = RecoverCutOffRewrites(target);
        const auto now = UniformByte(target);
        ASSERT_TRUE(now == held || now == next)
            << "kill " << kill << " left neither content: " << told.Text();
        ASSERT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 2)
            << "kill " << kill << " left a file behind";
        EXPECT_EQ(fs::hard_link_count(target), 2u);
        held = *now;
    }
    EXPECT_GT(cut, 0) << "no kill fell while the file was rewritten";
}

} // namespace umbrascope
