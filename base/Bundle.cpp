#include "Bundle.h"

#include "FileDescriptor.h"
#include "FileUtils.h"
#include "SystemFileCalls.h"
#include "SystemFiles.h"

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

namespace umbrascope {

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

// Non-blocking, so that a pipe given as a file name cannot hold the program up.
FileDescriptor OpenForReading(const std::filesystem::path& path) {
    FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.Valid())
        ThrowSystemError(errno);
    return fd;
}

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

// A name as it may be shown in a message: control characters as "?", and cut when long.
std::string Shown(std::string_view name) {
    std::size_t cut = std::min<std::size_t>(name.size(), 64);
    while (cut < name.size() && cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut; // at a character's start
    std::string shown(name.substr(0, cut));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return "\"" + shown + (cut < name.size() ? "...\"" : "\"");
}

// What is wrong with an entry's name; nothing for a plain file name.
std::optional<std::string> NameProblem(std::string_view name) {
    if (name.empty())
        return "has no name";
    if (name.size() > MaxNameSize)
        return "has a name longer than 255 bytes";
    if (name.find('\0') != std::string_view::npos)
        return "has a name with a zero byte in it";
    if (name.find('/') != std::string_view::npos)
        return "has a name with \"/\" in it: " + Shown(name);
    if (name == "." || name == "..")
        return "is named " + Shown(name) + ", which names a folder";
    return std::nullopt;
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

// Where a 64-bit little-endian ELF program's own bytes end: at the end of its section headers.
std::optional<std::uint64_t> ElfProgramEnd(int fd, std::uint64_t size) {
    char header[64];
    if (!ReadExactlyAt(fd, header, sizeof header, 0) ||
        std::memcmp(header,
                    "\x7f"
                    "ELF",
                    4) != 0 ||
        header[4] != 2 || header[5] != 1)
        return std::nullopt;
    const std::uint64_t sectionTable = Get(header + 0x28, 8);
    const std::uint64_t tableSize = Get(header + 0x3A, 2) * Get(header + 0x3C, 2);
    if (sectionTable > size || tableSize > size - sectionTable)
        return std::nullopt;
    return sectionTable + tableSize;
}

// A program with a lead-in at the end of its own bytes had entries appended, and then lost its
// trailer. A plain program never has the lead-in there.
bool AppendedPartWithoutTrailer(int fd, std::uint64_t size) {
    const auto programEnd = ElfProgramEnd(fd, size);
    return programEnd && size - *programEnd >= MagicSize && HasMagicAt(fd, *programEnd);
}

// Reads the entries of the index. Each must be a plain file name used once, and the entries
// must lie one after the other without overlapping, so that what a bundle unpacks can never
// be more than its own size. A message saying what is wrong otherwise.
std::optional<std::string> ParseEntries(std::string_view index, std::uint64_t count,
                                        std::uint64_t firstOffset, std::uint64_t end,
                                        std::vector<BundleEntry>& entries) {
    std::set<std::string_view> names;
    std::size_t at = 0;
    std::uint64_t free = firstOffset; // where the next entry may begin
    for (std::uint64_t i = 0; i < count; ++i) {
        const auto which = [i] {
            return "entry " + std::to_string(i + 1) + " of its table of contents";
        };
        if (index.size() - at < EntryHeaderSize)
            return "its table of contents ends inside " + which();
        BundleEntry entry;
        entry.offset = Get(index.data() + at, 8);
        entry.size = Get(index.data() + at + 8, 8);
        const auto nameSize = static_cast<std::size_t>(Get(index.data() + at + 16, 2));
        at += EntryHeaderSize;
        if (index.size() - at < nameSize)
            return "its table of contents ends inside the name of " + which();
        const std::string_view name = index.substr(at, nameSize);
        at += nameSize;
        if (const auto problem = NameProblem(name))
            return which() + " " + *problem;
        if (!names.insert(name).second)
            return "two entries of its table of contents are named " + Shown(name);
        if (entry.offset < firstOffset || entry.offset > end || entry.size > end - entry.offset)
            return which() + " lies outside the file";
        if (entry.offset < free)
            return which() + " overlaps an earlier one or lies before it";
        free = entry.offset + entry.size;
        entry.name = name;
        entries.push_back(std::move(entry));
    }
    if (at != index.size())
        return std::string("its table of contents holds more than its entries");
    return std::nullopt;
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
    if (count > MaxBundleEntries)
        return Damaged(size, "it has " + std::to_string(count) + " entries, more than the " +
                                 std::to_string(MaxBundleEntries) + " a built session may have");
    if (!HasMagicAt(fd, programSize))
        return Damaged(size, "the program's size in its trailer is wrong");
    std::string index(static_cast<std::size_t>(indexSize), '\0');
    if (!ReadExactlyAt(fd, index.data(), index.size(), indexOffset) || Fnv1a(index) != checksum)
        return Damaged(size, "its table of contents does not match its checksum");
    BundleIndex result;
    if (const auto problem =
            ParseEntries(index, count, programSize + MagicSize, indexOffset, result.entries))
        return Damaged(size, *problem);
    result.kind = BundleIndex::Kind::Bundle;
    result.programSize = programSize;
    return result;
}

} // namespace

BundleIndex ReadBundleIndex(const std::filesystem::path& file) {
    BundleIndex plain;
    try {
        const FileDescriptor fd = OpenForReading(file);
        struct stat info {};
        if (fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
            return plain;
        const auto size = static_cast<std::uint64_t>(info.st_size);
        plain.programSize = size;
        const char* const cutShort = "its end is missing (the file was cut short)";
        char trailer[TrailerSize];
        if (size >= TrailerSize &&
            ReadExactlyAt(fd.get(), trailer, TrailerSize, size - TrailerSize) &&
            std::memcmp(trailer + TrailerSize - MagicSize, Magic, MagicSize) == 0) {
            // Cut right after the lead-in, which then reads as a trailer's end.
            if (ElfProgramEnd(fd.get(), size) == size - MagicSize)
                return Damaged(size, cutShort);
            return ReadTrailer(fd.get(), size, trailer);
        }
        if (AppendedPartWithoutTrailer(fd.get(), size))
            return Damaged(size, cutShort);
    } catch (const IoError&) {
    }
    return plain;
}

void ReadBundleEntry(const std::filesystem::path& bundle, const BundleEntry& entry,
                     const std::function<void(const char*, std::size_t)>& sink) {
    const FileDescriptor fd = OpenForReading(bundle);
    if (!CopyRange(fd.get(), entry.offset, entry.size, sink))
        throw IoError("the built session is shorter than its table of contents says");
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
                           Progress progress, WriteOptions options)
    : file_(target, ReplacingFile::Existing::Replace, std::move(options)),
      progress_(std::move(progress)), programSize_(programSize) {
    const FileDescriptor fd = OpenForReading(program);
    if (!CopyRange(fd.get(), 0, programSize,
                   [this](const char* bytes, std::size_t count) { Append(bytes, count); }))
        throw IoError(program.string() + " became shorter while it was copied");
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
    // Failures to read the file are told apart from failures to write the bundle.
    const auto reading = [](const auto& read) {
        try {
            return read();
        } catch (const SystemFileError&) {
            throw;
        } catch (const IoError& error) {
            throw UnreadableSourceError(error.what());
        }
    };
    const FileDescriptor fd = reading([&file] { return OpenUserFileForReading(file); });
    const std::uint64_t start = written_;
    std::vector<char> piece(CopyPiece);
    for (;;) {
        const std::size_t got = reading(
            [&] { return ReadFullyAt(fd.get(), piece.data(), piece.size(), written_ - start); });
        if (got == 0)
            break;
        Append(piece.data(), got);
    }
    entries_.push_back({name, start, written_ - start});
}

void BundleWriter::Commit() {
    if (entries_.size() > MaxBundleEntries)
        throw IoError("a built session may have at most " + std::to_string(MaxBundleEntries) +
                      " entries, the project included");
    std::string index;
    for (const BundleEntry& entry : entries_) {
        if (NameProblem(entry.name))
            throw IoError("not a file name: " + Shown(entry.name));
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
    file_.MakeExecutable();
    file_.Commit();
}

} // namespace umbrascope
