#include "SessionJson.h"

#include "JsonWriter.h"
#include "model/Cp1251.h"
#include "model/SettingsFields.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

namespace umbrascope {

namespace {

class JsonDumper {
public:
    explicit JsonDumper(JsonWriter& out) : out_(out) {}

    void Field(const char* name, bool value) {
        out_.Key(name);
        out_.Bool(value);
    }
    void Field(const char* name, const std::string& text) {
        out_.Key(name);
        out_.String(Cp1251ToUtf8(text));
    }
    template <typename T> void Field(const char* name, const T& value) {
        out_.Key(name);
        out_.Integer(value);
    }
    void Field(const char* name, const std::vector<std::string>& tracks) {
        out_.Key(name);
        out_.BeginArray();
        for (const auto& track : tracks)
            out_.String(Cp1251ToUtf8(track));
        out_.EndArray();
    }
    void Field(const char* name, const std::vector<TWaveEntry>& tracks) {
        out_.Key(name);
        out_.BeginArray();
        for (const auto& entry : tracks) {
            out_.BeginObject();
            Field("Track", entry.Track);
            Field("AddTime", entry.AddTime);
            out_.EndObject();
        }
        out_.EndArray();
    }

private:
    JsonWriter& out_;
};

void DumpEvents(JsonWriter& out, JsonDumper& dumper, const std::vector<TSessionEvent>& events) {
    out.Key("Events");
    out.BeginArray();
    for (const auto& event : events) {
        out.BeginObject();
        dumper.Field("EventType", event.EventType);
        dumper.Field("EventTime", event.EventTime);
        dumper.Field("EventValue", event.EventValue);
        out.EndObject();
    }
    out.EndArray();
}

template <typename Values>
void DumpSettings(JsonWriter& out, const char* name, const Values& values) {
    JsonDumper dumper(out);
    out.Key(name);
    out.BeginObject();
    VisitSettingsFields(dumper, values);
    out.EndObject();
}

// A name from the file as a message may show it: control characters as "?", and a name longer
// than a line cut short with its length.
std::string ShownName(const QString& name) {
    constexpr qsizetype Longest = 60;
    QString shown = name.left(Longest);
    for (QChar& c : shown)
        if (c.category() == QChar::Other_Control)
            c = u'?';
    if (name.size() > Longest)
        shown += QStringLiteral("... (%1 characters)").arg(name.size());
    return shown.toStdString();
}

// Reads one JSON object's members into fields, refusing values that do not fit.
class JsonFieldReader {
public:
    JsonFieldReader(const QJsonObject& object, std::string path)
        : object_(object), path_(std::move(path)) {}

    void Field(const char* name, bool& value) {
        const auto member = Take(name);
        if (member.isUndefined() || failure_)
            return;
        if (!member.isBool())
            return Fail(name, "must be true or false");
        value = member.toBool();
    }
    void Field(const char* name, std::string& text) {
        const auto member = Take(name);
        if (member.isUndefined() || failure_)
            return;
        ReadText(name, member, text);
    }
    template <typename T> void Field(const char* name, T& value) {
        const auto member = Take(name);
        if (member.isUndefined() || failure_)
            return;
        const double number = member.toDouble();
        const auto low = static_cast<double>(std::numeric_limits<T>::min());
        const auto high = static_cast<double>(std::numeric_limits<T>::max());
        if (!member.isDouble() || std::floor(number) != number || number < low || number > high)
            return Fail(name, "must be a whole number from " +
                                  std::to_string(std::numeric_limits<T>::min()) + " to " +
                                  std::to_string(std::numeric_limits<T>::max()));
        value = static_cast<T>(number);
    }
    void Field(const char* name, std::vector<std::string>& tracks) {
        const auto member = Take(name);
        if (member.isUndefined() || failure_)
            return;
        if (!member.isArray())
            return Fail(name, "must be a list of texts");
        const QJsonArray items = member.toArray();
        tracks.assign(static_cast<std::size_t>(items.size()), {});
        for (qsizetype i = 0; i < items.size() && !failure_; ++i)
            ReadText(std::string(name) + "[" + std::to_string(i) + "]", items[i],
                     tracks[static_cast<std::size_t>(i)]);
    }

    // Members that no Field call asked for are refused, so a misspelt name is not ignored.
    void RefuseUnknown(const QSet<QString>& alsoAllowed = {}) {
        for (const auto& key : object_.keys())
            if (!seen_.contains(key) && !alsoAllowed.contains(key) && !failure_)
                failure_ = Where(ShownName(key)) + ": unknown field";
    }

