// Damages a small built session where the fuzzer chooses (bytes changed, the end cut off, the
// index's checksum made right again so the damage reaches the entries) and reads it as the
// program does: the index, every entry, then the project. Nothing may crash or read outside.

#include "base/Bundle.h"
#include "base/FileUtils.h"
#include "base/PrivateFolder.h"
#include "model/BuiltSession.h"
#include "model/Cp1251.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr std::size_t TrailerSize = 56;

// A stand-in program (an ELF header whose empty section table ends it) with a project naming a
// track and a phrase file, both bundled; made once.
const std::string& Template() {
    static const std::string bytes = [] {
        const PrivateFolder folder("umbrascope-fuzz");
        const auto write = [&folder](const char* name, const std::string& contents) {
            std::ofstream(folder.Path() / name, std::ios::binary) << contents;
            return folder.Path() / name;
        };
        std::string program(64, '\0');
        program.replace(0, 6,
                        "\x7f"
                        "ELF\x02\x01");
        program[0x28] = 64;
        Session session;
        session.StartValues.PhraseFile = Utf8ToCp1251(write("p.txt", "one\n").string()).value();
        session.StartValues.Waves = {Utf8ToCp1251(write("a.wav", "RIFF").string()).value()};
        BuildSessionFile(session, "", write("program", program), folder.Path() / "s.run");
        std::ostringstream built;
        built << std::ifstream(folder.Path() / "s.run", std::ios::binary).rdbuf();
        return built.str();
    }();
    return bytes;
}

std::uint64_t Get(const std::string& bytes, std::size_t at) {
    std::uint64_t value = 0;
    for (std::size_t i = 8; i > 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i - 1]);
    return value;
}

// Makes the checksum fit the index the trailer names, where that index lies in the file.
void MakeChecksumRight(std::string& bytes) {
    if (bytes.size() < TrailerSize)
        return;
    const std::size_t trailer = bytes.size() - TrailerSize;
    const std::uint64_t offset = Get(bytes, trailer + 16);
    const std::uint64_t size = Get(bytes, trailer + 24);
    if (offset > trailer || size > trailer - offset)
        return;
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = offset; i < offset + size; ++i)
        hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ull;
    for (int i = 0; i < 8; ++i, hash >>= 8)
        bytes[trailer + 32 + i] = static_cast<char>(hash & 0xFF);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    std::string bytes = Template();
    // Positions count from the end, where the trailer and the index lie.
    for (std::size_t i = 2; i + 2 < size; i += 3) {
        const std::size_t back = (data[i] | data[i + 1] << 8) % bytes.size();
        bytes[bytes.size() - 1 - back] ^= static_cast<char>(data[i + 2]);
    }
    if (data[1] & 1)
        MakeChecksumRight(bytes);
    bytes.resize(bytes.size() - std::min<std::size_t>(data[0], bytes.size()));

    const int fd = memfd_create("bundle", 0);
    if (fd < 0 || (!bytes.empty() &&
                   write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())))
        std::abort();
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    const BundleIndex index = ReadBundleIndex(path);
    if (index.IsBundle()) {
        for (const BundleEntry& entry : index.entries)
            ReadBundleEntry(path, entry, [](const char*, std::size_t) {});
        LoadBuiltSession(path, index, BundledMedia::LeftInside);
    }
    close(fd);
    return 0;
}
