// The fields the dialogs share: spin fields keep their range, frequency fields keep theirs on
// every change of the text and take a number typed or pasted as it is written, an export's
// stretch in minutes and seconds ends at the session's end; Qt's own texts in Russian; what
// answers a window's message boxes answers for that window alone.

#include "DialogTestSupport.h"
#include "dialogs/ExportRangeFields.h"
#include "dialogs/ExportSoundDialog.h"
#include "ui/FrequencyField.h"
#include "ui/MessageBoxes.h"
#include "ui/QtTranslations.h"
#include "ui/SpinField.h"
#include "ui/TimeField.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTranslator>

namespace umbrascope {

namespace {

using SharedWidgets = DialogTest;

void LeaveField(QWidget& field) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&field, &out);
}

TEST_F(SharedWidgets, SpinFieldTakesAnyNumberButLeavesItInRange) {
    SpinField field(10, 500, 50);
    TypeOver(field, "700");
    EXPECT_EQ(field.text(), "700");
    EXPECT_EQ(field.Value(), 500);
    LeaveField(field);
    EXPECT_EQ(field.text(), "500");
    EXPECT_EQ(field.value(), 500);

    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&field, Qt::Key_Delete);
    EXPECT_EQ(field.Value(), 10) << "a text that is no number counts as the minimum";
    LeaveField(field);
    EXPECT_EQ(field.value(), 10);
}

TEST_F(SharedWidgets, AnExportsStretchIsTheWholeSessionToTheMillisecondAndNeverEmpty) {
    ExportSoundDialog dialog(Settings(), nullptr, 80500);
    ExportRangeFields& range = *dialog.Range;
    EXPECT_EQ(range.ToField->text(), "1:21");
    EXPECT_EQ(dialog.From(), 0);
    EXPECT_EQ(dialog.To(), 80500) << "the end shown stands for the session's end";
    TypeOver(*range.ToField, "1:05");
    EXPECT_EQ(dialog.To(), 65000);
    TypeOver(*range.FromField, "1:05");
    EXPECT_FALSE(dialog.Buttons->button(QDialogButtonBox::Ok)->isEnabled());
}

TEST_F(SharedWidgets, FrequencyFieldWritesTypesStepsAndClamps) {
    FrequencyEdit flicker(2, 0, 30000);
    UpDownArrows arrows(&flicker);
    flicker.SetValue(8000);
    EXPECT_EQ(flicker.displayText(), "08.000");
    EXPECT_EQ(flicker.Value(), 8000);
    arrows.UpButton->click();
    EXPECT_EQ(flicker.displayText(), "08.001");

    TypeOver(flicker, "35000");
    EXPECT_EQ(flicker.displayText(), "30.000") << "clamped as it is typed";
    arrows.UpButton->click();
    EXPECT_EQ(flicker.Value(), 30000);
    flicker.SetValue(40000);
    EXPECT_EQ(flicker.displayText(), "30.000");

    FrequencyEdit circles(1, 1, 5000);
    UpDownArrows circleArrows(&circles);
    circles.SetValue(0);
    EXPECT_EQ(circles.displayText(), "0.001");
    circleArrows.DownButton->click();
    EXPECT_EQ(circles.displayText(), "0.001");
    TypeOver(circles, "0000");
    EXPECT_EQ(circles.displayText(), "0.001") << "00.000 typed is below the minimum";
}

TEST_F(SharedWidgets, FrequencyFieldTakesANumberAsItIsWritten) {
    FrequencyEdit beat(2, 1, 99999);
    beat.SetValue(8000);
    TypeOver(beat, "6.5");
    EXPECT_EQ(beat.displayText(), "06.500");
    EXPECT_EQ(beat.Value(), 6500);
    QTest::keyClick(&beat, Qt::Key_Backspace);
    QTest::keyClicks(&beat, "25");
    EXPECT_EQ(beat.displayText(), "06.250") << "Backspace takes back the last decimal";

    FrequencyEdit sine(4, 1, 9999999);
    QGuiApplication::clipboard()->setText("6,5");
    QTest::keyClick(&sine, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&sine, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(sine.displayText(), "0006.500");
}

TEST_F(SharedWidgets, QtsOwnDialogsSpeakRussian) {
    const auto translations = InstallQtTranslations();
    ASSERT_NE(translations, nullptr) << "qt6-translations-l10n is one of the set-up's packages";
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), "&Имя файла:");
}

TEST_F(SharedWidgets, AMessageAnswererAnswersForItsWindowAndWhatLiesInItAlone) {
    QWidget answered, other;
    QWidget inside(&answered);
    QStringList texts;
    AnswerMessagesOf(answered, [&](const QString& text) { texts << text; });
    ShowMessageBox(&inside, "to the answerer");
    EXPECT_EQ(texts, QStringList{"to the answerer"});

    QString shown;
    AnswerNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        shown = box->text();
        box->accept();
    });
    ShowMessageBox(&other, "to a person");
    EXPECT_EQ(shown, "to a person") << "another window shows its box";
    EXPECT_EQ(texts.size(), 1);
}

} // namespace

} // namespace umbrascope
