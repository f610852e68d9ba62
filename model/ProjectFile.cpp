#include "ProjectFile.h"

#include "MediaPath.h"
#include "SettingsFields.h"
#include "base/FileUtils.h"
#include "base/ReplacingFile.h"

#include <type_traits>

const char* const WrongFormatMessage = "Неверный формат файла";

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
    VisitSettingsFields(a, c.StartValues);
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

    void Line(std::string& text) { position_ = file_.ReadLine(text, position_); }

    void Field(const char*, std::string& text) { Line(text); }
    void Field(const char*, std::vector<std::string>& tracks) {
        List(tracks, [this](std::string& track) { Line(track); });
    }
    template <typename T> void Field(const char*, T& value) { Fixed(value); }

    template <typename T> void Fixed(T& value) {
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
        for (auto& item : items)
            readItem(item);
    }

    std::uint32_t position_ = MagicLength;

private:
    TFile& file_;
    std::uint32_t size_;
};

class Writer {
public:
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

ProjectReadResult ReadProject(TFile& file, Session& contents) {
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
    return ProjectReadResult::Read;
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

void WriteFileReplacing(const std::filesystem::path& target, const std::string& bytes) {
    ReplacingFile file(target);
    file.Write(bytes.data(), bytes.size());
    file.Commit();
}

void SaveProjectFile(const std::string& path, const Session& session) {
    WriteFileReplacing(FileSystemPath(path), ProjectBytes(session));
}
