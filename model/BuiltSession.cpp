#include "BuiltSession.h"

#include "Cp1251.h"
#include "EventCatalogue.h"
#include "MediaPath.h"
#include "ProjectFile.h"
#include "Session.h"
#include "SessionMedia.h"
#include "base/FileDescriptor.h"
#include "base/FileUtils.h"
#include "base/ReplacingFile.h"
#include "base/StagedFiles.h"
#include "base/SystemFileCalls.h"
#include "base/SystemFiles.h"
#include "base/WritePlace.h"

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <unordered_set>

namespace umbrascope {

namespace {

const std::string ProjectEntryName = "session.usp";

bool Readable(const std::string& cp1251Path) {
    return std::ifstream(FileSystemPath(cp1251Path), std::ios::binary).is_open();
}

// A file name that reads back as one: no separator of either system, no control character,
// and no leading "." (which would hide it, or begin a generator's text).
std::string EntryNameFor(std::string name) {
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\\' || c == ':' || c == '/')
            c = '_';
    if (name.empty())
        return "medium";
    if (name.front() == '.')
        name.front() = '_';
    return name;
}

// A medium found to fail when it was copied (by its Windows-1251 path as found).
struct Unreadable {
    std::string message; // the system's
    bool systemFile = false;
};
using UnreadableMedia = std::map<std::string, Unreadable>;

// The media a session names, each file once under a name of its own. Every lookup is by key,
// so a project that names many media takes no longer than its length.
class MediaCollection {
public:
    struct Medium {
        std::string resolved; // where the file was found (Windows-1251)
        std::string name;     // its entry's name (Windows-1251)
    };

    MediaCollection(std::string_view projectFolder, const UnreadableMedia& unreadable)
        : projectFolder_(projectFolder), unreadable_(unreadable) {
        taken_.insert(AnsiUpperCase(ProjectEntryName));
    }

    void Collect(const std::string& value) {
        if (!IsMediaPath(value) || named_.contains(value))
            return;
        std::string resolved = value;
        const bool found = ResolveMediaPath(resolved, projectFolder_) && Readable(resolved);
        const auto failed = unreadable_.find(resolved);
        if (!found || failed != unreadable_.end()) {
            LeaveOut(value, found ? &failed->second : nullptr);
            // A path left as it stands must never read as a bundled medium's name.
            taken_.insert(AnsiUpperCase(value));
            return;
        }
        const auto [medium, added] = byResolved_.emplace(resolved, media_.size());
        if (added)
            media_.push_back({resolved, {}});
        named_.emplace(value, medium->second);
        byUpperCase_.emplace(AnsiUpperCase(value), medium->second); // the first keeps it
    }

    // Gives every medium its name, once every left-out path is known.
    void NameMedia() {
        for (Medium& medium : media_)
            medium.name = UniqueName(EntryNameFor(ExtractFileName(medium.resolved)));
    }

    // The entry that stands for value. A removal names a track regardless of case, or the file
    // its value finds.
    std::optional<std::string> NameFor(const std::string& value, MediaField field) const {
        if (const auto named = named_.find(value); named != named_.end())
            return media_[named->second].name;
        if (field != MediaField::TrackRemoval || !IsMediaPath(value))
            return std::nullopt;
        if (const auto named = byUpperCase_.find(AnsiUpperCase(value)); named != byUpperCase_.end())
            return media_[named->second].name;
        std::string resolved = value;
        if (ResolveMediaPath(resolved, projectFolder_))
            if (const auto medium = byResolved_.find(resolved); medium != byResolved_.end())
                return media_[medium->second].name;
        return std::nullopt;
    }

    const std::vector<Medium>& Media() const { return media_; }

    BuiltSessionContents Contents() const {
        BuiltSessionContents contents{{}, leftOut_, systemFiles_};
        for (const Medium& medium : media_)
            contents.bundled.push_back(medium.resolved);
        return contents;
    }

private:
    void LeaveOut(const std::string& value, const Unreadable* failure) {
        const bool system = failure && failure->systemFile;
        std::string entry = failure && !system ? value + " (" + failure->message + ")" : value;
        if (listed_.insert(entry).second)
            (system ? systemFiles_ : leftOut_).push_back(std::move(entry));
    }

    std::string UniqueName(const std::string& name) {
        const std::size_t dot = name.rfind('.');
        const std::string stem = name.substr(0, dot == 0 ? name.size() : dot);
        const std::string extension = name.substr(stem.size());
        std::string candidate = name;
        for (int number = 2; !taken_.insert(AnsiUpperCase(candidate)).second; ++number)
            candidate = stem + " (" + std::to_string(number) + ")" + extension;
        return candidate;
    }

