// Sound and video export from the main window: the file equals what --export-audio or
// --export-video writes for the same session (the format, bits, size, rate and stretch as chosen
// in the export's dialog), what was written and the clipped samples are reported, and
// cancelling leaves no file behind.

#include "ProgramRun.h"
#include "QtTestSupport.h"
#include "TestProgram.h"
#include "app/gui/MainForm.h"
#include "audio/export/SoundFileFormats.h"
#include "dialogs/ExportRangeFields.h"
#include "dialogs/ExportSoundDialog.h"
#include "dialogs/ExportVideoDialog.h"
#include "model/ProjectFile.h"
#include "ui/TimeField.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace umbrascope {

namespace {

// The main window with its file dialogs answered by the test.
class VideoForm : public TMainForm {
public:
    using TMainForm::TMainForm;
    std::optional<QString> fileAnswer;
    std::string offeredFormat; // what the sound file dialog was asked to offer first
    std::optional<QString> ChooseVideoFileToExport() override { return fileAnswer; }
    std::optional<QString> ChooseSoundFileToExport(const SoundFileFormat& format) override {
        offeredFormat = format.name;
        return fileAnswer;
    }
};

// Sets the stretch of an export dialog in minutes and seconds.
void ChooseStretch(ExportRangeFields& range, const char* from, const char* to) {
    for (auto [field, text] : {std::pair{range.FromField, from}, {range.ToField, to}}) {
        field->selectAll();
        QTest::keyClicks(field, text);
    }
}

class WindowExport : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        form = std::make_unique<VideoForm>(QStringList{}, program.Services(messages));
    }
    void TearDown() override { form.reset(); }

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
    TestProgram program;
    MessageRecorder messages;
    std::unique_ptr<VideoForm> form;
};

TEST_F(WindowExport, TheSoundIsWhatTheCommandLineWrites) {
    // Three full-level tones cannot fit: the mix clips.
    const QString project = Project(20000, {".&04%440@0@100", ".&04%660@0@100", ".&04%880@0@100"});
    form->OpenProjectPath(project);
    form->ExportSoundTo(Output("window.wav"));

    const ProgramRun run = Umbrascope(
        "--export-audio " + project.toStdString() + " " + Output("cli.wav").toStdString(), folder);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(Output("window.wav")), ReadBytes(Output("cli.wav")));
    const QString firstLine = QString::fromStdString(run.out).section('\n', 0, 0);
    const QString clipped = firstLine.section(": ", 1).trimmed();
    EXPECT_NE(clipped, "0");
    EXPECT_NE(run.out.find("first near 0:00; lower the track volumes"), std::string::npos)
        << run.out;
    // What was written where, and how much clipped from where, with what to do about it.
    ASSERT_EQ(messages.texts.size(), 1);
    const QString& report = messages.texts[0];
    EXPECT_TRUE(report.startsWith("Звук записан в файл «" + Output("window.wav") + "»."))
        << report.toStdString();
    EXPECT_TRUE(report.contains("(" + clipped + "), впервые около 0:00. Уменьшите громкость"))
        << report.toStdString();
}

TEST_F(WindowExport, FlacOf24BitsOfAStretchIsWhatTheCommandLineWrites) {
    const QString project = Project(4000, {".&04%440@0@60", ".&01%8@260@50"});
    form->OpenProjectPath(project);
    form->fileAnswer = Output("window.flac");
    QTimer::singleShot(50, [] {
        auto* dialog = qobject_cast<ExportSoundDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->FormatBox->setCurrentIndex(dialog->FormatBox->findText("FLAC"));
        dialog->BitsBox->setCurrentIndex(dialog->BitsBox->findText("24"));
        ChooseStretch(*dialog->Range, "0:01", "0:03");
        dialog->Buttons->button(QDialogButtonBox::Ok)->click();
    });
    form->ExportSoundMI->trigger();
    EXPECT_EQ(form->offeredFormat, "FLAC");

    const ProgramRun run =
        Umbrascope("--export-audio " + project.toStdString() + " " +
                       Output("cli.flac").toStdString() + " --bits 24 --from 1000 --to 3000",
                   folder);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string written = ReadBytes(Output("window.flac"));
    EXPECT_EQ(written.substr(0, 4), "fLaC");
    EXPECT_EQ(written, ReadBytes(Output("cli.flac")));

    const ExportSoundDialog next(program.Settings());
    EXPECT_EQ(next.Format().name, "FLAC") << "the choices are kept for the next export";
    EXPECT_EQ(next.Bits(), 24);
}

