// Bundles: entries read back as written, and a damaged bundle is told apart from a plain file
// without reading outside it.

#include "base/Bundle.h"
#include "tests/model/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

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
