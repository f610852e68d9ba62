// Bundles: entries read back as written, a damaged or crowded bundle is told apart from a plain
// file without reading outside it, and the private folder media are unpacked into keeps out
// whoever else could change the temporary folder.

#include "base/Bundle.h"
#include "base/PrivateFolder.h"
#include "tests/model/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace umbrascope {

namespace {

// Stands in for the program: a 64-bit ELF header whose (empty) section table ends the file.
std::string FakeProgram() {
    std::string elf(64, '\0');
    elf.replace(0, 4,
                "\x7f"
                "ELF");
    elf[4] = 2;
    elf[5] = 1;
    elf[0x28] = 64;
    return elf;
}

void Patch(std::string& bytes, std::size_t at, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i, value >>= 8)
        bytes[at + i] = static_cast<char>(value & 0xFF);
}

std::uint64_t Fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}

struct Entry {
    std::uint64_t offset; // from the start of the file
    std::uint64_t size;
    std::string name;
};

// A bundle as a hostile file may have it: the program, the lead-in, data, and an index of
// these entries with a trailer that holds.
std::string Assemble(const std::vector<Entry>& entries, const std::string& data) {
    std::string bytes = FakeProgram() + "UmbrascopeBundle" + data;
    std::string index;
    const auto put = [](std::string& to, std::uint64_t value, int width) {
        to.append(static_cast<std::size_t>(width), '\0');
        Patch(to, to.size() - static_cast<std::size_t>(width), value, width);
    };
    for (const Entry& entry : entries) {
        put(index, entry.offset, 8);
        put(index, entry.size, 8);
        put(index, entry.name.size(), 2);
        index += entry.name;
    }
    const std::uint64_t indexOffset = bytes.size();
    bytes += index;
    put(bytes, 1, 4);
    put(bytes, entries.size(), 4);
    put(bytes, FakeProgram().size(), 8);
    put(bytes, indexOffset, 8);
    put(bytes, index.size(), 8);
    put(bytes, Fnv1a(index), 8);
    return bytes + "UmbrascopeBundle";
}

class Bundles : public ::testing::Test {
protected:
    std::filesystem::path Build() {
        const auto program = folder.Write("program", FakeProgram());
        BundleWriter writer(folder.Path() / "built.run", program, FakeProgram().size());
        writer.Add("session.usp", "USP 4.1 project");
        writer.AddFile("loop.wav", folder.Write("loop.wav", "RIFF and sound"));
        writer.Commit();
        return folder.Path() / "built.run";
    }

    ScratchFolder folder;
};

TEST_F(Bundles, EntriesReadBackAndTheFileCanBeStarted) {
    const auto built = Build();
    const BundleIndex index = ReadBundleIndex(built);
    ASSERT_TRUE(index.IsBundle()) << index.problem;
    EXPECT_EQ(index.programSize, FakeProgram().size());
    ASSERT_EQ(index.entries.size(), 2u);
    EXPECT_EQ(index.entries[0].name, "session.usp");
    std::string sound;
    ReadBundleEntry(built, index.entries[1],
                    [&](const char* bytes, std::size_t count) { sound.append(bytes, count); });
    EXPECT_EQ(sound, "RIFF and sound");
    struct stat info {};
    ASSERT_EQ(stat(built.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0111, (info.st_mode & 0444) >> 2);
    EXPECT_NE(info.st_mode & 0100, 0u);

    // The program alone, and a file too short for a trailer, are plain files.
    EXPECT_EQ(ReadBundleIndex(folder.Path() / "program").kind, BundleIndex::Kind::NotBundle);
    EXPECT_EQ(ReadBundleIndex(folder.Write("tiny", "USP")).kind, BundleIndex::Kind::NotBundle);
}

TEST_F(Bundles, DamagedBundlesAreRecognisedAsSuch) {
    const std::string good = ReadWholeFile(Build());
    const std::size_t trailer = good.size() - 56;
    // Each entry takes 18 bytes and its name: "session.usp", then "loop.wav".
    const std::size_t index = trailer - (18 + 11) - (18 + 8);
    const std::vector<std::pair<const char*, std::function<void(std::string&)>>> damages = {
        {"cut trailer", [](std::string& b) { b.resize(b.size() - 10); }},
        {"cut after the lead-in", [](std::string& b) { b.resize(90); }},
        {"index beyond the end", [&](std::string& b) { Patch(b, trailer + 16, 1ull << 40, 8); }},
        {"index size wraps", [&](std::string& b) { Patch(b, trailer + 24, ~0ull - 5, 8); }},
        {"program size wrong", [&](std::string& b) { Patch(b, trailer + 8, 10, 8); }},
        {"oversized count", [&](std::string& b) { Patch(b, trailer + 4, 0xFFFFFFFF, 4); }},
        {"no entries", [&](std::string& b) { Patch(b, trailer + 4, 0, 4); }},
        {"newer format", [&](std::string& b) { Patch(b, trailer, 2, 4); }},
        {"index changed", [&](std::string& b) { b[index + 20] ^= 1; }},
        {"entry beyond the end, checksum made right",
         [&](std::string& b) {
             Patch(b, index + 29 + 8, 1ull << 50, 8);
             Patch(b, trailer + 32, Fnv1a(std::string_view(b).substr(index, trailer - index)), 8);
         }},
    };
    for (const auto& [what, damage] : damages) {
        std::string bytes = good;
        damage(bytes);
        const BundleIndex read = ReadBundleIndex(folder.Write("damaged.run", bytes));
        EXPECT_EQ(read.kind, BundleIndex::Kind::Damaged) << what;
        EXPECT_FALSE(read.problem.empty()) << what;
    }
}

} // namespace

