#pragma once

// The one place where the program's 8-bit Windows-1251 text meets Unicode (UTF-8).
// Project files, event names and every string of the session model are kept as the exact
// Windows-1251 bytes; the user interface, JSON and file-system paths use UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace umbrascope {

// Every byte has a meaning (the one unassigned byte 0x98 maps to U+0098), so this never fails.
std::string Cp1251ToUtf8(std::string_view cp1251);

// Empty when the text is not valid UTF-8 or holds a character that Windows-1251 cannot hold.
std::optional<std::string> Utf8ToCp1251(std::string_view utf8);

// A line of a text file, which may be UTF-8 (most files on Linux) or Windows-1251 (what the
// program has always read), as UTF-8. UTF-8 when its bytes are valid UTF-8 and hold non-ASCII
// characters (a Windows-1251 line of Russian text practically never is), else Windows-1251. A
// byte order mark at the start is dropped, and so is a sequence cut short at the end of a line
// that was read only in part.
std::string TextLineToUtf8(std::string_view line);

// For texts written in this program's own UTF-8 sources, which are known to be encodable.
std::string Cp1251Literal(std::string_view utf8);

// The Russian locale's ANSI upper-casing: Latin and Cyrillic letters, byte for byte.
std::string AnsiUpperCase(std::string_view cp1251);
char AnsiUpperChar(char c);

// Equal after upper-casing both.
bool AnsiSameText(std::string_view a, std::string_view b);

} // namespace umbrascope
