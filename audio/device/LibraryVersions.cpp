#include "LibraryVersions.h"

#include <SDL_version.h>

namespace umbrascope {

// Newer libmpg123 tells its version; an older one is named by the version it was built
// against.
extern "C" const char* mpg123_distversion(unsigned int* major, unsigned int* minor,
                                          unsigned int* patch) __attribute__((weak));

std::string SoundLibraryVersions() {
    SDL_version sdl;
    SDL_GetVersion(&sdl);
    std::string mpg123 = UMBRASCOPE_MPG123_VERSION;
    if (mpg123_distversion) {
        unsigned int major = 0, minor = 0, patch = 0;
        mpg123_distversion(&major, &minor, &patch);
        mpg123 = std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch);
    }
    return "SDL2 " + std::to_string(sdl.major) + "." + std::to_string(sdl.minor) + "." +
           std::to_string(sdl.patch) + ", mpg123 " + mpg123;
}

} // namespace umbrascope
