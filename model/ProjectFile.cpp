#include "ProjectFile.h"

#include "MediaPath.h"
#include "SettingsFields.h"
#include "base/FileUtils.h"
#include "base/ReplacingFile.h"

#include <type_traits>

namespace umbrascope {

namespace {

constexpr char Magic[] = "USP 4.1 ";
constexpr std::uint32_t MagicLength = 8;

// The field order of a project file, shared by the reader and the writer. Contents is either
// Session (reading) or const Session (writing).
template <typename Archive, typename Contents> void VisitLayout(Archive& a, Contents& c) {
    a.Line(c.SessionName);
    a.Line(c.SessionAuthor);
    a.Line(c.SessionDescription);
    a.Fixed(c.SessionLength);
    a.Enter(ProjectGap::Part::StartValues);
    VisitSettingsFields(a, c.StartValues);
    a.Enter(ProjectGap::Part::Events);
    a.List(c.Events, [&a](auto& event) {
        a.Line(event.EventType);
        a.Fixed(event.EventTime);
        a.Line(event.EventValue);
    });
}

struct WrongFormat {};

// A track is one line (its line feed at least); an event two lines and its 4-byte time.
template <typename Item> constexpr std::uint64_t SmallestEntryBytes() {
    if constexpr (std::is_same_v<Item, TSessionEvent>)
        return 1 + 4 + 1;
    else
        return 1;
}

class Reader {
public:
    explicit Reader(TFile& file) : file_(file), size_(file.Size()) {}

    void Enter(ProjectGap::Part part) {
        if (!truncated_)
            gap_ = {part, 0, 0};
    }

    void Line(std::string& text) {
        if (position_ >= size_) {
            Missing();
            text.clear();
            return;
        }
        position_ = file_.ReadLine(text, position_);
        // The writer ends every line with a line feed: one the file does not hold was cut off.
        unsigned char last = 0;
        if (position_ >= size_)
            file_.Read(&last, size_ - 1, 1);
        if (position_ >= size_ && last != '\n')
            Missing();
    }

    void Field(const char*, std::string& text) { Line(text); }
    void Field(const char*, std::vector<std::string>& tracks) {
        Enter(ProjectGap::Part::Tracks);
        List(tracks, [this](std::string& track) { Line(track); });
        Enter(ProjectGap::Part::StartValues);
    }
    template <typename T> void Field(const char*, T& value) { Fixed(value); }

    template <typename T> void Fixed(T& value) {
        if (std::uint64_t{position_} + sizeof(T) > size_)
            Missing();
        unsigned char bytes[sizeof(T)];
        position_ = file_.Read(bytes, position_, sizeof(T));
        if constexpr (std::is_same_v<T, bool>) {
            value = bytes[0] != 0;
        } else {
            std::make_unsigned_t<T> bits = 0;
            for (std::size_t i = sizeof(T); i > 0; --i)
                bits = static_cast<decltype(bits)>((bits << 8) | bytes[i - 1]);
            value = static_cast<T>(bits);
        }
    }

    template <typename Item, typename ReadItem>
    void List(std::vector<Item>& items, ReadItem readItem) {
        std::int32_t count = 0;
        Fixed(count);
        // A hostile count must not allocate far more than the file holds: every entry still
        // to come needs at least its line ends and fixed fields in the bytes that remain.
        const std::uint64_t remaining = position_ < size_ ? size_ - position_ : 0;
        if (count < 0 || std::uint64_t(count) * SmallestEntryBytes<Item>() > remaining)
            throw WrongFormat{};
        items.assign(static_cast<std::size_t>(count), Item{});
        for (std::int32_t i = 0; i < count; ++i) {
            if (!truncated_) {
                gap_.entriesRead = i;
                gap_.entriesStated = count;
            }
            readItem(items[static_cast<std::size_t>(i)]);
        }
    }

    bool Truncated() const { return truncated_; }
    const ProjectGap& Gap() const { return gap_; }

    std::uint32_t position_ = MagicLength;

private:
    // The first field the file ends before fixes where the gap is.
    void Missing() { truncated_ = true; }

    TFile& file_;
    std::uint32_t size_;
    ProjectGap gap_;
    bool truncated_ = false;
};

class Writer {
public:
    void Enter(ProjectGap::Part) {}

    void Line(const std::string& text) {
        for (char c : text)
            bytes_ += c == '\r' ? '\x01' : c == '\n' ? '\0' : c;
        bytes_ += '\n';
    }

