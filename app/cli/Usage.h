#pragma once

// What the command line offers, written once: --help prints it, --version names the program
// and its license, and the build makes the manual page from the same table, so the two cannot
// say different things.

#include <string>
#include <string_view>
#include <vector>

namespace umbrascope {

struct CommandUsage {
    // Runs the command with the arguments after its name; none for the desktop program and
    // for --help and --version, which the command line answers itself.
    int (*run)(const std::vector<std::string>& arguments);
    // The arguments after the program's name, the command's own name first; "\n" starts a
    // continuation line.
    std::string_view synopsis;
    // One or two lines for --help; "\n" breaks the line.
    std::string_view summary;
    // The manual's paragraph on the command; "\n\n" starts a new paragraph.
    std::string_view details;
};

// The command named name ("--play"), or null.
const CommandUsage* FindCommand(std::string_view name);

std::string UsageText();

// The sound export's outputs and sample widths as the synopsis writes them, from the table of
// sound file formats: "OUT.wav|OUT.flac", "16|24".
std::string SoundFileNamesSynopsis();
std::string SoundFileBitsSynopsis();
std::string VersionText();

// The manual page umbrascope(1) in the man macros; date is its YYYY-MM-DD.
std::string ManualPage(std::string_view date);

} // namespace umbrascope
