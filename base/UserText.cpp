#include "UserText.h"

namespace umbrascope {

UserText UserText::Verbatim(std::string text) {
    UserText verbatim(TextSource{"", "%1"});
    verbatim.args.push_back(std::move(text));
    return verbatim;
}

std::string UserText::Text() const {
    std::string text = FillPlaces(source, args);
    for (const UserText& line : lines)
        text += (text.empty() ? "" : "\n") + line.Text();
    return text;
}

std::string FillPlaces(const std::string& pattern, const std::vector<std::string>& args) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto place = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && place < args.size()) {
            text += args[place];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace umbrascope
