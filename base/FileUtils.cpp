#include "FileUtils.h"

#include "SystemFileCalls.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace umbrascope {

namespace {

constexpr std::uint32_t HalfWindow = TFile::WindowSize / 2;

std::uint32_t SizeOfOpenFile(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || info.st_size < 0)
        return 0;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(info.st_size, 0xFFFFFFFFu));
}

} // namespace

TFile::TFile(const std::filesystem::path& name) {
    fd_ = open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        ThrowSystemError(errno);
    struct stat info {};
    if (fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        close(fd_);
        ThrowSystemError(error);
    }
    data_ = std::make_unique<std::uint8_t[]>(std::size_t{WindowSize} * 2);
    try {
        LoadWindow(0, 0);
    } catch (...) {
        close(fd_);
        throw;
    }
    std::memcpy(data_.get() + WindowSize, data_.get(), windows_[0].length);
    windows_[1] = windows_[0];
    lastWindow_ = 1;
}

TFile::~TFile() {
    close(fd_);
}

void TFile::RefreshFileSize() {
    fileSize_ = SizeOfOpenFile(fd_);
}

std::uint32_t TFile::SizeLocked() const {
    std::uint64_t size = fileSize_;
    for (const auto& window : windows_)
        if (window.length > 0)
            size = std::max<std::uint64_t>(size, std::uint64_t{window.start} + window.length);
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(size, 0xFFFFFFFFu));
}

std::uint32_t TFile::Size() const {
    std::lock_guard lock(busy_);
    return SizeLocked();
}

void TFile::LoadWindow(int w, std::uint32_t start) {
    RefreshFileSize();
    const std::uint32_t wanted = start < fileSize_ ? std::min(WindowSize, fileSize_ - start) : 0;
    windows_[w] = {start, 0};
    ++diskReads_;
    windows_[w].length = static_cast<std::uint32_t>(
        ReadFullyAt(fd_, data_.get() + std::size_t{WindowSize} * w, wanted, start));
}

int TFile::WindowFor(std::uint64_t p) {
    for (int w = 0; w < 2; ++w) {
        if (windows_[w].Covers(p)) {
            lastWindow_ = w;
            return w;
        }
    }
    if (p >= SizeLocked())
        return -1;
    const int w = 1 - lastWindow_;
    const auto position = static_cast<std::uint32_t>(p);
    std::uint32_t start = position;
    if (position < WindowSize)
        start = 0;
    else if (position < windows_[w].start)
        start = position - HalfWindow;
    LoadWindow(w, start);
    if (!windows_[w].Covers(p))
        return -1; // the file has shrunk under us
    lastWindow_ = w;
    return w;
}

namespace {

// Where the zeros of an uncovered stretch starting at p end: the next window or the limit.
std::uint64_t EndOfGap(std::uint64_t p, std::uint64_t limit, std::uint32_t startA,
                       std::uint32_t lengthA, std::uint32_t startB, std::uint32_t lengthB) {
    std::uint64_t end = limit;
    if (lengthA > 0 && startA > p)
        end = std::min<std::uint64_t>(end, startA);
    if (lengthB > 0 && startB > p)
        end = std::min<std::uint64_t>(end, startB);
    return end;
}

} // namespace

std::uint32_t TFile::Read(void* buffer, std::uint32_t position, std::uint32_t count) {
    std::lock_guard lock(busy_);
    auto* out = static_cast<std::uint8_t*>(buffer);
    const std::uint64_t end = std::uint64_t{position} + count;
    std::uint64_t p = position;
    while (p < end) {
        const int w = WindowFor(p);
        std::uint64_t next;
        if (w < 0) {
            next = EndOfGap(p, end, windows_[0].start, windows_[0].length, windows_[1].start,
                            windows_[1].length);
            std::memset(out, 0, next - p);
        } else {
            next =
                std::min<std::uint64_t>(end, std::uint64_t{windows_[w].start} + windows_[w].length);
            std::memcpy(out, WindowBytes(w) + (p - windows_[w].start), next - p);
        }
        out += next - p;
        p = next;
    }
    return static_cast<std::uint32_t>(end);
}

