#pragma once

// File names inside stored paths, and finding a project's media files again after the project
// has moved. Stored paths may come from Windows: a path that starts with a drive letter and a
// colon, or that holds backslashes and no slash, is split at "\", "/" and ":". Any other path
// is a Linux path, split at "/" alone.

#include <filesystem>
#include <string>
#include <string_view>

namespace umbrascope {

// The last component of the path.
std::string ExtractFileName(std::string_view path);

// From the last "." of the file name on ("" when the name has none).
std::string ExtractFileExt(std::string_view path);

// The folder part, without the final separator ("" when there is none).
std::string ExtractFileDir(std::string_view path);

// A Windows-1251 path as the file system names it.
std::filesystem::path FileSystemPath(std::string_view cp1251Path);

// True when a regular file exists at this Windows-1251 path.
bool MediaFileExists(std::string_view cp1251Path);

// The folder where a project's moved media are looked for: the folder part of the project
// file's path ("" for a new project that has no file).
std::string ProjectFolderOf(std::string_view projectFileName);

// Tells whether a phrase file or track descriptor can be used. Generator descriptors are usable
// as they are. A file is looked for first, when the path is relative, under projectFolder (so a
// project finds the same files wherever the program is started), then at the path as given,
// then as a file of the same name in projectFolder; the path is replaced by where it was
// found. Any thread.
bool ResolveMediaPath(std::string& path, std::string_view projectFolder);

} // namespace umbrascope
