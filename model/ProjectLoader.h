#pragma once

// Opening a project from a path as a user or a script gave it: the one way every part of the
// program opens one. User-interface thread (or a command-line mode's only thread).

#include <filesystem>
#include <string>
#include <string_view>

struct ProjectLoad {
    enum class Outcome { Opened, WrongFormat, Unreadable, UnrepresentablePath };
    Outcome outcome = Outcome::Opened;
    std::filesystem::path path; // absolute, so media are looked for beside the project
    std::string message;        // UTF-8; empty when opened

    bool Opened() const { return outcome == Outcome::Opened; }
};

// Makes the path absolute (without following links), resets the open session and reads the
// project into it, setting ProjectFileName. Whatever the outcome, the session is reset first,
// so a failed open leaves a new, empty project. Does not compute the state. Never throws for
// a file that cannot be read: the system's message comes back instead.
ProjectLoad LoadProject(const std::filesystem::path& path);

// The message for a path that Windows-1251 cannot hold (UTF-8).
std::string UnrepresentablePathMessage(std::string_view utf8Path);
