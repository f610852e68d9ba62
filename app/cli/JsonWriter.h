#pragma once

// A small JSON text builder that keeps keys in the order they are written, so that a dumped
// session reads in the order of its fields.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace umbrascope {

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view name);
    void String(std::string_view utf8);
    void Integer(std::int64_t value);
    void Bool(bool value);
    void Null();

    // The finished text, ending with a line feed.
    std::string Text() const { return text_ + "\n"; }

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);
    void NewLine();

    std::string text_;
    std::vector<bool> firstInLevel_; // one per open object or array
    bool afterKey_ = false;
};

} // namespace umbrascope
