#pragma once

// TFile: a read-only file read at arbitrary positions through two cached 512 KB windows.
// Reads carry their own positions, so several readers may share one instance.
//
// Thread rule: Read, ReadString and ReadLine are thread safe; each call holds the instance's
// lock while it copies. The owner must make sure no read is under way or can start before it
// destroys the instance.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

namespace umbrascope {

// The system refused to open or read a file; what() is the system's message.
class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TFile {
public:
    static constexpr std::uint32_t WindowSize = 524288;

    // Opens the file read-only and loads its first bytes into both windows.
    // Throws IoError when the file cannot be opened or read (a folder cannot be read).
    explicit TFile(const std::filesystem::path& name);
    ~TFile();
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;

    // Copies count bytes from position on; bytes at or past the end read as 0.
    // Returns position + count (modulo 2^32).
    std::uint32_t Read(void* buffer, std::uint32_t position, std::uint32_t count);

    // text receives count characters, one per byte, zero bytes included.
    std::uint32_t ReadString(std::string& text, std::uint32_t position, std::uint32_t count);

    // text receives the line starting at position: CR and LF are dropped, a byte 0 becomes LF
    // and a byte 1 becomes CR. Returns the position after the LF, or Size() at the end.
    std::uint32_t ReadLine(std::string& text, std::uint32_t position);

    // Where a bounded line read stopped: after the line's end (or at the end of the file), or,
    // when finished is false, inside the line.
    struct LinePart {
        std::uint32_t next = 0;
        bool finished = false;
    };

    // ReadLine with bounds, for lines that may be absurdly long: text receives at most
    // maxCharacters characters, the rest of the line is passed over without being copied, and
    // no more than maxBytes bytes are looked at.
    LinePart ReadLinePart(std::string& text, std::uint32_t position, std::size_t maxCharacters,
                          std::uint32_t maxBytes);

    // The larger of the file's size and the end of either window.
    std::uint32_t Size() const;

    // Never used by the reader itself: one user may keep its place here.
    std::uint32_t ReadPosition = 0;

    // For tests: where each window lies and how many times the disk was read.
    std::uint32_t WindowStart(int window) const;
    std::uint32_t WindowLength(int window) const;
    int LastWindow() const;
    int DiskReads() const;

private:
    struct Window {
        std::uint32_t start = 0;
        std::uint32_t length = 0;
        bool Covers(std::uint64_t p) const {
            return p >= start && p < std::uint64_t{start} + length;
        }
    };

    // Index of the window holding p, loading one if p lies inside the file; -1 otherwise.
    int WindowFor(std::uint64_t p);
    void LoadWindow(int w, std::uint32_t start);
    std::uint32_t SizeLocked() const;
    void RefreshFileSize();
    const std::uint8_t* WindowBytes(int w) const {
        return data_.get() + std::size_t{WindowSize} * w;
    }

    int fd_ = -1;
    std::uint32_t fileSize_ = 0;
    std::unique_ptr<std::uint8_t[]> data_;
    std::array<Window, 2> windows_{};
    int lastWindow_ = 1;
    int diskReads_ = 0;
    mutable std::mutex busy_;
};

} // namespace umbrascope
