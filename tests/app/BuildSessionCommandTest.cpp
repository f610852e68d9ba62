// Build session from the menu: the dialog proposes the project's name, ".run" is added to a name
// without it, the question comes before the file that would really be replaced, and the media
// bundled and those that were not found are named.

#include "QtTestSupport.h"
#include "TestProgram.h"
#include "app/gui/MainForm.h"
#include "base/Bundle.h"
#include "model/Session.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QToolButton>

namespace umbrascope {

namespace {

class BuildingForm : public TMainForm {
public:
    using TMainForm::TMainForm;
    std::optional<QString> answer;
    bool replace = false;
    QStringList asked;

    std::optional<QString> ChooseBuiltSessionFile() override { return answer; }
    bool ConfirmReplace(const QString& path) override {
        asked << path;
        return replace;
    }
};

TEST(BuildSessionCommand, NamesTheFileAsksBeforeReplacingAndListsWhatWasLeftOut) {
    TestApplication();
    QTemporaryDir folder;
    MessageRecorder messages;
    TestProgram program;
    BuildingForm form{QStringList{}, program.Services(messages)};
    EXPECT_TRUE(form.SpeedButtons[11]->isEnabled());
    const QString sound = folder.filePath("sea.wav");
    WriteBytes(sound, "RIFF");
    form.Document().StartValues.Waves = {"/nowhere/rain.wav", sound.toStdString()};

    form.answer = folder.filePath("evening");
    form.BuildSessionMIClick();
    const QString built = folder.filePath("evening.run");
    EXPECT_TRUE(ReadBundleIndex(built.toStdString()).IsBundle());
    EXPECT_TRUE(QFileInfo(built).isExecutable());
    EXPECT_TRUE(form.asked.isEmpty());
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains("/nowhere/rain.wav")) << messages.texts[0].toStdString();
    EXPECT_TRUE(messages.texts[0].contains(sound)) << "every file that goes into it is named";
    EXPECT_TRUE(messages.texts[0].startsWith("Сессия собрана в файл «" + built + "»"));

    // The same name again means the same file: asked about it, No keeps it.
    WriteBytes(built, "kept");
    form.BuildSessionMIClick();
    EXPECT_EQ(form.asked, QStringList{built});
    EXPECT_EQ(ReadBytes(built), "kept");

    form.answer = folder.filePath("a.RUN");
    form.BuildSessionMIClick();
    EXPECT_TRUE(QFileInfo::exists(folder.filePath("a.RUN")));
}

TEST(BuildSessionCommand, TheDialogProposesTheProjectsNameInItsFolder) {
    TestApplication();
    QTemporaryDir folder;
    TestProgram program;
    TMainForm form{QStringList{}, program.Services()};
    form.Document().ProjectFileName = folder.filePath("evening.usp").toStdString();
    AnswerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->findChild<QLineEdit*>("fileNameEdit")->text(), "evening.run");
        EXPECT_EQ(dialog->directory().absolutePath(), folder.path());
        dialog->reject();
    });
    EXPECT_EQ(form.ChooseBuiltSessionFile(), std::nullopt);
}

} // namespace

} // namespace umbrascope
