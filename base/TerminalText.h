#pragma once

// Names that come from files (a project's media paths, a built session's entries, a folder in
// an environment variable) printed where they could otherwise act: on a terminal a control
// character moves the cursor, sets the window's title or clears the screen, and a
// bidirectional control turns the rest of the line around.
//
// Thread rule: pure functions, any thread.

#include <string>
#include <string_view>

namespace umbrascope {

// True for the characters that act instead of showing: the controls U+0000 to U+001F and
// U+007F to U+009F, and the bidirectional controls (U+061C, U+200E, U+200F, U+202A to U+202E,
// U+2066 to U+2069).
bool IsActingCharacter(char32_t character);

// The UTF-8 text with every acting character written out as "\xHH" (below U+0100) or
// "\u{HHHH}", and every byte that is not part of valid UTF-8 as "\xHH", so the text shows
// what it holds and does nothing else.
std::string EscapedForTerminal(std::string_view utf8);

// The same for a whole message, whose line ends are kept (names in it should have been
// escaped already; this is the last guard before the terminal).
std::string EscapedMessage(std::string_view utf8);

} // namespace umbrascope
