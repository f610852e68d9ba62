#include "base/TerminalText.h"

#include <gtest/gtest.h>

namespace umbrascope {

TEST(TerminalText, ActingCharactersShowWhatTheyAreAndPlainTextStays) {
    // A title change, a clear screen, a C1 control in UTF-8 and a right-to-left override.
    EXPECT_EQ(EscapedForTerminal("a\x1b]0;owned\x07.wav"), "a\\x1B]0;owned\\x07.wav");
    EXPECT_EQ(EscapedForTerminal("x\x1b[2J\xc2\x9b"), "x\\x1B[2J\\x9B");
    EXPECT_EQ(EscapedForTerminal("evil\xe2\x80\xaevaw.txt"), "evil\\u{202E}vaw.txt");
    EXPECT_EQ(EscapedForTerminal("Música/звук.wav"), "Música/звук.wav");
    // Bytes that are not UTF-8, an overlong form and a cut sequence show as bytes.
    EXPECT_EQ(EscapedForTerminal("\xff\xc0\xaf\xe2\x80"), "\\xFF\\xC0\\xAF\\xE2\\x80");
}

TEST(TerminalText, AMessageKeepsItsLineEndsAndNothingElse) {
    EXPECT_EQ(EscapedMessage("left out:\n  a\rb\tc"), "left out:\n  a\\x0Db\\x09c");
    EXPECT_EQ(EscapedForTerminal("a\nb"), "a\\x0Ab");
}

} // namespace umbrascope