std::uint32_t TFile::ReadString(std::string& text, std::uint32_t position, std::uint32_t count) {
    text.assign(count, '\0');
    return Read(text.data(), position, count);
}

namespace {

bool NeedsDecoding(std::uint8_t byte) {
    return byte <= 1 || byte == 10 || byte == 13;
}

// Appends the decoded line bytes up to and including the first LF, while text may take room
// more characters; returns how many bytes were taken.
std::size_t AppendLineBytes(std::string& text, const std::uint8_t* bytes, std::size_t count,
                            std::size_t room) {
    std::size_t i = 0;
    while (i < count && room > 0) {
        // Most of a line needs no decoding: copy each plain run in one go.
        const std::size_t runStart = i;
        const std::size_t runEnd = i + std::min(count - i, room);
        while (i < runEnd && !NeedsDecoding(bytes[i]))
            ++i;
        text.append(reinterpret_cast<const char*>(bytes) + runStart, i - runStart);
        room -= i - runStart;
        if (i == runEnd)
            continue;
        const std::uint8_t byte = bytes[i++];
        if (byte == 10)
            break;
        if (byte != 13) {
            text += byte == 0 ? '\n' : '\r';
            --room;
        }
    }
    return i;
}

// The bytes up to and including the first LF, or all of them.
std::size_t PassLineBytes(const std::uint8_t* bytes, std::size_t count) {
    const void* lineFeed = std::memchr(bytes, 10, count);
    return lineFeed
               ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(lineFeed) - bytes) + 1
               : count;
}

} // namespace

std::uint32_t TFile::ReadLine(std::string& text, std::uint32_t position) {
    return ReadLinePart(text, position, std::string::npos, 0xFFFFFFFFu).next;
}

TFile::LinePart TFile::ReadLinePart(std::string& text, std::uint32_t position,
                                    std::size_t maxCharacters, std::uint32_t maxBytes) {
    std::lock_guard lock(busy_);
    text.clear();
    const std::uint64_t stop = std::uint64_t{position} + maxBytes;
    std::uint64_t p = position;
    for (;;) {
        const std::uint64_t limit = std::min<std::uint64_t>(SizeLocked(), stop);
        if (p >= limit)
            break;
        const std::size_t room = maxCharacters - std::min(maxCharacters, text.size());
        const int w = WindowFor(p);
        if (w < 0) {
            const std::uint64_t next = EndOfGap(p, limit, windows_[0].start, windows_[0].length,
                                                windows_[1].start, windows_[1].length);
            if (next <= p)
                break; // the file has shrunk below p: nothing more to read
            // Unreadable bytes read as 0, which stands for LF.
            text.append(std::min<std::uint64_t>(next - p, room), '\n');
            p = next;
            continue;
        }
        const Window& window = windows_[w];
        const std::uint8_t* begin = WindowBytes(w) + (p - window.start);
        const std::size_t available =
            std::min<std::uint64_t>(std::uint64_t{window.start} + window.length, limit) - p;
        const std::size_t taken = room > 0 ? AppendLineBytes(text, begin, available, room)
                                           : PassLineBytes(begin, available);
        p += taken;
        if (taken > 0 && begin[taken - 1] == 10)
            return {static_cast<std::uint32_t>(p), true};
    }
    return {static_cast<std::uint32_t>(p), p >= SizeLocked()};
}

std::uint32_t TFile::WindowStart(int window) const {
    std::lock_guard lock(busy_);
    return windows_.at(window).start;
}

std::uint32_t TFile::WindowLength(int window) const {
    std::lock_guard lock(busy_);
    return windows_.at(window).length;
}

int TFile::LastWindow() const {
    std::lock_guard lock(busy_);
    return lastWindow_;
}

int TFile::DiskReads() const {
    std::lock_guard lock(busy_);
    return diskReads_;
}

} // namespace umbrascope
