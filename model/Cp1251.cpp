#include "Cp1251.h"

#include <array>
#include <cstdint>
#include <stdexcept>

namespace umbrascope {

namespace {

// Unicode code points of the bytes 0x80..0xFF.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

char32_t CodePointOf(unsigned char byte) {
    return byte < 0x80 ? byte : kHighHalf[byte - 0x80];
}

std::optional<unsigned char> ByteOf(char32_t codePoint) {
    if (codePoint < 0x80)
        return static_cast<unsigned char>(codePoint);
    for (std::size_t i = 0; i < kHighHalf.size(); ++i)
        if (kHighHalf[i] == codePoint)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[pos]; advances pos. Rejects overlong and broken forms.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (pos + extra >= text.size())
        return std::nullopt;
    for (int i = 1; i <= extra; ++i) {
        const auto cont = static_cast<unsigned char>(text[pos + i]);
        if ((cont & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (cont & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    pos += extra + 1;
    return cp;
}

char32_t UpperCodePoint(char32_t cp) {
    if (cp >= U'a' && cp <= U'z')
        return cp - 0x20;
    if (cp >= 0x0430 && cp <= 0x044F)
        return cp - 0x20;
    if (cp >= 0x0450 && cp <= 0x045F)
        return cp - 0x50;
    if (cp == 0x0491)
        return 0x0490;
    return cp;
}

} // namespace

std::string Cp1251ToUtf8(std::string_view cp1251) {
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (char c : cp1251)
        AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::optional<std::string> Utf8ToCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = NextCodePoint(utf8, pos);
        if (!cp)
            return std::nullopt;
        const auto byte = ByteOf(*cp);
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

namespace {

// The length of text without a UTF-8 sequence cut short at its end.
std::size_t WithoutCutSequence(std::string_view text) {
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for its lead
        const std::size_t needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return needed > back ? text.size() - back : text.size();
    }
    return text.size();
}

} // namespace

std::string TextLineToUtf8(std::string_view line) {
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (line.starts_with(ByteOrderMark))
        line.remove_prefix(ByteOrderMark.size());
    const std::string_view whole = line.substr(0, WithoutCutSequence(line));
    bool nonAscii = false;
    for (std::size_t pos = 0; pos < whole.size();) {
        nonAscii = nonAscii || static_cast<unsigned char>(whole[pos]) >= 0x80;
        if (!NextCodePoint(whole, pos))
            return Cp1251ToUtf8(line);
    }
    return nonAscii ? std::string(whole) : Cp1251ToUtf8(line);
}

std::string Cp1251Literal(std::string_view utf8) {
    auto converted = Utf8ToCp1251(utf8);
    if (!converted)
        throw std::logic_error("text not representable in Windows-1251");
    return *converted;
}

namespace {

std::array<char, 256> MakeUpperTable() {
    std::array<char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t upper = UpperCodePoint(CodePointOf(static_cast<unsigned char>(byte)));
        table[byte] = static_cast<char>(ByteOf(upper).value_or(static_cast<unsigned char>(byte)));
    }
    return table;
}

const std::array<char, 256> UpperTable = MakeUpperTable();

} // namespace

char AnsiUpperChar(char c) {
    return UpperTable[static_cast<unsigned char>(c)];
}

std::string AnsiUpperCase(std::string_view cp1251) {
    std::string out(cp1251);
    for (char& c : out)
        c = AnsiUpperChar(c);
    return out;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AnsiUpperChar(a[i]) != AnsiUpperChar(b[i]))
            return false;
    return true;
}

} // namespace umbrascope
