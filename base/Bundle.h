#pragma once

// A bundle: a program file with named entries appended to it, found again through a trailer at
// the very end. All numbers are little-endian:
//
//   the program      its own bytes, unchanged
//   lead-in          16 bytes "UmbrascopeBundle": where the appended part begins
//   entries          their bytes, one after the other
//   index            per entry: offset (8), size (8), name length (2), name (UTF-8)
//   trailer          version (4), entry count (4), program size (8), index offset (8),
//                    index size (8), FNV-1a checksum of the index (8), "UmbrascopeBundle" (16)
//
// Every offset, size and count read from a file is checked against the file's size before it
// is used, and the entries must lie in the order of the index without overlapping. Thread rule:
// every function may run on any thread; a BundleWriter on one.

#include "FileUtils.h"
#include "ReplacingFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrascope {

// The most entries a bundle may have, the project included: far more than a session names
// (a few dozen), and few enough that unpacking a crafted bundle of empty entries is quick.
inline constexpr std::size_t MaxBundleEntries = 4096;

struct BundleEntry {
    std::string name; // a file name: no "/", not "." or ".."
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

struct BundleIndex {
    enum class Kind {
        NotBundle, // no trailer and nothing appended: a plain file
        Bundle,
        Damaged // a trailer that does not hold, or an appended part whose trailer is gone
    };
    Kind kind = Kind::NotBundle;
    std::uint64_t programSize = 0; // bytes before the lead-in; for other files their size
    std::vector<BundleEntry> entries;
    std::string problem; // for Damaged: what is wrong

    bool IsBundle() const { return kind == Kind::Bundle; }
};

// What the file is. Never throws: a file that cannot be read is NotBundle, and whoever opens it
// next reports why.
BundleIndex ReadBundleIndex(const std::filesystem::path& file);

// Passes the entry's bytes to sink in pieces. Throws IoError, also when the file has become
// shorter than the index says.
void ReadBundleEntry(const std::filesystem::path& bundle, const BundleEntry& entry,
                     const std::function<void(const char*, std::size_t)>& sink);

// The running program's own file: /proc/self/exe, or where the name it was started by leads
// when /proc is not there.
std::filesystem::path RunningProgramFile();

// A file given to BundleWriter::AddFile could not be read; what() is the system's message.
// The writer cannot go on then.
class UnreadableSourceError : public IoError {
public:
    using IoError::IoError;
};

// Writes a bundle through a ReplacingFile, so nothing appears at the target unless complete.
class BundleWriter {
public:
    // Told the bytes written so far after every piece; it may throw to abandon the file.
    using Progress = std::function<void(std::uint64_t written)>;

    // Starts the file with the first programSize bytes of program. Throws IoError.
    BundleWriter(const std::filesystem::path& target, const std::filesystem::path& program,
                 std::uint64_t programSize, Progress progress = {}, WriteOptions options = {});

    // Appends an entry. Throws IoError, UnreadableSourceError when file cannot be read, or
    // SystemFileError (base/SystemFiles.h) when it is a system file, which is never bundled.
    void Add(const std::string& name, std::string_view bytes);
    void AddFile(const std::string& name, const std::filesystem::path& file);

    // Writes the index and the trailer, puts the file in place and gives execute permission
    // to whoever may read it. Throws IoError, also for more than MaxBundleEntries entries.
    void Commit();

private:
    void Append(const char* bytes, std::size_t count);

    ReplacingFile file_;
    Progress progress_;
    std::uint64_t written_ = 0;
    std::uint64_t programSize_ = 0;
    std::vector<BundleEntry> entries_;
};

} // namespace umbrascope
