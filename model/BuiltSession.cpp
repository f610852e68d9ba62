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
#include "base/SystemFileCalls.h"
#include "base/WritePlace.h"

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <set>
#include <sys/stat.h>
#include <system_error>

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

// The media a session names, each file once under a name of its own.
class MediaCollection {
public:
    struct Medium {
        std::string resolved; // where the file was found (Windows-1251)
        std::string name;     // its entry's name (Windows-1251)
    };

    // unreadable: files found to fail part way through, with the system's message.
    MediaCollection(std::string_view projectFolder,
                    const std::map<std::string, std::string>& unreadable)
        : projectFolder_(projectFolder), unreadable_(unreadable) {
        taken_.insert(AnsiUpperCase(ProjectEntryName));
    }

    void Collect(const std::string& value) {
        if (!IsMediaPath(value) || Find(value))
            return;
        std::string resolved = value;
        const bool found = ResolveMediaPath(resolved, projectFolder_) && Readable(resolved);
        const auto failed = unreadable_.find(resolved);
        if (!found || failed != unreadable_.end()) {
            const std::string entry = found ? value + " (" + failed->second + ")" : value;
            if (std::find(leftOut_.begin(), leftOut_.end(), entry) == leftOut_.end())
                leftOut_.push_back(entry);
            // A path left as it stands must never read as a bundled medium's name.
            taken_.insert(AnsiUpperCase(value));
            return;
        }
        const auto same = std::find_if(media_.begin(), media_.end(),
                                       [&](const Medium& m) { return m.resolved == resolved; });
        const auto index = static_cast<std::size_t>(same - media_.begin());
        if (same == media_.end())
            media_.push_back({resolved, {}});
        named_.push_back({value, index});
    }

    // Gives every medium its name, once every left-out path is known.
    void NameMedia() {
        for (Medium& medium : media_)
            medium.name = UniqueName(EntryNameFor(ExtractFileName(medium.resolved)));
    }

    // The entry that stands for value. A removal names a track regardless of case, or the file
    // its value finds.
    std::optional<std::string> NameFor(const std::string& value, MediaField field) const {
        if (const auto index = Find(value))
            return media_[*index].name;
        if (field != MediaField::TrackRemoval || !IsMediaPath(value))
            return std::nullopt;
        for (const auto& [named, index] : named_)
            if (AnsiSameText(named, value))
                return media_[index].name;
        std::string resolved = value;
        if (ResolveMediaPath(resolved, projectFolder_))
            for (const Medium& medium : media_)
                if (medium.resolved == resolved)
                    return medium.name;
        return std::nullopt;
    }

    const std::vector<Medium>& Media() const { return media_; }
    const std::vector<std::string>& LeftOut() const { return leftOut_; }

private:
    std::optional<std::size_t> Find(const std::string& value) const {
        for (const auto& [named, index] : named_)
            if (named == value)
                return index;
        return std::nullopt;
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
    const std::map<std::string, std::string>& unreadable_;
    std::vector<Medium> media_;
    std::vector<std::pair<std::string, std::size_t>> named_; // each text that named a medium
    std::vector<std::string> leftOut_;
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

// Copies the entry into a new file of its name in folder.
void UnpackEntry(const std::filesystem::path& bundle, const BundleEntry& entry,
                 const FolderHandle& folder, const CopyCheckpoint& checkpoint) {
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
    TFile file(folder.Path() / project.name);
    Session session;
    if (ReadProject(file, session) == ProjectReadResult::WrongFormat)
        return std::nullopt;
    return session;
}

// Points every text that names a bundled medium at its copy in folder (Windows-1251).
void PointBundledMediaAt(Session& session, const std::vector<std::string>& names,
                         const std::string& folder) {
    ForEachMediaPath(session, [&](std::string& value, MediaField) {
        if (std::find(names.begin(), names.end(), value) != names.end())
            value = folder + "/" + value;
    });
}

} // namespace

namespace {

// A medium that failed part way through its copy (Windows-1251 path, the system's message).
struct UnreadableMedium {
    std::string resolved;
    std::string message;
};

// One attempt at the built session, leaving out the media known to be unreadable. Throws
// UnreadableMedium for another one that is.
std::vector<std::string> WriteBuiltSession(
    const Session& session, std::string_view projectFolder, const std::filesystem::path& program,
    std::uint64_t programSize, const std::filesystem::path& target, const BuildProgress& progress,
    const WriteOptions& writing, const std::map<std::string, std::string>& unreadable) {
    MediaCollection media(projectFolder, unreadable);
    Session bundled = session;
    ForEachMediaPath(bundled, [&](const std::string& value, MediaField field) {
        if (field != MediaField::TrackRemoval)
            media.Collect(value);
    });
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
        } catch (const UnreadableSourceError& failure) {
            throw UnreadableMedium{medium.resolved, failure.what()};
        }
    }
    writer.Commit();
    return media.LeftOut();
}

} // namespace

std::vector<std::string> BuildSessionFile(const Session& session, std::string_view projectFolder,
                                          const std::filesystem::path& program,
                                          const std::filesystem::path& target,
                                          const BuildProgress& progress,
                                          const WriteOptions& writing) {
    // Built from a built session, the program is what comes before its entries.
    const BundleIndex self = ReadBundleIndex(program);
    if (self.kind == BundleIndex::Kind::Damaged)
        throw IoError(program.string() + ": " + self.problem);
    // The project names every bundled medium by its entry and comes first, so a medium that
    // opens but fails part way through (a device, a failing disk) means starting again
    // without it. Each failure leaves one more out, so this ends.
    std::map<std::string, std::string> unreadable;
    for (;;) {
        try {
            return WriteBuiltSession(session, projectFolder, program, self.programSize, target,
                                     progress, writing, unreadable);
        } catch (const UnreadableMedium& medium) {
            unreadable.emplace(medium.resolved, medium.message);
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
        const auto modelFolder = Utf8ToCp1251(folder->Path().string());
        if (!modelFolder) {
            load.outcome = ProjectLoad::Outcome::UnrepresentablePath;
            load.message = UnrepresentablePathMessage(folder->Path().string());
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
            projectFile = Utf8ToCp1251((folder->Path() / index.entries[0].name).string())
                              .value_or(projectFile);
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
    std::vector<std::unique_ptr<ReplacingFile>> media;
    for (std::size_t i = 1; i < index.entries.size(); ++i) {
        media.push_back(std::make_unique<ReplacingFile>(folder, index.entries[i].name,
                                                        ReplacingFile::Existing::Refuse));
        ReplacingFile& file = *media.back();
        ReadBundleEntry(bundle, index.entries[i], [&](const char* bytes, std::size_t count) {
            if (checkpoint)
                checkpoint();
            file.Write(bytes, count);
        });
    }
    ReplacingFile project(folder, target.filename());
    const std::string bytes = ProjectBytes(*session);
    project.Write(bytes.data(), bytes.size());
    // All or nothing: the media that were put in place go again should a later file fail.
    std::size_t placed = 0;
    try {
        for (; placed < media.size(); ++placed)
            media[placed]->Commit();
        project.Commit();
    } catch (...) {
        for (std::size_t i = 0; i < placed; ++i)
            media[i]->Withdraw();
        throw;
    }
    return std::nullopt;
}

} // namespace umbrascope
