#pragma once

// A folder of this test program's own for the files it writes, so that test programs run side
// by side never share a file.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

namespace umbrascope {

inline std::filesystem::path TestFilePath(const std::string& name) {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::path(::testing::TempDir()) /
                    ("umbrascope-visual-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder / name;
}

} // namespace umbrascope
