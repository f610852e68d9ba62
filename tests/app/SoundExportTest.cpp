// Sound export from the main window: the file equals what --export-audio writes for the same
// session, the clipped samples are reported, and cancelling leaves no file behind.

#include "ProgramRun.h"
#include "QtTestSupport.h"
#include "app/gui/MainForm.h"
#include "model/Common.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

#include <QProgressDialog>

#include <memory>

namespace {

class SoundExport : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        form = std::make_unique<TMainForm>(QStringList{});
    }
    void TearDown() override {
        form.reset();
        ResetProject();
    }

    QString Project(std::int32_t length, std::vector<std::string> waves) {
        Session contents;
        contents.SessionLength = length;
        contents.StartValues.Waves = std::move(waves);
        contents.Events = {{"Аудиосопровождение -> Громкость", length / 2, "60"}};
        const auto path = folder.Write("p.usp", ProjectBytes(contents));
        return QString::fromStdString(path.string());
    }

    QString Output(const char* name) const {
        return QString::fromStdString((folder.Path() / name).string());
    }

    ScratchFolder folder;
    MessageRecorder messages;
    std::unique_ptr<TMainForm> form;
};

TEST_F(SoundExport, TheWindowWritesWhatTheCommandLineWrites) {
    // Three full-level tones cannot fit: the mix clips.
    const QString project = Project(20000, {".&04%440@0@100", ".&04%660@0@100", ".&04%880@0@100"});
    form->OpenProjectPath(project);
    form->ExportSoundTo(Output("window.wav"));

    const ProgramRun run = Umbrascope(
        "--export-audio " + project.toStdString() + " " + Output("cli.wav").toStdString(), folder);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(Output("window.wav")), ReadBytes(Output("cli.wav")));
    const QString clipped = QString::fromStdString(run.out).section(": ", 1).trimmed();
    EXPECT_NE(clipped, "0");
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].endsWith(": " + clipped)) << messages.texts[0].toStdString();
}

TEST_F(SoundExport, CancellingLeavesNoFile) {
    form->OpenProjectPath(Project(3600000, {".&04%440@0@50", ".&03@80"}));
    DialogAnswer cancel("Отмена");
    form->ExportSoundTo(Output("long.wav"));
    EXPECT_TRUE(cancel.Answered());
    EXPECT_EQ(form->ExportProgress, nullptr);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "only the project is there";
    EXPECT_TRUE(messages.texts.isEmpty());
}

} // namespace
