#pragma once

// Built sessions: the program with a project and every medium the project names appended to it
// (base/Bundle.h), so that the session plays on another machine with no other file. Entry 0 is
// the project. In it, every bundled medium is named by its entry's bare file name; a medium
// that was not found when building keeps its path. The project file format is unchanged.
//
// Thread rule: every function works on values and files and may run on any thread.

#include "ProjectLoader.h"
#include "Session.h"
#include "base/Bundle.h"
#include "base/PrivateFolder.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrascope {

// What a build put into the built session and what it left out (Windows-1251 paths).
struct BuiltSessionContents {
    std::vector<std::string> bundled; // each file bundled, once, where it was found
    // Media not found or not readable, the latter followed by the system's message in brackets.
    std::vector<std::string> leftOut;
    std::vector<std::string> systemFiles; // never bundled (base/SystemFiles.h)
};

// Writes a built session of these contents to target: the program's own bytes, the project,
// then every phrase file and sound file the start values and the events name, found where
// named or beside the project (projectFolder). Media that are not found, cannot be read or are
// system files are left out and keep their paths. Throws IoError, also for a session that names
// more media than a bundle may hold (MaxBundleEntries); nothing is left at target then.
// progress, when given, is told the bytes written and the bytes to write as the copy goes; an
// exception it throws abandons the file likewise. writing: how to wait for another program's
// lock on target.
using BuildProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;
BuiltSessionContents BuildSessionFile(const Session& session, std::string_view projectFolder,
                                      const std::filesystem::path& program,
                                      const std::filesystem::path& target,
                                      const BuildProgress& progress = {},
                                      const WriteOptions& writing = {});

enum class BundledMedia {
    Unpacked,  // copied into a private folder, where the loaded project names them
    LeftInside // not copied; the project keeps their bare names (enough to show the session)
};

struct BuiltSessionLoad {
    ProjectLoad load;
    // The unpacked media, there while this lives. The loaded project names them through the
    // folder's descriptor (PrivateFolder::OpenablePath), so they cannot be swapped by name.
    std::unique_ptr<PrivateFolder> media;
    std::string notice; // why the temporary folder is not the usual one (PrivateFolder::Notice)
};

// Called as a built session's bytes are copied out, at every entry and every megabyte; an
// exception it throws abandons the copy, and what was copied goes.
using CopyCheckpoint = std::function<void()>;

// Reads the built session's project (the load's session and file name, which is the unpacked
// project's when the media are unpacked). Never throws for a file that cannot be read: the
// message comes back instead. An exception of checkpoint passes through, the unpacked media
// removed.
BuiltSessionLoad LoadBuiltSession(const std::filesystem::path& bundle, const BundleIndex& index,
                                  BundledMedia media, const CopyCheckpoint& checkpoint = {});

// Writes the built session's project to out and its media beside it, the project naming them
// there, all of them or none, holding a few descriptors however many media there are. Every
// medium is created new, never over a file or through a link of its name: when such a file is
// there, nothing is written and a message (UTF-8) says so. Throws IoError (or what checkpoint
// throws); nothing is written then either.
std::optional<std::string> ExtractBuiltProject(const std::filesystem::path& bundle,
                                               const BundleIndex& index,
                                               const std::filesystem::path& out,
                                               const CopyCheckpoint& checkpoint = {});

} // namespace umbrascope
