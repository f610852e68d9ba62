#include "model/Cp1251.h"
#include "model/EventCatalogue.h"

#include <gtest/gtest.h>

namespace umbrascope {

TEST(Cp1251, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const std::string utf8 = Cp1251ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1251(utf8), all);
}

TEST(Cp1251, MapsCyrillicAndPunctuationToTheirCodePoints) {
    EXPECT_EQ(Cp1251ToUtf8("\xC0\xFF"), "Ая");
    EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8"), "Ёё");
    EXPECT_EQ(Cp1251ToUtf8("\xB9\x88\x96"), "№€–");
    EXPECT_EQ(Utf8ToCp1251("Гц, %"), std::string("\xC3\xF6, %"));
}

TEST(Cp1251, RefusesWhatItCannotHold) {
    EXPECT_FALSE(Utf8ToCp1251("Ω")); // Greek has no place in the code page
    EXPECT_FALSE(Utf8ToCp1251("日本"));
    EXPECT_FALSE(Utf8ToCp1251("\xF0\x9F\x98\x80")); // an emoji
    EXPECT_FALSE(Utf8ToCp1251("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(Utf8ToCp1251("\x80"));             // lone continuation byte
    EXPECT_FALSE(Utf8ToCp1251("\xD0"));             // cut short
    EXPECT_FALSE(Utf8ToCp1251("\xED\xA0\x80"));     // surrogate
    EXPECT_EQ(Utf8ToCp1251(""), std::string());
}

TEST(Cp1251, UpperCasesLatinAndCyrillicLettersOnly) {
    EXPECT_EQ(AnsiUpperCase(Cp1251Literal("c:\\звуки\\дождь.mp3")),
              Cp1251Literal("C:\\ЗВУКИ\\ДОЖДЬ.MP3"));
    EXPECT_EQ(AnsiUpperCase(Cp1251Literal("ёїіўґ")), Cp1251Literal("ЁЇІЎҐ"));
    EXPECT_EQ(AnsiUpperCase(".&01%8@260@100"), ".&01%8@260@100");
    EXPECT_EQ(AnsiUpperCase(Cp1251Literal("µ№")), Cp1251Literal("µ№"));
}

TEST(Cp1251, CatalogueNamesAreTheBytesProjectFilesHold) {
    ASSERT_EQ(EventTypes().size(), 39u);
    EXPECT_EQ(EventTypes()[0].name, "\xCD\xE5 \xEE\xEF\xF0\xE5\xE4\xE5\xEB\xE5\xED");
    EXPECT_EQ(EventTypeName(EventKind::AddTrack),
              "\xC0\xF3\xE4\xE8\xEE\xF1\xEE\xEF\xF0\xEE\xE2\xEE\xE6\xE4\xE5\xED\xE8\xE5 -> "
              "\xC4\xEE\xE1\xE0\xE2\xE8\xF2\xFC \xE0\xF3\xE4\xE8\xEE\xF2\xF0\xE5\xEA");
    EXPECT_EQ(Cp1251ToUtf8(EventTypeName(EventKind::CirclesWidth)),
              "Видеосопровождение -> Окружности - Толщина");
    EXPECT_EQ(EventKindOf(EventTypes()[27].name), EventKind::SpiralSpeed);
    EXPECT_FALSE(EventKindOf("Текстовые фразы -> Включить")); // UTF-8 is not the stored form
}

TEST(Cp1251, TextFileLinesAreReadAsUtf8OnlyWhenTheyAreUtf8) {
    EXPECT_EQ(TextLineToUtf8("Привет"), "Привет");
    EXPECT_EQ(TextLineToUtf8("\xEF\xBB\xBFПривет"), "Привет"); // with a byte order mark
    EXPECT_EQ(TextLineToUtf8("\xEF\xBB\xBFplain"), "plain");
    EXPECT_EQ(TextLineToUtf8(Cp1251Literal("Привет, мир")), "Привет, мир");
    EXPECT_EQ(TextLineToUtf8(Cp1251Literal("Да")), "Да");
    // A line read only in part may end inside a character.
    EXPECT_EQ(TextLineToUtf8(std::string("Привет").substr(0, 5)), "Пр");
}

} // namespace umbrascope
