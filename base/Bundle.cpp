#include "Bundle.h"

#include "FileUtils.h"
#include "SystemFileCalls.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr char Magic[] = "UmbrascopeBundle";
constexpr std::size_t MagicSize = 16;
constexpr std::uint32_t FormatVersion = 1;
constexpr std::size_t TrailerSize = 40 + MagicSize;
constexpr std::size_t EntryHeaderSize = 18;
// Far above what a session needs (a few dozen entries), far below what would strain memory.
constexpr std::uint64_t MaxIndexSize = 16 << 20;
constexpr std::size_t MaxNameSize = 255;
constexpr std::size_t CopyPiece = 1 << 20;

class Descriptor {
public:
    // Non-blocking, so that a pipe given as a file name cannot hold the program up.
    explicit Descriptor(const std::filesystem::path& path)
        : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
        if (fd_ < 0)
            ThrowSystemError(errno);
    }
    ~Descriptor() { close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool ReadExactlyAt(int fd, char* into, std::size_t count, std::uint64_t offset) {
    return ReadFullyAt(fd, into, count, offset) == count;
}

// Passes count bytes from offset on to sink; false when the file ends first.
bool CopyRange(int fd, std::uint64_t offset, std::uint64_t count,
               const std::function<void(const char*, std::size_t)>& sink) {
    std::vector<char> piece(static_cast<std::size_t>(std::min<std::uint64_t>(count, CopyPiece)));
    while (count > 0) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(count, CopyPiece));
        const std::size_t got = ReadFullyAt(fd, piece.data(), wanted, offset);
        sink(piece.data(), got);
        if (got < wanted)
            return false;
        offset += got;
        count -= got;
    }
    return true;
}

std::uint64_t Get(const char* bytes, int width) {
    std::uint64_t value = 0;
    for (int i = width; i > 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i - 1]);
    return value;
}

void Put(std::string& bytes, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i, value >>= 8)
        bytes += static_cast<char>(value & 0xFF);
}

std::uint64_t Fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

bool IsFileName(std::string_view name) {
    return !name.empty() && name.size() <= MaxNameSize && name != "." && name != ".." &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

bool HasMagicAt(int fd, std::uint64_t offset) {
    char bytes[MagicSize];
    return ReadExactlyAt(fd, bytes, MagicSize, offset) && std::memcmp(bytes, Magic, MagicSize) == 0;
}

BundleIndex Damaged(std::uint64_t size, const std::string& what) {
    BundleIndex index;
    index.kind = BundleIndex::Kind::Damaged;
    index.programSize = size;
    index.problem = "the built session is damaged: " + what;
    return index;
}

// A program with a lead-in at the end of its own bytes (where the section headers of a 64-bit
// little-endian ELF file end) had entries appended, and then lost its trailer.
bool AppendedPartWithoutTrailer(int fd, std::uint64_t size) {
    char header[64];
    if (!ReadExactlyAt(fd, header, sizeof header, 0) ||
        std::memcmp(header,
                    "\x7f"
                    "ELF",
                    4) != 0 ||
        header[4] != 2 || header[5] != 1)
        return false;
    const std::uint64_t sectionTable = Get(header + 0x28, 8);
    const std::uint64_t tableSize = Get(header + 0x3A, 2) * Get(header + 0x3C, 2);
    if (sectionTable > size || tableSize > size - sectionTable)
        return false;
    const std::uint64_t programEnd = sectionTable + tableSize;
    return size - programEnd >= MagicSize && HasMagicAt(fd, programEnd);
}

std::optional<std::vector<BundleEntry>> ParseEntries(std::string_view index, std::uint64_t count,
                                                     std::uint64_t firstOffset, std::uint64_t end) {
    std::vector<BundleEntry> entries;
    std::set<std::string_view> names;
    std::size_t at = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        if (index.size() - at < EntryHeaderSize)
            return std::nullopt;
        BundleEntry entry;
        entry.offset = Get(index.data() + at, 8);
        entry.size = Get(index.data() + at + 8, 8);
        const auto nameSize = static_cast<std::size_t>(Get(index.data() + at + 16, 2));
        at += EntryHeaderSize;
        if (index.size() - at < nameSize)
            return std::nullopt;
        const std::string_view name = index.substr(at, nameSize);
        at += nameSize;
        if (entry.offset < firstOffset || entry.offset > end || entry.size > end - entry.offset ||
            !IsFileName(name) || !names.insert(name).second)
            return std::nullopt;
        entry.name = name;
        entries.push_back(std::move(entry));
    }
    if (at != index.size())
        return std::nullopt;
    return entries;
}