    void Field(const char*, const std::string& text) { Line(text); }
    void Field(const char*, const std::vector<std::string>& tracks) {
        List(tracks, [this](const std::string& track) { Line(track); });
    }
    template <typename T> void Field(const char*, const T& value) { Fixed(value); }

    template <typename T> void Fixed(const T& value) {
        if constexpr (std::is_same_v<T, bool>) {
            bytes_ += static_cast<char>(value ? 1 : 0);
        } else {
            auto bits = static_cast<std::make_unsigned_t<T>>(value);
            for (std::size_t i = 0; i < sizeof(T);
                 ++i, bits = static_cast<decltype(bits)>(bits >> 8))
                bytes_ += static_cast<char>(bits & 0xFF);
        }
    }

    template <typename Item, typename WriteItem>
    void List(const std::vector<Item>& items, WriteItem writeItem) {
        Fixed(static_cast<std::int32_t>(items.size()));
        for (const auto& item : items)
            writeItem(item);
    }

    std::string bytes_;
};

} // namespace

ProjectReadResult ReadProject(TFile& file, Session& contents, ProjectGap* gap) {
    std::string magic;
    file.ReadString(magic, 0, MagicLength);
    if (magic != Magic)
        return ProjectReadResult::WrongFormat;
    Session read;
    Reader reader(file);
    try {
        VisitLayout(reader, read);
    } catch (const WrongFormat&) {
        return ProjectReadResult::WrongFormat;
    }
    contents = std::move(read);
    if (!reader.Truncated())
        return ProjectReadResult::Read;
    if (gap)
        *gap = reader.Gap();
    return ProjectReadResult::Truncated;
}

UserText TruncatedProjectMessage(std::string_view utf8Path, const ProjectGap& gap) {
    const std::vector<std::string> file{std::string(utf8Path)};
    const auto counted = [&] {
        return std::vector<std::string>{std::string(utf8Path), std::to_string(gap.entriesRead),
                                        std::to_string(gap.entriesStated)};
    };
    switch (gap.part) {
    case ProjectGap::Part::Header:
        break;
    case ProjectGap::Part::StartValues:
        return {Translatable("umbrascope::ProjectFile",
                             "Файл проекта «%1» обрывается в начальных значениях: часть из них и "
                             "все события утеряны."),
                file};
    case ProjectGap::Part::Tracks:
        if (gap.entriesStated == 0)
            return {Translatable("umbrascope::ProjectFile",
                                 "Файл проекта «%1» обрывается перед списком аудиотреков: "
                                 "аудиотреки, дальнейшие начальные значения и все события "
                                 "утеряны."),
                    file};
        return {Translatable("umbrascope::ProjectFile",
                             "Файл проекта «%1» обрывается в списке аудиотреков: прочитано %2 из "
                             "%3; дальнейшие начальные значения и все события утеряны."),
                counted()};
    case ProjectGap::Part::Events:
        if (gap.entriesStated == 0)
            return {Translatable("umbrascope::ProjectFile",
                                 "Файл проекта «%1» обрывается перед списком событий: все события "
                                 "утеряны."),
                    file};
        return {Translatable("umbrascope::ProjectFile",
                             "Файл проекта «%1» обрывается в списке событий: прочитано %2 из %3."),
                counted()};
    }
    return {Translatable("umbrascope::ProjectFile",
                         "Файл проекта «%1» обрывается в заголовке сеанса: нет начальных "
                         "значений, аудиотреков и событий."),
            file};
}

UserText WrongFormatMessageFor(std::string_view utf8Path) {
    return {Translatable("umbrascope::ProjectFile", "Неверный формат файла: %1"),
            {std::string(utf8Path)}};
}

std::string ProjectBytes(const Session& contents) {
    Writer writer;
    writer.bytes_.reserve(4096 + contents.Events.size() * 64);
    writer.bytes_.append(Magic, MagicLength);
    VisitLayout(writer, contents);
    return std::move(writer.bytes_);
}

std::optional<Session> OpenProjectFile(const std::string& path) {
    TFile file(FileSystemPath(path));
    Session contents;
    if (ReadProject(file, contents) == ProjectReadResult::WrongFormat)
        return std::nullopt;
    return contents;
}

void WriteFileReplacing(const std::filesystem::path& target, const std::string& bytes,
                        WriteOptions options) {
    ReplacingFile file(target, ReplacingFile::Existing::Replace, std::move(options));
    file.Write(bytes.data(), bytes.size());
    file.Commit();
}

void SaveProjectFile(const std::string& path, const Session& session, WriteOptions options) {
    WriteFileReplacing(FileSystemPath(path), ProjectBytes(session), std::move(options));
}

} // namespace umbrascope
