#pragma once

// Opening a project from a path as a user or a script gave it: the one way every part of the
// program opens one. Reads the file and changes nothing else, except that a rewrite of it that
// was cut off is first undone from its backup (base/InPlaceRewrite.h): any thread.

#include "Session.h"
#include "base/UserText.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace umbrascope {

struct ProjectLoad {
    enum class Outcome { Opened, WrongFormat, Unreadable, UnrepresentablePath };
    Outcome outcome = Outcome::Opened;
    std::filesystem::path path; // absolute, so media are looked for beside the project
    UserText message;           // empty when opened
    // When the file ended before the project did (opened all the same): what is missing.
    UserText damage;
    // When a rewrite of the file had been cut off: that its previous contents were put back,
    // or where they are kept when they could not be.
    UserText recovery;
    // What the document becomes: the project read and its file name (Windows-1251), or a new,
    // empty project with no file when it could not be opened.
    Session session;
    std::string projectFileName;

    bool Opened() const { return outcome == Outcome::Opened; }
};

// Makes the path absolute (without following links) and reads the project there. Never throws
// for a file that cannot be read: the system's message comes back instead.
ProjectLoad LoadProject(const std::filesystem::path& path);

// The message for a path that Windows-1251 cannot hold.
UserText UnrepresentablePathMessage(std::string_view utf8Path);

} // namespace umbrascope
