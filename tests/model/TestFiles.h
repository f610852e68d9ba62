#pragma once

// Scratch files for tests: a fresh folder per test, removed afterwards.

#include <cstdint>
#include <filesystem>
#include <string>

namespace umbrascope {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// While it lives, writing a file past this many bytes fails (and SIGXFSZ is ignored), so a
// write can be made to fail part way whoever runs the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    std::uint64_t previousLimit_;
    void (*previousHandler_)(int);
};

std::string ReadWholeFile(const std::filesystem::path& path);

// A model path (Windows-1251) for a file-system path made of ASCII and UTF-8 Cyrillic.
std::string ModelPath(const std::filesystem::path& path);

} // namespace umbrascope
