// Editing as a user does it, on a virtual X display: open a project, open the start values
// dialog from the menu, change a colour, a speed and the tracks, close it, save, and read the
// file back with --dump.

#include "ProgramRun.h"
#include "QtTestSupport.h"
#include "app/gui/MainForm.h"
#include "dialogs/AddWaveForm.h"
#include "dialogs/SessionStartValuesForm.h"
#include "model/Common.h"
#include "model/ProjectFile.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "ui/SpinField.h"
#include "visual/Colors.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

TEST(EndToEndEditing, StartValuesChangedFromTheMenuAreSaved) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    TestApplication();
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");

    ScratchFolder folder;
    Session contents;
    contents.SessionLength = 300000;
    contents.StartValues.Waves = {".&03%0@50"};
    const auto project = folder.Write("edit.usp", ProjectBytes(contents));
    auto form = std::make_unique<TMainForm>(QStringList{QString::fromStdString(project.string())});
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));

    AnswerNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<TSessionStartValuesForm*>(modal);
        ASSERT_NE(dialog, nullptr);
        AnswerNextModal([](QWidget* picker) {
            qobject_cast<QColorDialog*>(picker)->setCurrentColor(QColor(10, 20, 30));
            qobject_cast<QColorDialog*>(picker)->accept();
        });
        QTest::mouseClick(dialog->Button3, Qt::LeftButton);
        QTest::keyClick(dialog->SpiralSpeed, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dialog->SpiralSpeed, "150");
        AnswerNextModal([](QWidget* modal) {
            auto* addWave = qobject_cast<TAddWaveForm*>(modal);
            // On the button's circle: a radio button takes clicks on its circle and caption.
            QTest::mouseClick(addWave->SinusRB, Qt::LeftButton, {},
                              QPoint(6, addWave->SinusRB->height() / 2));
            QTest::mouseClick(addWave->Button1, Qt::LeftButton);
        });
        QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
        dialog->close();
    });
    form->SessionStartValuesMI->trigger();
    EXPECT_EQ(form->WavesListBox->count(), 2) << "the main window shows the new track";
    form->SaveMI->trigger();
    form.reset();

    const ProgramRun dump = Umbrascope("--dump " + project.string(), folder);
    ASSERT_EQ(dump.status, 0) << dump.err;
    const QJsonObject start = QJsonDocument::fromJson(QByteArray::fromStdString(dump.out))
                                  .object()["StartValues"]
                                  .toObject();
    EXPECT_EQ(start["SpiralColor"].toInteger(), qint64{StoredRgb(10, 20, 30)});
    EXPECT_EQ(start["SpiralSpeed"].toInt(), 208 - 150);
    EXPECT_EQ(start["Waves"].toArray(), (QJsonArray{".&03%0@50", ".&04%333@0@100"}));
}

} // namespace
