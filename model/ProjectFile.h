#pragma once

// The ".usp" project file: the header, the start values and the event list, field after
// field with no padding (magic "USP 4.1 "). Every function works on values and may run on any
// thread.

#include "Session.h"
#include "base/UserText.h"
#include "base/WriteOptions.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace umbrascope {

class TFile;

// Truncated: the file ends before the project does. What it holds was read, the rest is zero
// or empty, as the reader has always filled it.
enum class ProjectReadResult { Read, Truncated, WrongFormat };

// Where a truncated file ends: the part of the project it ends in and, inside a list, how many
// of its entries were read whole.
struct ProjectGap {
    enum class Part { Header, StartValues, Tracks, Events };
    Part part = Part::Header;
    std::int32_t entriesRead = 0;
    std::int32_t entriesStated = 0;
};

inline constexpr TextSource WrongFormatMessage =
    Translatable("umbrascope::ProjectFile", "Неверный формат файла");

// Reads a whole project. A truncated file reads as far as it goes: missing numbers are 0,
// missing texts empty, and gap (when given) says where it ended. A file is whole when every
// field lies in it, the last line with its line feed; bytes after the event list are ignored.
// A wrong magic, or a track or event count that is negative or more than the rest of the file
// can hold, gives WrongFormat and leaves contents untouched.
ProjectReadResult ReadProject(TFile& file, Session& contents, ProjectGap* gap = nullptr);

// The message for a project file that ends too early: names the file and what is missing.
UserText TruncatedProjectMessage(std::string_view utf8Path, const ProjectGap& gap);

// "Неверный формат файла" with the file's name.
UserText WrongFormatMessageFor(std::string_view utf8Path);

// The bytes a project file holds for these contents.
std::string ProjectBytes(const Session& contents);

// The project in the file at this Windows-1251 path; none when the file is not one (see
// ReadProject). Throws IoError with the system's message when the file cannot be opened
// or read.
std::optional<Session> OpenProjectFile(const std::string& path);

// Writes the session to the file at this Windows-1251 path. The bytes go to a temporary file
// in the same folder, which then replaces the target, so a failed save leaves the previous
// file as it was; options say how to wait for another program's lock on it. Throws IoError with
// the system's message on failure.
void SaveProjectFile(const std::string& path, const Session& session, WriteOptions options = {});

// Writes bytes to a file the same safe way.
void WriteFileReplacing(const std::filesystem::path& target, const std::string& bytes,
                        WriteOptions options = {});

} // namespace umbrascope
