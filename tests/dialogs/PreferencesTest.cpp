// The user's settings as the preferences read and write them: a file earlier versions wrote
// reads the same and is written the same, and values a damaged or hostile file holds are
// ignored or cut down rather than trusted.

#include "audio/export/SoundFileFormats.h"
#include "tests/dialogs/ScratchPreferences.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>

#include <string>
#include <string_view>

namespace umbrascope {

namespace {

class PreferencesFile : public ::testing::Test {
protected:
    PreferencesFile() {
        static int argc = 1;
        static char name[] = "test_preferences";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
    }

    QString Path() const { return scratch.folder.filePath(QStringLiteral("Umbrascope.conf")); }

    void Write(const std::string& text) {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }

    std::string Read() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    ScratchPreferences scratch;
    Preferences& preferences = scratch.preferences;
};

const SoundFileFormat* FindSoundFormat(std::string_view name) {
    for (const SoundFileFormat& format : SoundFileFormats())
        if (format.name == name)
            return &format;
    return nullptr;
}

// A settings file as earlier versions wrote it, every setting set.
const std::string EarlierFile = "[General]\n"
                                "Language=en\n"
                                "PresentationScreen=HDMI-1\n"
                                "RecentProjects=/home/a/two.usp, /home/a/one.usp\n"
                                "\n"
                                "[Folders]\n"
                                "Audio=/home/a/music\n"
                                "Project=/home/a/projects\n"
                                "\n"
                                "[SoundExport]\n"
                                "Bits=24\n"
                                "Format=.flac\n"
                                "\n"
                                "[VideoExport]\n"
                                "Rate=30\n"
                                "Size=@Size(1280 720)\n"
                                "\n"
                                "[Warnings]\n"
                                "Photosensitivity=false\n";

TEST_F(PreferencesFile, AFileEarlierVersionsWroteReadsTheSameAndIsWrittenTheSame) {
    Write(EarlierFile);
    EXPECT_EQ(preferences.RecentProjects(), QStringList({"/home/a/two.usp", "/home/a/one.usp"}));
    EXPECT_EQ(preferences.ChosenLanguage(), Language::English);
    EXPECT_EQ(preferences.PresentationScreen(), "HDMI-1");
    EXPECT_EQ(preferences.LastFolder(FileKind::Audio), "/home/a/music");
    EXPECT_EQ(preferences.LastFolder(FileKind::Phrases), "");
    EXPECT_FALSE(preferences.PhotosensitivityWarningWanted());
    EXPECT_EQ(preferences.VideoFrameSize(), QSize(1280, 720));
    EXPECT_EQ(preferences.VideoFrameRate(), 30);
    ASSERT_NE(preferences.SoundExportFormat(), nullptr);
    EXPECT_EQ(preferences.SoundExportFormat()->name, "FLAC");
    EXPECT_EQ(preferences.SoundExportBits(), 24);

    QFile::remove(Path());
    preferences.RememberRecentProject("/home/a/one.usp");
    preferences.RememberRecentProject("/home/a/two.usp");
    preferences.ChooseLanguage(Language::English);
    preferences.ChoosePresentationScreen("HDMI-1");
    preferences.RememberFolder(FileKind::Audio, "/home/a/music");
    preferences.RememberFolder(FileKind::Project, "/home/a/projects");
    preferences.RememberVideoChoices(QSize(1280, 720), 30);
    preferences.RememberSoundExportChoices(*FindSoundFormat("FLAC"), 24);
    preferences.SetPhotosensitivityWarningWanted(false);
    EXPECT_EQ(Read(), EarlierFile);
}

TEST_F(PreferencesFile, ValuesOfTheWrongKindOutOfBoundsOrTooManyAreNotTrusted) {
    std::string projects;
    for (int i = 0; i < 20; ++i)
        projects += "/p/" + std::to_string(i % 10) + ".usp, ";
    Write("[General]\n"
          "Language=de\n"
          "PresentationScreen=a, b\n"
          "RecentProjects=relative.usp, , " +
          projects + "/p/last.usp\n" +
          "[Folders]\n"
          "Audio=music\n"
          "Phrases=@Size(1 1)\n"
          "Project=/" +
          std::string(2 << 20, 'x') +
          "\n"
          "[SoundExport]\n"
          "Bits=20\n"
          "Format=.exe\n"
          "[VideoExport]\n"
          "Rate=100000\n"
          "Size=@Size(0 99999)\n"
          "[Warnings]\n"
          "Photosensitivity=maybe\n");
    EXPECT_EQ(preferences.ChosenLanguage(), std::nullopt);
    EXPECT_EQ(preferences.PresentationScreen(), "") << "a list is no screen name";
    // Only absolute paths, each once, at most eight.
    const QStringList recent = preferences.RecentProjects();
    ASSERT_EQ(recent.size(), MaxRecentProjects);
    EXPECT_EQ(recent.first(), "/p/0.usp");
    EXPECT_EQ(recent.last(), "/p/7.usp");
    EXPECT_EQ(preferences.LastFolder(FileKind::Audio), "");
    EXPECT_EQ(preferences.LastFolder(FileKind::Phrases), "");
    EXPECT_EQ(preferences.LastFolder(FileKind::Project), "");
    EXPECT_EQ(preferences.VideoFrameRate(), std::nullopt);
    EXPECT_EQ(preferences.VideoFrameSize(), std::nullopt);
    EXPECT_EQ(preferences.SoundExportFormat(), nullptr) << "no format the export writes";
    EXPECT_EQ(preferences.SoundExportBits(), std::nullopt);
    EXPECT_TRUE(preferences.PhotosensitivityWarningWanted()) << "a damaged value shows it";
}

} // namespace

} // namespace umbrascope
