#pragma once

// The versions of the sound libraries the program runs with. Thread safe.

#include <string>

namespace umbrascope {

// "SDL2 2.26.5, mpg123 1.31.2": the libraries as loaded, where they can tell.
std::string SoundLibraryVersions();

} // namespace umbrascope