BundleIndex ReadTrailer(int fd, std::uint64_t size, const char* trailer) {
    const auto version = Get(trailer, 4);
    const std::uint64_t count = Get(trailer + 4, 4);
    const std::uint64_t programSize = Get(trailer + 8, 8);
    const std::uint64_t indexOffset = Get(trailer + 16, 8);
    const std::uint64_t indexSize = Get(trailer + 24, 8);
    const std::uint64_t checksum = Get(trailer + 32, 8);
    if (version != FormatVersion)
        return Damaged(size, version > FormatVersion
                                 ? "it was built by a newer version of the program"
                                 : "its trailer names an unknown format");
    const std::uint64_t indexEnd = size - TrailerSize;
    if (indexSize > MaxIndexSize || indexSize > indexEnd || indexOffset != indexEnd - indexSize ||
        programSize > indexOffset || indexOffset - programSize < MagicSize)
        return Damaged(size, "its table of contents lies outside the file");
    if (count == 0 || count > indexSize / EntryHeaderSize)
        return Damaged(size, "its number of entries does not fit its table of contents");
    if (!HasMagicAt(fd, programSize))
        return Damaged(size, "the program's size in its trailer is wrong");
    std::string index(static_cast<std::size_t>(indexSize), '\0');
    if (!ReadExactlyAt(fd, index.data(), index.size(), indexOffset) || Fnv1a(index) != checksum)
        return Damaged(size, "its table of contents does not match its checksum");
    auto entries = ParseEntries(index, count, programSize + MagicSize, indexOffset);
    if (!entries)
        return Damaged(size, "an entry of its table of contents lies outside the file");
    BundleIndex result;
    result.kind = BundleIndex::Kind::Bundle;
    result.programSize = programSize;
    result.entries = std::move(*entries);
    return result;
}

} // namespace

BundleIndex ReadBundleIndex(const std::filesystem::path& file) {
    BundleIndex plain;
    try {
        const Descriptor fd(file);
        struct stat info {};
        if (fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
            return plain;
        const auto size = static_cast<std::uint64_t>(info.st_size);
        plain.programSize = size;
        char trailer[TrailerSize];
        if (size >= TrailerSize &&
            ReadExactlyAt(fd.get(), trailer, TrailerSize, size - TrailerSize) &&
            std::memcmp(trailer + TrailerSize - MagicSize, Magic, MagicSize) == 0)
            return ReadTrailer(fd.get(), size, trailer);
        if (AppendedPartWithoutTrailer(fd.get(), size))
            return Damaged(size, "its end is missing (the file was cut short)");
    } catch (const EInOutError&) {
    }
    return plain;
}

void ReadBundleEntry(const std::filesystem::path& bundle, const BundleEntry& entry,
                     const std::function<void(const char*, std::size_t)>& sink) {
    const Descriptor fd(bundle);
    if (!CopyRange(fd.get(), entry.offset, entry.size, sink))
        throw EInOutError("the built session is shorter than its table of contents says");
}

std::filesystem::path RunningProgramFile() {
    if (access("/proc/self/exe", R_OK) == 0)
        return "/proc/self/exe";
    const std::string name(program_invocation_name);
    if (name.find('/') != std::string::npos)
        return name;
    const char* const path = std::getenv("PATH");
    std::string_view folders = path ? path : "";
    while (!folders.empty()) {
        const std::size_t colon = std::min(folders.find(':'), folders.size());
        const std::string folder(colon == 0 ? "." : folders.substr(0, colon));
        const std::filesystem::path candidate = std::filesystem::path(folder) / name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        folders.remove_prefix(std::min(colon + 1, folders.size()));
    }
    return name;
}

BundleWriter::BundleWriter(const std::filesystem::path& target,
                           const std::filesystem::path& program, std::uint64_t programSize,
                           Progress progress)
    : target_(target), file_(target), progress_(std::move(progress)), programSize_(programSize) {
    const Descriptor fd(program);
    if (!CopyRange(fd.get(), 0, programSize,
                   [this](const char* bytes, std::size_t count) { Append(bytes, count); }))
        throw EInOutError(program.string() + " became shorter while it was copied");
    Append(Magic, MagicSize);
}

void BundleWriter::Append(const char* bytes, std::size_t count) {
    file_.Write(bytes, count);
    written_ += count;
    if (progress_)
        progress_(written_);
}

void BundleWriter::Add(const std::string& name, std::string_view bytes) {
    entries_.push_back({name, written_, bytes.size()});
    Append(bytes.data(), bytes.size());
}

void BundleWriter::AddFile(const std::string& name, const std::filesystem::path& file) {
    const Descriptor fd(file);
    const std::uint64_t start = written_;
    CopyRange(fd.get(), 0, UINT64_MAX,
              [this](const char* bytes, std::size_t count) { Append(bytes, count); });
    entries_.push_back({name, start, written_ - start});
}

void BundleWriter::Commit() {
    std::string index;
    for (const BundleEntry& entry : entries_) {
        if (!IsFileName(entry.name))
            throw EInOutError("not a file name: " + entry.name);
        Put(index, entry.offset, 8);
        Put(index, entry.size, 8);
        Put(index, entry.name.size(), 2);
        index += entry.name;
    }
    std::string trailer;
    Put(trailer, FormatVersion, 4);
    Put(trailer, entries_.size(), 4);
    Put(trailer, programSize_, 8);
    Put(trailer, written_, 8);
    Put(trailer, index.size(), 8);
    Put(trailer, Fnv1a(index), 8);
    trailer.append(Magic, MagicSize);
    Append(index.data(), index.size());
    Append(trailer.data(), trailer.size());
    file_.Commit();
    struct stat info {};
    if (stat(target_.c_str(), &info) != 0 ||
        chmod(target_.c_str(), info.st_mode | ((info.st_mode & 0444) >> 2)) != 0)
        throw EInOutError(target_.string() +
                          " was written but cannot be made executable: " + std::strerror(errno));
}
