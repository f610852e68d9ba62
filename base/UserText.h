#pragma once

// A text for the user made where Qt is not used: the Russian source text with places %1 to %9,
// the context it is translated in, and what goes into the places. The command line prints it
// as it stands (Text()); the windows show it in the program's language (ui/ShownText.h).

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace umbrascope {

struct TextSource {
    const char* context;
    const char* source; // UTF-8
};

// Marks a source text for the translation tools, which read it as QT_TRANSLATE_NOOP; the
// program gets the context and the text back unchanged.
constexpr TextSource Translatable(const char* context, const char* source) {
    return {context, source};
}

struct UserText {
    const char* context = "";      // "" for a text that is not translated (see Verbatim)
    const char* source = "";       // UTF-8
    std::vector<std::string> args; // UTF-8, for %1, %2, ...
    // Texts shown after this one, each on a line of its own.
    std::vector<UserText> lines;

    UserText() = default;
    UserText(TextSource text, std::vector<std::string> arguments = {})
        : context(text.context), source(text.source), args(std::move(arguments)) {}

    // A text shown as it is, in every language: a system message, a file name.
    static UserText Verbatim(std::string text);

    bool Empty() const { return *source == '\0' && lines.empty(); }

    // The Russian text with the arguments in place (UTF-8).
    std::string Text() const;

    // Two texts are the same message when they read the same.
    bool operator==(const UserText& other) const { return Text() == other.Text(); }
};

// Puts args[n - 1] in the place of each %n (n from 1 to 9), in one pass, so an argument that
// holds "%1" stays as it is. A place without an argument stays too.
std::string FillPlaces(const std::string& pattern, const std::vector<std::string>& args);

// An error whose message is a text for the user; what() is its Russian text.
class UserTextError : public std::runtime_error {
public:
    explicit UserTextError(UserText text)
        : std::runtime_error(text.Text()), text_(std::move(text)) {}
    const UserText& Message() const { return text_; }

private:
    UserText text_;
};

} // namespace umbrascope
