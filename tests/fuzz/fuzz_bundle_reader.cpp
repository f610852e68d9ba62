// Damages a small built session where the fuzzer chooses (entries made to overlap or to lie out
// of order, empty entries added in bulk, bytes changed, the end cut off, the index's checksum
// made right again so the damage reaches the entries) and reads it as the program does: the
// index, every entry, then the project and its media, interrupted at the first medium. Nothing
// may crash or read outside; the entries of a bundle that is accepted must be no more than a
// bundle may hold and lie one after another without overlapping, so what it unpacks is never
// more than its size; and an interruption must be heard at an entry, empty ones too.

#include "base/Bundle.h"
#include "base/FileUtils.h"
#include "base/PrivateFolder.h"
#include "model/BuiltSession.h"
#include "model/Cp1251.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace umbrascope {

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

void Set(std::string& bytes, std::size_t at, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i, value >>= 8)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
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
    const auto* const index = reinterpret_cast<const unsigned char*>(bytes.data()) + offset;
    for (const unsigned char* byte = index; byte != index + size; ++byte)
        hash = (hash ^ *byte) * 1099511628211ull;
    for (int i = 0; i < 8; ++i, hash >>= 8)
        bytes[trailer + 32 + i] = static_cast<char>(hash & 0xFF);
}

// Where each entry's offset and size lie in the template's index.
std::vector<std::size_t> EntryHeaders(const std::string& bytes) {
    const std::size_t trailer = bytes.size() - TrailerSize;
    std::size_t at = Get(bytes, trailer + 16);
    const std::size_t count = Get(bytes, trailer + 4) & 0xFFFFFFFF;
    std::vector<std::size_t> headers;
    for (std::size_t i = 0; i < count; ++i) {
        headers.push_back(at);
        at += 18 + (static_cast<unsigned char>(bytes[at + 16]) |
                    static_cast<unsigned char>(bytes[at + 17]) << 8);
    }
    return headers;
}

// Flag 2: entry b takes entry a's range, so that one range is listed twice. Flag 4: entries a
// and b swap their ranges, so that they lie out of order.
void MoveRanges(std::string& bytes, std::uint8_t flags, std::uint8_t a, std::uint8_t b) {
    const auto headers = EntryHeaders(bytes);
    const std::size_t from = headers[a % headers.size()];
    const std::size_t to = headers[b % headers.size()];
    const std::string range = bytes.substr(from, 16);
    if (flags & 4)
        bytes.replace(from, 16, bytes.substr(to, 16));
    if (flags & 6)
        bytes.replace(to, 16, range);
}

} // namespace

// Thrown from the copy's checkpoint.
struct Interrupted {};

// Flag 8: data[2] empty entries after the others, as a crafted file may hold them in bulk; with
// the high half of data[3] all set, some 4000 more, across the most a bundle may hold.
std::size_t EmptyEntriesWanted(std::uint8_t count, std::uint8_t scale) {
    return count + ((scale & 0xF0) == 0xF0 ? MaxBundleEntries - 128 : 0);
}

// The index entries of that many empty entries where the template's index begins; made once,
// as the fuzzer's own work on every byte is slow.
constexpr std::size_t EmptyEntrySize = 18 + 5;
const std::string& EmptyEntries() {
    static const std::string entries = [] {
        const std::string& bytes = Template();
        const std::uint64_t at = Get(bytes, bytes.size() - TrailerSize + 16);
        std::string all;
        for (std::size_t i = 0; i < EmptyEntriesWanted(0xFF, 0xF0); ++i) {
            char name[8];
            std::snprintf(name, sizeof name, "e%04zu", i);
            all.append(18, '\0');
            Set(all, all.size() - 18, at, 8); // no bytes, where the index begins
            Set(all, all.size() - 2, 5, 2);
            all += name;
        }
        return all;
    }();
    return entries;
}

void AddEmptyEntries(std::string& bytes, std::size_t count) {
    const std::string end = bytes.substr(bytes.size() - TrailerSize);
    bytes.resize(bytes.size() - TrailerSize);
    bytes.append(EmptyEntries(), 0, count * EmptyEntrySize);
    bytes += end;
    const std::size_t trailer = bytes.size() - TrailerSize;
    Set(bytes, trailer + 4, (Get(bytes, trailer + 4) & 0xFFFFFFFF) + count, 4);
    Set(bytes, trailer + 24, Get(bytes, trailer + 24) + count * EmptyEntrySize, 8);
    MakeChecksumRight(bytes);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    std::string bytes = Template();
    if (size >= 4)
        MoveRanges(bytes, data[1], data[2], data[3]);
    if (size >= 4 && (data[1] & 8))
        AddEmptyEntries(bytes, EmptyEntriesWanted(data[2], data[3]));
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
        if (index.entries.size() > MaxBundleEntries)
            std::abort();
        // One after another without overlapping, so together never more than the file.
        std::uint64_t free = 0;
        for (const BundleEntry& entry : index.entries) {
            if (entry.offset < free || entry.offset > bytes.size() ||
                entry.size > bytes.size() - entry.offset)
                std::abort();
            free = entry.offset + entry.size;
            if (entry.size > 0) // an empty one reads nothing, and thousands of opens are slow
                ReadBundleEntry(path, entry, [](const char*, std::size_t) {});
        }
        // The project's entry (within the file, so one piece at most) is checked at its start
        // and at its piece; the first medium's start must be checked next.
        int checks = 0;
        try {
            const BuiltSessionLoad load =
                LoadBuiltSession(path, index, BundledMedia::Unpacked, [&checks] {
                    if (++checks > 2)
                        throw Interrupted{};
                });
            if (load.load.Opened() && index.entries.size() > 1)
                std::abort();
        } catch (const Interrupted&) {
        }
    }
    close(fd);
    return 0;
}

} // namespace umbrascope
