#include "JsonWriter.h"

#include <cstdio>

namespace umbrascope {

void JsonWriter::NewLine() {
    text_ += '\n';
    text_.append(firstInLevel_.size() * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (firstInLevel_.empty())
        return;
    if (!firstInLevel_.back())
        text_ += ',';
    firstInLevel_.back() = false;
    NewLine();
}

void JsonWriter::Open(char bracket) {
    BeforeValue();
    text_ += bracket;
    firstInLevel_.push_back(true);
}

void JsonWriter::Close(char bracket) {
    const bool empty = firstInLevel_.back();
    firstInLevel_.pop_back();
    if (!empty)
        NewLine();
    text_ += bracket;
}

void JsonWriter::BeginObject() {
    Open('{');
}
void JsonWriter::EndObject() {
    Close('}');
}
void JsonWriter::BeginArray() {
    Open('[');
}
void JsonWriter::EndArray() {
    Close(']');
}

void JsonWriter::Key(std::string_view name) {
    String(name);
    text_ += ": ";
    afterKey_ = true;
}

void JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    text_ += '"';
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (c == '\n') {
            text_ += "\\n";
        } else if (c == '\r') {
            text_ += "\\r";
        } else if (c == '\t') {
            text_ += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            text_ += escaped;
        } else {
            text_ += c;
        }
    }
    text_ += '"';
}

void JsonWriter::Integer(std::int64_t value) {
    BeforeValue();
    text_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    text_ += "null";
}

} // namespace umbrascope