    std::string projectFolder_;
    const UnreadableMedia& unreadable_;
    std::vector<Medium> media_;
    std::map<std::string, std::size_t> byResolved_;
    std::map<std::string, std::size_t> named_;       // each text that named a medium
    std::map<std::string, std::size_t> byUpperCase_; // the same in capitals
    std::vector<std::string> leftOut_;
    std::vector<std::string> systemFiles_;
    std::set<std::string> listed_;
    std::set<std::string> taken_;
};

// The names of the bundled media (Windows-1251), entry 1 on; empty when one cannot be a
// project's path.
std::optional<std::vector<std::string>> MediaNames(const BundleIndex& index) {
    std::vector<std::string> names;
    for (std::size_t i = 1; i < index.entries.size(); ++i) {
        auto name = Utf8ToCp1251(index.entries[i].name);
        if (!name)
            return std::nullopt;
        names.push_back(std::move(*name));
    }
    return names;
}

const char* const UnusableNamesMessage =
    "the built session is damaged: its table of contents names a file this program cannot use";

// Copies the entry into a new file of its name in folder. The checkpoint comes at the entry
// too, which an empty one would otherwise never reach.
void UnpackEntry(const std::filesystem::path& bundle, const BundleEntry& entry,
                 const FolderHandle& folder, const CopyCheckpoint& checkpoint) {
    if (checkpoint)
        checkpoint();
    const FileDescriptor out = CreateNewFile(folder, entry.name, 0600);
    std::uint64_t written = 0;
    ReadBundleEntry(bundle, entry, [&](const char* bytes, std::size_t count) {
        if (checkpoint)
            checkpoint();
        WriteFullyAt(out.get(), bytes, count, written);
        written += count;
    });
}

// The project of the built session, copied into folder to be read. Empty when it is not one.
std::optional<Session> ReadBundledProject(const std::filesystem::path& bundle,
                                          const BundleIndex& index, const PrivateFolder& folder,
                                          const CopyCheckpoint& checkpoint) {
    const BundleEntry& project = index.entries.front();
    UnpackEntry(bundle, project, folder.Handle(), checkpoint);
    TFile file(folder.OpenablePath() / project.name);
    Session session;
    if (ReadProject(file, session) == ProjectReadResult::WrongFormat)
        return std::nullopt;
    return session;
}

// Points every text that names a bundled medium at its copy in folder (Windows-1251).
void PointBundledMediaAt(Session& session, const std::vector<std::string>& names,
                         const std::string& folder) {
    const std::unordered_set<std::string> bundled(names.begin(), names.end());
    ForEachMediaPath(session, [&](std::string& value, MediaField) {
        if (bundled.contains(value))
            value = folder + "/" + value;
    });
}

} // namespace

namespace {

// A medium that failed part way through its copy, or turned out to be a system file.
struct UnreadableMedium {
    std::string resolved;
    Unreadable failure;
};

// One attempt at the built session, leaving out the media known to be unreadable. Throws
// UnreadableMedium for another one that is.
BuiltSessionContents WriteBuiltSession(const Session& session, std::string_view projectFolder,
                                       const std::filesystem::path& program,
                                       std::uint64_t programSize,
                                       const std::filesystem::path& target,
                                       const BuildProgress& progress, const WriteOptions& writing,
                                       const UnreadableMedia& unreadable) {
    MediaCollection media(projectFolder, unreadable);
    Session bundled = session;
    ForEachMediaPath(bundled, [&](const std::string& value, MediaField field) {
        if (field != MediaField::TrackRemoval)
            media.Collect(value);
    });
    if (media.Media().size() >= MaxBundleEntries)
        throw IoError("the session names " + std::to_string(media.Media().size()) +
                      " files to bundle; a built session holds at most " +
                      std::to_string(MaxBundleEntries - 1) + " besides its project");
    media.NameMedia();
    ForEachMediaPath(bundled, [&](std::string& value, MediaField field) {
        if (auto name = media.NameFor(value, field))
            value = std::move(*name);
    });

    const std::string project = ProjectBytes(bundled);
    std::uint64_t total = programSize + project.size();
    for (const auto& medium : media.Media()) {
        std::error_code unknown;
        const auto size = std::filesystem::file_size(FileSystemPath(medium.resolved), unknown);
        total += unknown ? 0 : size;
    }
    BundleWriter::Progress written;
    if (progress)
        written = [&progress, total](std::uint64_t done) { progress(done, std::max(done, total)); };
    BundleWriter writer(target, program, programSize, std::move(written), writing);
    writer.Add(ProjectEntryName, project);
    for (const auto& medium : media.Media()) {
        try {
            writer.AddFile(Cp1251ToUtf8(medium.name), FileSystemPath(medium.resolved));
        } catch (const SystemFileError& failure) {
            throw UnreadableMedium{medium.resolved, {failure.what(), true}};
        } catch (const UnreadableSourceError& failure) {
            throw UnreadableMedium{medium.resolved, {failure.what(), false}};
        }
    }
    writer.Commit();
    return media.Contents();
}

} // namespace

BuiltSessionContents BuildSessionFile(const Session& session, std::string_view projectFolder,
                                      const std::filesystem::path& program,
                                      const std::filesystem::path& target,
                                      const BuildProgress& progress, const WriteOptions& writing) {
    // Built from a built session, the program is what comes before its entries.
    const BundleIndex self = ReadBundleIndex(program);
    if (self.kind == BundleIndex::Kind::Damaged)
        throw IoError(program.string() + ": " + self.problem);
    // The project names every bundled medium by its entry and comes first, so a medium that
    // opens but fails part way through (a device, a failing disk) or turns out to be a system
    // file means starting again without it. Each failure leaves one more out, so this ends.
    UnreadableMedia unreadable;
    for (;;) {
        try {
            return WriteBuiltSession(session, projectFolder, program, self.programSize, target,
                                     progress, writing, unreadable);
        } catch (const UnreadableMedium& medium) {
            unreadable.emplace(medium.resolved, medium.failure);
        }
    }
}

BuiltSessionLoad LoadBuiltSession(const std::filesystem::path& bundle, const BundleIndex& index,
                                  BundledMedia media, const CopyCheckpoint& checkpoint) {
    BuiltSessionLoad result;
    ProjectLoad& load = result.load;
    load.path = bundle;
    const auto names = MediaNames(index);
    if (!names || index.entries.empty()) {
        load.outcome = ProjectLoad::Outcome::WrongFormat;
        load.message = UserText::Verbatim(UnusableNamesMessage);
        return result;
    }
    try {
        auto folder = std::make_unique<PrivateFolder>("umbrascope-session");
        result.notice = folder->Notice();
        // The players open their files by name: through the folder's descriptor, nobody can
        // put other files under these names.
        const auto modelFolder = Utf8ToCp1251(folder->OpenablePath().string());
        if (!modelFolder) {
            load.outcome = ProjectLoad::Outcome::UnrepresentablePath;
            load.message = UnrepresentablePathMessage(folder->OpenablePath().string());
            return result;
        }
        auto session = ReadBundledProject(bundle, index, *folder, checkpoint);
        if (!session) {
            load.outcome = ProjectLoad::Outcome::WrongFormat;
            load.message = WrongFormatMessage;
            return result;
        }
        std::string projectFile = Utf8ToCp1251(bundle.string()).value_or("");
        if (media == BundledMedia::Unpacked) {
            for (std::size_t i = 1; i < index.entries.size(); ++i)
                UnpackEntry(bundle, index.entries[i], folder->Handle(), checkpoint);
            PointBundledMediaAt(*session, *names, *modelFolder);
            // Beside its media, as a project moved together with them.
            if (const auto name = Utf8ToCp1251(index.entries[0].name))
                projectFile = *modelFolder + "/" + *name;
            result.media = std::move(folder);
        }
        load.session = std::move(*session);
        load.projectFileName = std::move(projectFile);
    } catch (const IoError& failure) {
        result.media.reset();
        load.outcome = ProjectLoad::Outcome::Unreadable;
        load.message = UserText::Verbatim(failure.what());
    }
    return result;
}

std::optional<std::string> ExtractBuiltProject(const std::filesystem::path& bundle,
                                               const BundleIndex& index,
                                               const std::filesystem::path& out,
                                               const CopyCheckpoint& checkpoint) {
    const auto names = MediaNames(index);
    if (!names || index.entries.empty())
        return UnusableNamesMessage;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(out, error);
    const std::filesystem::path target = (error ? out : absolute).lexically_normal();
    const auto modelFolder = Utf8ToCp1251(target.parent_path().string());
    if (!modelFolder)
        return UnrepresentablePathMessage(target.parent_path().string()).Text();
    // Every file is made relative to this one opening of the folder, so the media and the
    // project cannot end up in different places.
    const FolderHandle folder = OpenFolderForWriting(target.parent_path());

    // Asked first to say which names are taken; creating the files exclusively below is what
    // makes sure.
    std::string present;
    for (std::size_t i = 1; i < index.entries.size(); ++i) {
        const std::string& name = index.entries[i].name;
        struct stat info {};
        if (fstatat(folder.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 ||
            name == target.filename())
            present += "\n  " + (target.parent_path() / name).string();
    }
    if (!present.empty())
        return "the media are written beside " + target.string() +
               ", where files of their names are already:" + present +
               "\nnothing was written; choose another folder";

    std::optional<Session> session;
    {
        const PrivateFolder scratch("umbrascope-extract");
        session = ReadBundledProject(bundle, index, scratch, checkpoint);
    }
    if (!session)
        return std::string(WrongFormatMessage.source);
    PointBundledMediaAt(*session, *names, *modelFolder);
    StagedFiles media(folder);
    for (std::size_t i = 1; i < index.entries.size(); ++i) {
        if (checkpoint)
            checkpoint();
        media.Add(index.entries[i].name, [&](const auto& write) {
            ReadBundleEntry(bundle, index.entries[i], [&](const char* bytes, std::size_t count) {
                if (checkpoint)
                    checkpoint();
                write(bytes, count);
            });
        });
    }
    ReplacingFile project(folder, target.filename());
    const std::string bytes = ProjectBytes(*session);
    project.Write(bytes.data(), bytes.size());
    // All or nothing: should the project fail, the media go again.
    media.PutInPlace();
    project.Commit();
    media.Keep();
    return std::nullopt;
}

} // namespace umbrascope