    const std::optional<std::string>& Failure() const { return failure_; }
    void Fail(const std::string& name, const std::string& what) {
        if (!failure_)
            failure_ = Where(name) + ": " + what;
    }

private:
    QJsonValue Take(const char* name) {
        seen_.insert(QString::fromUtf8(name));
        return object_.value(QString::fromUtf8(name));
    }
    void ReadText(const std::string& name, const QJsonValue& member, std::string& text) {
        if (!member.isString())
            return Fail(name, "must be a text");
        const QString unicode = member.toString();
        // A project file stores line ends as the bytes 0 and 1, so these would come back as
        // line ends after a save and open.
        if (unicode.contains(QChar(0)) || unicode.contains(QChar(1)))
            return Fail(name, "holds the control character U+0000 or U+0001");
        // UTF-8 conversion would turn a lone surrogate into "?" instead of refusing it.
        const bool surrogate =
            std::any_of(unicode.begin(), unicode.end(), [](QChar c) { return c.isSurrogate(); });
        const auto converted = surrogate ? std::nullopt : Utf8ToCp1251(unicode.toStdString());
        if (!converted)
            return Fail(name, "holds characters that Windows-1251 cannot hold");
        text = *converted;
    }
    std::string Where(const std::string& name) const {
        return path_.empty() ? name : path_ + "." + name;
    }

    const QJsonObject& object_;
    std::string path_;
    QSet<QString> seen_;
    std::optional<std::string> failure_;
};

std::optional<std::string> ReadEvents(const QJsonValue& member,
                                      std::vector<TSessionEvent>& events) {
    if (!member.isArray())
        return std::string("Events: must be a list of events");
    const QJsonArray items = member.toArray();
    events.clear();
    for (qsizetype i = 0; i < items.size(); ++i) {
        const std::string where = "Events[" + std::to_string(i) + "]";
        if (!items[i].isObject())
            return where + ": must be an object";
        const QJsonObject object = items[i].toObject();
        JsonFieldReader reader(object, where);
        TSessionEvent event;
        for (const char* required : {"EventType", "EventTime"})
            if (!object.contains(QString::fromUtf8(required)))
                reader.Fail(required, "is missing");
        reader.Field("EventType", event.EventType);
        reader.Field("EventTime", event.EventTime);
        reader.Field("EventValue", event.EventValue);
        reader.RefuseUnknown();
        if (reader.Failure())
            return reader.Failure();
        events.push_back(std::move(event));
    }
    return std::nullopt;
}

} // namespace

std::string SessionToJson(const Session& session, const SessionValuesInForce& state,
                          const std::optional<std::string>& stateError) {
    JsonWriter out;
    JsonDumper dumper(out);
    out.BeginObject();
    dumper.Field("SessionName", session.SessionName);
    dumper.Field("SessionAuthor", session.SessionAuthor);
    dumper.Field("SessionDescription", session.SessionDescription);
    dumper.Field("SessionLength", session.SessionLength);
    DumpSettings(out, "StartValues", session.StartValues);
    DumpEvents(out, dumper, session.Events);
    DumpSettings(out, "CurrentValues", state);
    out.Key("Error");
    if (stateError)
        out.String(Cp1251ToUtf8(*stateError));
    else
        out.Null();
    out.EndObject();
    return out.Text();
}

std::optional<std::string> ProjectFromJson(std::string_view json, Session& contents) {
    QJsonParseError parseError{};
    const auto document = QJsonDocument::fromJson(
        QByteArray(json.data(), static_cast<qsizetype>(json.size())), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return "not valid JSON: " + parseError.errorString().toStdString() + " at offset " +
               std::to_string(parseError.offset);
    if (!document.isObject())
        return std::string("the JSON text must be one object");
    const QJsonObject root = document.object();

    contents = Session{};
    contents.SessionLength = DefaultSessionLength;
    JsonFieldReader header(root, "");
    header.Field("SessionName", contents.SessionName);
    header.Field("SessionAuthor", contents.SessionAuthor);
    header.Field("SessionDescription", contents.SessionDescription);
    header.Field("SessionLength", contents.SessionLength);
    header.RefuseUnknown({"StartValues", "Events", "CurrentValues", "Error"});
    if (header.Failure())
        return header.Failure();

    if (root.contains("StartValues")) {
        if (!root.value("StartValues").isObject())
            return std::string("StartValues: must be an object");
        const QJsonObject startObject = root.value("StartValues").toObject();
        JsonFieldReader start(startObject, "StartValues");
        VisitSettingsFields(start, contents.StartValues);
        start.RefuseUnknown();
        if (start.Failure())
            return start.Failure();
    }
    if (root.contains("Events"))
        return ReadEvents(root.value("Events"), contents.Events);
    return std::nullopt;
}

} // namespace umbrascope