TEST_F(Bundles, RefusedNamesAndRangesAreToldForWhatTheyAre) {
    const std::uint64_t data = FakeProgram().size() + 16; // where the entries begin
    const std::string project = "USP 4.1 project";
    const auto entries = [&](std::vector<Entry> more) {
        more.insert(more.begin(), {data, project.size(), "session.usp"});
        return more;
    };
    const std::uint64_t after = data + project.size();
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {Assemble(entries({{after, 0, ".."}}), project), "folder"},
        {Assemble(entries({{after, 0, "a/b"}}), project), "\"/\""},
        {Assemble(entries({{after, 0, std::string("a\0b", 3)}}), project), "zero byte"},
        {Assemble(entries({{after, 0, ""}}), project), "no name"},
        {Assemble(entries({{after, 0, std::string(256, 'n')}}), project), "255 bytes"},
        {Assemble(entries({{after, 0, "a"}, {after, 0, "a"}}), project), "two entries"},
        // One range listed twice, and ranges out of order: unpacking would copy the file's
        // bytes over and over.
        {Assemble(entries({{data, project.size(), "again.usp"}}), project), "overlaps"},
        {Assemble({{after, 0, "a"}, {data, project.size(), "session.usp"}}, project), "overlaps"},
        {FakeProgram() + "UmbrascopeBundle", "cut short"},
    };
    for (const auto& [bytes, expected] : damaged) {
        const BundleIndex read = ReadBundleIndex(folder.Write("damaged.run", bytes));
        EXPECT_EQ(read.kind, BundleIndex::Kind::Damaged) << expected;
        EXPECT_NE(read.problem.find(expected), std::string::npos) << read.problem;
    }
    EXPECT_TRUE(
        ReadBundleIndex(folder.Write("whole.run", Assemble(entries({}), project))).IsBundle());
}

TEST_F(Bundles, ACrowdOfEmptyEntriesIsRefusedNamingTheBound) {
    const std::uint64_t data = FakeProgram().size() + 16;
    const std::string project = "USP 4.1 project";
    std::vector<Entry> entries{{data, project.size(), "session.usp"}};
    for (std::size_t i = 1; i < 300000; ++i)
        entries.push_back({data + project.size(), 0, std::to_string(i)});
    const BundleIndex read = ReadBundleIndex(folder.Write("crowd.run", Assemble(entries, project)));
    EXPECT_EQ(read.kind, BundleIndex::Kind::Damaged);
    EXPECT_NE(read.problem.find("4096"), std::string::npos) << read.problem;
}

namespace {

// TMPDIR as given while it lives.
class TemporaryFolderVariable {
public:
    explicit TemporaryFolderVariable(const std::filesystem::path& folder) {
        if (const char* value = std::getenv("TMPDIR"))
            previous_ = value;
        setenv("TMPDIR", folder.c_str(), 1);
    }
    ~TemporaryFolderVariable() {
        if (previous_)
            setenv("TMPDIR", previous_->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }

private:
    std::optional<std::string> previous_;
};

} // namespace

TEST(PrivateFolders, ATmpdirOthersMayWriteOrThatIsMissingIsPassedOverWithAMessage) {
    ScratchFolder scratch;
    const auto open = scratch.Path() / "open";
    std::filesystem::create_directory(open);
    std::filesystem::permissions(open, std::filesystem::perms::all); // not sticky
    for (const auto& tmpdir : {open, scratch.Path() / "missing"}) {
        const TemporaryFolderVariable variable(tmpdir);
        const PrivateFolder folder("umbrascope-test");
        EXPECT_NE(folder.Path().parent_path(), tmpdir);
        EXPECT_TRUE(std::filesystem::is_directory(folder.OpenablePath()));
        EXPECT_EQ(folder.Notice().rfind("TMPDIR: " + tmpdir.string() + ": ", 0), 0u)
            << folder.Notice();
    }
}

TEST(PrivateFolders, AnotherUsersTmpdirIsPassedOver) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can give a folder to another user";
    ScratchFolder scratch;
    const auto theirs = scratch.Path() / "theirs";
    std::filesystem::create_directory(theirs);
    ASSERT_EQ(chown(theirs.c_str(), 4242, 4242), 0);
    const TemporaryFolderVariable variable(theirs);
    const PrivateFolder folder("umbrascope-test");
    EXPECT_NE(folder.Path().parent_path(), theirs);
    EXPECT_NE(folder.Notice().find("another user could change"), std::string::npos)
        << folder.Notice();
}

} // namespace umbrascope