TEST_F(WindowExport, TheSoundIsNotWrittenUnderAnotherFormatsName) {
    form->OpenProjectPath(Project(2000, {".&03@80"}));
    form->ExportSoundTo(Output("x.mp3"));
    EXPECT_FALSE(QFileInfo::exists(Output("x.mp3")));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains("«x.mp3»")) << messages.texts[0].toStdString();
}

TEST_F(WindowExport, CancellingTheSoundLeavesNoFile) {
    form->OpenProjectPath(Project(3600000, {".&04%440@0@50", ".&03@80"}));
    DialogAnswer cancel("Отмена");
    form->ExportSoundTo(Output("long.wav"));
    EXPECT_TRUE(cancel.Answered());
    EXPECT_EQ(form->ExportProgress, nullptr);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "only the project is there";
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST_F(WindowExport, TheVideoIsWhatTheCommandLineWritesWithTheChoicesMade) {
    const QString project = Project(1000, {".&04%440@0@40"});
    form->OpenProjectPath(project);
    form->fileAnswer = Output("window.mp4");
    QTimer::singleShot(50, [] {
        auto* dialog = qobject_cast<ExportVideoDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->SizeBox->setCurrentIndex(dialog->SizeBox->findText("720p", Qt::MatchStartsWith));
        dialog->RateBox->setCurrentIndex(dialog->RateBox->findText("30"));
        dialog->Buttons->button(QDialogButtonBox::Ok)->click();
    });
    form->ExportVideoMI->trigger();

    const ProgramRun run =
        Umbrascope("--export-video " + project.toStdString() + " " +
                       Output("cli.mp4").toStdString() + " --size 1280x720 --fps 30",
                   folder);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(Output("window.mp4")), ReadBytes(Output("cli.mp4")));

    const ExportVideoDialog next(program.Settings());
    EXPECT_EQ(next.FrameSize(), QSize(1280, 720)) << "the choices are kept for the next export";
    EXPECT_EQ(next.FramesPerSecond(), 30);
}

TEST_F(WindowExport, TheVideoCoversTheStretchChosen) {
    const QString project = Project(3000, {".&04%440@0@40"});
    form->OpenProjectPath(project);
    form->fileAnswer = Output("window.mp4");
    QTimer::singleShot(50, [] {
        auto* dialog = qobject_cast<ExportVideoDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->SizeBox->setCurrentIndex(dialog->SizeBox->findText("720p", Qt::MatchStartsWith));
        dialog->RateBox->setCurrentIndex(dialog->RateBox->findText("24"));
        ChooseStretch(*dialog->Range, "0:02", "0:03");
        dialog->Buttons->button(QDialogButtonBox::Ok)->click();
    });
    form->ExportVideoMI->trigger();

    const ProgramRun run =
        Umbrascope("--export-video " + project.toStdString() + " " +
                       Output("cli.mp4").toStdString() + " --size 1280x720 --fps 24 --from 2000",
                   folder);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(Output("window.mp4")), ReadBytes(Output("cli.mp4")));
}

TEST_F(WindowExport, CancellingTheVideoLeavesNoFile) {
    form->OpenProjectPath(Project(3600000, {".&04%440@0@40"}));
    DialogAnswer cancel("Отмена");
    form->ExportVideoTo(Output("long.mp4"), QSize(1280, 720), 60);
    EXPECT_TRUE(cancel.Answered());
    EXPECT_EQ(form->ExportProgress, nullptr);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
        << "only the project is there";
    EXPECT_TRUE(messages.texts.isEmpty());
}

} // namespace

} // namespace umbrascope
