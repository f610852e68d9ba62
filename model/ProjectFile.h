#pragma once

// The ".usp" project file: the header, the start values and the event list, field after
// field with no padding (magic "USP 4.1 "). Thread rule: ReadProject and ProjectBytes work on
// values and may run on any thread; the functions that read or write the open session belong
// to the user-interface thread.

#include "Common.h"

#include <cstdint>
#include <filesystem>
#include <string>

class TFile;

enum class ProjectReadResult { Read, WrongFormat };

// "Неверный формат файла", in UTF-8 for the user interface.
extern const char* const WrongFormatMessage;

// Reads a whole project. A truncated file reads as far as it goes: missing numbers are 0,
// missing texts empty. A wrong magic, or a track or event count that is negative or more than
// the rest of the file can hold, gives WrongFormat and leaves contents untouched.
ProjectReadResult ReadProject(TFile& file, Session& contents);

// The bytes a project file holds for these contents.
std::string ProjectBytes(const Session& contents);

// Reads the file at this Windows-1251 path into the session model and sets ProjectFileName.
// Does not reset the model first nor compute the state. Throws EInOutError with the system's
// message when the file cannot be opened or read.
ProjectReadResult OpenProjectFile(const std::string& path);

// Writes the open session. The bytes go to a temporary file in the same folder, which then
// replaces the target, so a failed save leaves the previous file as it was.
// Throws EInOutError with the system's message on failure.
void SaveProjectFile(const std::string& path);

// Writes bytes to a file the same safe way.
void WriteFileReplacing(const std::filesystem::path& target, const std::string& bytes);
