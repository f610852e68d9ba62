#include "BuiltSession.h"

#include "Cp1251.h"
#include "EventCatalogue.h"
#include "MediaPath.h"
#include "ProjectFile.h"
#include "Session.h"
#include "base/FileUtils.h"
#include "base/ReplacingFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <set>
#include <system_error>

namespace {

const std::string ProjectEntryName = "session.usp";

enum class MediaField { PhraseFile, Track, TrackRemoval };

// Every text of a session that names a phrase file or a track, with what it names.
template <typename Visit> void ForEachMediaPath(Session& session, Visit visit) {
    visit(session.StartValues.PhraseFile, MediaField::PhraseFile);
    for (std::string& track : session.StartValues.Waves)
        visit(track, MediaField::Track);
    for (TSessionEvent& event : session.Events) {
        switch (EventKindOf(event.EventType).value_or(EventKind::Undefined)) {
        case EventKind::PhraseFile:
            visit(event.EventValue, MediaField::PhraseFile);
            break;
        case EventKind::AddTrack:
            visit(event.EventValue, MediaField::Track);
            break;
        case EventKind::RemoveTrack:
            visit(event.EventValue, MediaField::TrackRemoval);
            break;
        default:
            break;
        }
    }
}

bool IsMediaPath(std::string_view value) {
    return !value.empty() && !value.starts_with(".&");
}

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

    explicit MediaCollection(std::string_view projectFolder) : projectFolder_(projectFolder) {
        taken_.insert(AnsiUpperCase(ProjectEntryName));
    }

    void Collect(const std::string& value) {
        if (!IsMediaPath(value) || Find(value))
            return;
        std::string resolved = value;
        if (!ResolveMediaPath(resolved, projectFolder_) || !Readable(resolved)) {
            if (std::find(leftOut_.begin(), leftOut_.end(), value) == leftOut_.end())
                leftOut_.push_back(value);
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

void UnpackEntry(const std::filesystem::path& bundle, const BundleEntry& entry,
                 const std::filesystem::path& target) {
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    const auto fail = [&target] {
        throw EInOutError(target.string() + ": " + std::strerror(errno));
    };
    if (!out)
        fail();
    ReadBundleEntry(bundle, entry, [&](const char* bytes, std::size_t count) {
        if (!out.write(bytes, static_cast<std::streamsize>(count)))
            fail();
    });
    out.close();
    if (!out)
        fail();
}

// The project of the built session, copied into folder to be read. Empty when it is not one.
std::optional<Session> ReadBundledProject(const std::filesystem::path& bundle,
                                          const BundleIndex& index,
                                          const std::filesystem::path& folder) {
    const BundleEntry& project = index.entries.front();
    UnpackEntry(bundle, project, folder / project.name);
    TFile file(folder / project.name);
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

std::vector<std::string> BuildSessionFile(const Session& session, std::string_view projectFolder,
                                          const std::filesystem::path& program,
                                          const std::filesystem::path& target,
                                          const BuildProgress& progress) {
    MediaCollection media(projectFolder);
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

    // Built from a built session, the program is what comes before its entries.
    const BundleIndex self = ReadBundleIndex(program);
    if (self.kind == BundleIndex::Kind::Damaged)
        throw EInOutError(program.string() + ": " + self.problem);
    const std::string project = ProjectBytes(bundled);
    std::uint64_t total = self.programSize + project.size();
    for (const auto& medium : media.Media()) {
        std::error_code unknown;
        const auto size = std::filesystem::file_size(FileSystemPath(medium.resolved), unknown);
        total += unknown ? 0 : size;
    }
    BundleWriter::Progress written;
    if (progress)
        written = [&progress, total](std::uint64_t done) { progress(done, std::max(done, total)); };
    BundleWriter writer(target, program, self.programSize, std::move(written));
    writer.Add(ProjectEntryName, project);
    for (const auto& medium : media.Media())
        writer.AddFile(Cp1251ToUtf8(medium.name), FileSystemPath(medium.resolved));
    writer.Commit();
    return media.LeftOut();
}

BuiltSessionLoad LoadBuiltSession(const std::filesystem::path& bundle, const BundleIndex& index,
                                  BundledMedia media) {
    BuiltSessionLoad result;
    ProjectLoad& load = result.load;
    load.path = bundle;
    const auto names = MediaNames(index);
    if (!names || index.entries.empty()) {
        load.outcome = ProjectLoad::Outcome::WrongFormat;
        load.message = UnusableNamesMessage;
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
        auto session = ReadBundledProject(bundle, index, folder->Path());
        if (!session) {
            load.outcome = ProjectLoad::Outcome::WrongFormat;
            load.message = WrongFormatMessage;
            return result;
        }
        std::string projectFile = Utf8ToCp1251(bundle.string()).value_or("");
        if (media == BundledMedia::Unpacked) {
            for (std::size_t i = 1; i < index.entries.size(); ++i)
                UnpackEntry(bundle, index.entries[i], folder->Path() / index.entries[i].name);
            PointBundledMediaAt(*session, *names, *modelFolder);
            // Beside its media, as a project moved together with them.
            projectFile = Utf8ToCp1251((folder->Path() / index.entries[0].name).string())
                              .value_or(projectFile);
            result.media = std::move(folder);
        }
        load.session = std::move(*session);
        load.projectFileName = std::move(projectFile);
    } catch (const EInOutError& failure) {
        result.media.reset();
        load.outcome = ProjectLoad::Outcome::Unreadable;
        load.message = failure.what();
    }
    return result;
}

std::optional<std::string> ExtractBuiltProject(const std::filesystem::path& bundle,
                                               const BundleIndex& index,
                                               const std::filesystem::path& out) {
    const auto names = MediaNames(index);
    if (!names || index.entries.empty())
        return UnusableNamesMessage;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(out, error);
    const std::filesystem::path target = (error ? out : absolute).lexically_normal();
    const std::filesystem::path folder = target.parent_path();
    const auto modelFolder = Utf8ToCp1251(folder.string());
    if (!modelFolder)
        return UnrepresentablePathMessage(folder.string());

    std::string present;
    for (std::size_t i = 1; i < index.entries.size(); ++i) {
        const std::filesystem::path medium = folder / index.entries[i].name;
        if (std::filesystem::exists(std::filesystem::symlink_status(medium, error)) ||
            medium == target)
            present += "\n  " + medium.string();
    }
    if (!present.empty())
        return "the media are written beside " + target.string() +
               ", where files of their names are already:" + present +
               "\nnothing was written; choose another folder";

    std::optional<Session> session;
    {
        const PrivateFolder scratch("umbrascope-extract");
        session = ReadBundledProject(bundle, index, scratch.Path());
    }
    if (!session)
        return WrongFormatMessage;
    PointBundledMediaAt(*session, *names, *modelFolder);
    std::vector<std::unique_ptr<ReplacingFile>> media;
    for (std::size_t i = 1; i < index.entries.size(); ++i) {
        media.push_back(std::make_unique<ReplacingFile>(folder / index.entries[i].name));
        ReplacingFile& file = *media.back();
        ReadBundleEntry(bundle, index.entries[i], [&file](const char* bytes, std::size_t count) {
            file.Write(bytes, count);
        });
    }
    ReplacingFile project(target);
    const std::string bytes = ProjectBytes(*session);
    project.Write(bytes.data(), bytes.size());
    for (const auto& medium : media)
        medium->Commit();
    project.Commit();
    return std::nullopt;
}
