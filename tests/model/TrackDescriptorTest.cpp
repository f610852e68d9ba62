#include "model/TrackDescriptor.h"
#include "model/Cp1251.h"

#include <gtest/gtest.h>

namespace umbrascope {

namespace {

std::string Shown(std::string_view descriptor) {
    return Cp1251ToUtf8(TrackDisplayText(Cp1251Literal(descriptor)));
}

TEST(TrackKindTest, FileExtensionsInAnyCaseChooseTheFilePlayers) {
    EXPECT_EQ(PlaybackKind("C:\\Sounds\\rain.Wav"), TrackKind::Wav);
    EXPECT_EQ(PlaybackKind("/home/u/music/song.mP3"), TrackKind::Mp3);
    EXPECT_EQ(PlaybackKind("D:track.WAV"), TrackKind::Wav);
    EXPECT_EQ(PlaybackKind("/home/u/music/song.ogg"), TrackKind::Unknown);
    EXPECT_EQ(PlaybackKind("/home/u/sounds.wav/rain"), TrackKind::Unknown);
    EXPECT_EQ(PlaybackKind("C:\\a.mp3\\noext"), TrackKind::Unknown);
}

TEST(TrackKindTest, GeneratorPrefixesChooseTheGenerators) {
    EXPECT_EQ(PlaybackKind(".&01%8@260@100"), TrackKind::Binaural);
    EXPECT_EQ(PlaybackKind(".&02%8@260@5@100"), TrackKind::FrequencyModulation);
    EXPECT_EQ(PlaybackKind(".&03%0@100"), TrackKind::Noise);
    EXPECT_EQ(PlaybackKind(".&04%333@0@100"), TrackKind::Sine);
    EXPECT_EQ(PlaybackKind(".&04"), TrackKind::Sine); // the kind alone; reading it fails later
    for (const char* nothing : {"", ".", ".&", ".&0", ".&05%1@2@3", ".&00%1", "&01%8@260@100"})
        EXPECT_EQ(PlaybackKind(nothing), TrackKind::Unknown) << nothing;
}

TEST(TrackKindTest, SameTrackIgnoresLetterCaseIncludingCyrillic) {
    EXPECT_TRUE(SameTrack("C:\\Sounds\\Rain.WAV", "c:\\sounds\\rain.wav"));
    EXPECT_TRUE(SameTrack(Cp1251Literal("/муз/Дождь.mp3"), Cp1251Literal("/МУЗ/дождь.MP3")));
    EXPECT_FALSE(SameTrack(".&01%8@260@100", ".&01%8@261@100"));
}

TEST(TrackDisplayTextTest, ShowsEachGeneratorWithItsFieldsAsWritten) {
    EXPECT_EQ(Shown(".&01%8@260@100"), "Бинауральные биения: 8 Гц, 260 Гц, 100 %");
    EXPECT_EQ(Shown(".&01%0.5@260@100"), "Бинауральные биения: 0.5 Гц, 260 Гц, 100 %");
    EXPECT_EQ(Shown(".&02%8@260@5@100"), "Частотная модуляция: 8 Гц, 260 Гц, 5 Гц, 100 %");
    EXPECT_EQ(Shown(".&03%0@0"), "Белый шум: 0 %");
    EXPECT_EQ(Shown(".&04%1000.5@2@35"), "Синусойда: 1000.5 Гц, Правый, 35 %");
    EXPECT_EQ(Shown(".&04%333@0@100"), "Синусойда: 333 Гц, Оба, 100 %");
    EXPECT_EQ(Shown(".&04%333@1@100"), "Синусойда: 333 Гц, Левый, 100 %");
    EXPECT_EQ(Shown(".&04%333@7@100"), "Синусойда: 333 Гц, 100 %");
    // Fields are copied, not reformatted.
    EXPECT_EQ(Shown(".&01%08.50@0260@100"), "Бинауральные биения: 08.50 Гц, 0260 Гц, 100 %");
}

TEST(TrackDisplayTextTest, ShowsFilesByTheirNameAlone) {
    EXPECT_EQ(Shown("C:\\Sounds\\rain.mp3"), "rain.mp3");
    EXPECT_EQ(Shown("/home/u/Дождь.wav"), "Дождь.wav");
    EXPECT_EQ(Shown("D:phrases.txt"), "phrases.txt");
    EXPECT_EQ(Shown("rain"), "rain");
}

TEST(TrackDisplayTextTest, MalformedDescriptorsShowWhatTheyHold) {
    EXPECT_EQ(Shown(".&01%8"), "Бинауральные биения: 8 Гц,  Гц,  %");
    EXPECT_EQ(Shown(".&03%0"), "Белый шум:  %");
    EXPECT_EQ(Shown(".&04%333@"), "Синусойда: 333 Гц,  %");
    EXPECT_EQ(Shown(".&04%333@2"), "Синусойда: 333 Гц, Правый,  %");
    EXPECT_EQ(Shown(".&05%1@2"), ".&05%1@2");
    EXPECT_EQ(Shown(""), "");
}

TEST(ParseToneDescriptorTest, ReadsTheDefaultsOfEveryKind) {
    const auto binaural = ParseToneDescriptor(".&01%7.83@260@100");
    ASSERT_TRUE(binaural);
    EXPECT_EQ(binaural->Kind, TrackKind::Binaural);
    EXPECT_DOUBLE_EQ(binaural->Freq1, 7.83);
    EXPECT_DOUBLE_EQ(binaural->Carrier, 260);
    EXPECT_DOUBLE_EQ(binaural->Level, 1.0);
    EXPECT_EQ(binaural->SampleIndex, 0u);

    const auto modulation = ParseToneDescriptor(".&02%0.5@260@5@35");
    ASSERT_TRUE(modulation);
    EXPECT_EQ(modulation->Kind, TrackKind::FrequencyModulation);
    EXPECT_DOUBLE_EQ(modulation->Freq1, 0.5);
    EXPECT_DOUBLE_EQ(modulation->Carrier, 260);
    EXPECT_DOUBLE_EQ(modulation->Deviation, 5);
    EXPECT_DOUBLE_EQ(modulation->Level, 0.35);

    const auto noise = ParseToneDescriptor(".&03%0@100");
    ASSERT_TRUE(noise);
    EXPECT_EQ(noise->Kind, TrackKind::Noise);
    EXPECT_DOUBLE_EQ(noise->Level, 1.0);

    const auto sine = ParseToneDescriptor(".&04%1000.5@2@35");
    ASSERT_TRUE(sine);
    EXPECT_EQ(sine->Kind, TrackKind::Sine);
    EXPECT_DOUBLE_EQ(sine->Freq1, 1000.5);
    EXPECT_EQ(sine->Channel, 2);
    EXPECT_DOUBLE_EQ(sine->Level, 0.35);
}

TEST(ParseToneDescriptorTest, KeepsVolumesAboveOneHundredAndOddChannels) {
    EXPECT_DOUBLE_EQ(ParseToneDescriptor(".&03%0@500")->Level, 5.0);
    EXPECT_EQ(ParseToneDescriptor(".&04%333@7@100")->Channel, 7);
    EXPECT_EQ(ParseToneDescriptor(".&04%333@x@100")->Channel, 255); // plays on neither side
    // The noise descriptor's first field means nothing.
    EXPECT_TRUE(ParseToneDescriptor(".&03%anything@20"));
}

TEST(ParseToneDescriptorTest, MalformedDescriptorsPlayNothing) {
    for (const char* malformed : {"",
                                  ".&01",
                                  ".&01%",
                                  ".&01%8",
                                  ".&01%8@260",
                                  ".&01%8@260@",
                                  ".&01%x@260@100",
                                  ".&01%8@2.5@100",
                                  ".&01%8@260@100@7",
                                  ".&01%nan@260@100",
                                  ".&01%inf@260@100",
                                  ".&01%8@260@ 100",
                                  ".&01%8@99999999999999999999999@100",
                                  ".&02%8@260@5",
                                  ".&02%8@260@@100",
                                  ".&03%0",
                                  ".&03%0@",
                                  ".&03%0@1x",
                                  ".&04%333",
                                  ".&04%333@",
                                  ".&04%333@1",
                                  ".&04%333@1@",
                                  ".&04%@1@100",
                                  ".&05%8@260@100",
                                  "C:\\rain.wav"})
        EXPECT_FALSE(ParseToneDescriptor(malformed)) << malformed;
}

TEST(ParseToneDescriptorTest, EveryCutOfAValidDescriptorIsReadSafely) {
    // Run under the address sanitizer, this shows that no reader goes past the end.
    for (const std::string full :
         {".&01%7.83@260@100", ".&02%8@260@5@100", ".&03%0@100", ".&04%1000.5@2@35"}) {
        for (std::size_t length = 0; length <= full.size(); ++length) {
            const std::string cut(full.data(), length); // its own allocation, no terminator
            (void)ParseToneDescriptor(cut);
            (void)TrackDisplayText(cut);
            (void)PlaybackKind(cut);
        }
    }
}

} // namespace

} // namespace umbrascope
