#include "TerminalText.h"

#include <cstdint>
#include <cstdio>

namespace umbrascope {

namespace {

struct Decoded {
    char32_t character = 0;
    std::size_t length = 0; // 0: the byte at the start is not valid UTF-8
};

// The character that starts text, or length 0 for a byte that does not start a valid,
// shortest-form UTF-8 sequence.
Decoded DecodeFirst(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t character = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, character = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, character = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, character = lead & 0x07, smallest = 0x10000;
    } else {
        return {};
    }
    if (text.size() < length)
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return {};
        character = (character << 6) | (byte(i) & 0x3F);
    }
    if (character < smallest || character > 0x10FFFF ||
        (character >= 0xD800 && character <= 0xDFFF))
        return {};
    return {character, length};
}

std::string Escape(char32_t character) {
    char text[16];
    if (character < 0x100)
        std::snprintf(text, sizeof text, "\\x%02X", static_cast<unsigned>(character));
    else
        std::snprintf(text, sizeof text, "\\u{%04X}", static_cast<unsigned>(character));
    return text;
}

std::string EscapeActing(std::string_view utf8, bool keepLineEnds) {
    std::string shown;
    shown.reserve(utf8.size());
    while (!utf8.empty()) {
        const Decoded next = DecodeFirst(utf8);
        if (next.length == 0) {
            shown += Escape(static_cast<unsigned char>(utf8.front()));
            utf8.remove_prefix(1);
            continue;
        }
        const bool kept = keepLineEnds && next.character == U'\n';
        if (IsActingCharacter(next.character) && !kept)
            shown += Escape(next.character);
        else
            shown += utf8.substr(0, next.length);
        utf8.remove_prefix(next.length);
    }
    return shown;
}

} // namespace

bool IsActingCharacter(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::string EscapedForTerminal(std::string_view utf8) {
    return EscapeActing(utf8, false);
}

std::string EscapedMessage(std::string_view utf8) {
    return EscapeActing(utf8, true);
}

} // namespace umbrascope
