// The start values dialog: what it loads is what it stores, the odd records it may meet, the
// track list, the colour picker and the phrase file.

#include "DialogTestSupport.h"
#include "dialogs/AddWaveForm.h"
#include "dialogs/FontSettingsForm.h"
#include "dialogs/SessionStartValuesForm.h"
#include "model/SessionDocument.h"
#include "ui/ColorSwatch.h"
#include "ui/FontNameBox.h"
#include "ui/FrequencyField.h"
#include "ui/PositionButtons.h"
#include "ui/SpinField.h"
#include "visual/Colors.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace umbrascope {

namespace {

class StartValues : public DialogTest {
protected:
    void SetUp() override {
        form.AddWaveForm = &addWave;
        form.FontSettingsForm = &look;
    }

    // Opens and closes the dialog without touching anything.
    void OpenAndClose() {
        form.show();
        form.close();
    }

    TAddWaveForm addWave{Settings()};
    TFontSettingsForm look;
    SessionDocument document;
    TSessionStartValuesForm form{document.StartValues, Settings()};
};

// Every field away from its default, within the ranges the dialog offers.
TSessionValues EveryFieldChanged() {
    TSessionValues v;
    v.TextEnabled = false;
    v.FontName = "DejaVu Serif";
    v.FontStyle = 3;
    v.TextColor = 0x123456;
    v.OutlineEnabled = false;
    v.OutlineColor = 0x80000005; // a system colour stays one
    v.Transparency = 35;
    v.TextPosition = 11;
    v.TextWidth = 33;
    v.PhraseDuration = 120;
    v.PhraseInterval = 2500;
    v.PhraseFile = "C:\\Texts\\phrases.txt";
    v.AudioEnabled = false;
    v.AudioVolume = 64;
    v.Waves = {".&03%0@50", "/music/loop.wav", ".&04%1000.5@2@35"};
    v.VideoEnabled = false;
    v.VideoType = 3;
    v.FlickerColor = 0x00FF00;
    v.FlickerFreq = 12345;
    v.SpiralColor = 0x111111;
    v.SpiralBackColor = 0x222222;
    v.SpiralSpeed = 8;
    v.SpiralWidth = 500;
    v.SpiralDirection = 1;
    v.LinesColor = 0x333333;
    v.LinesBackColor = 0x444444;
    v.LinesSpeed = 10;
    v.LinesWidth = 300;
    v.LinesDirection = 1;
    v.CirclesColor = 0x555555;
    v.CirclesBackColor = 0x666666;
    v.CirclesFreq = 5000;
    v.CirclesWidth = 5;
    return v;
}

TEST_F(StartValues, ClosingStoresWhatOpeningLoaded) {
    const TSessionValues changed = EveryFieldChanged();
    document.StartValues = changed;
    OpenAndClose();
    EXPECT_TRUE(document.StartValues == changed);
    EXPECT_EQ(form.TxtFileEdit->text(), "phrases.txt (файл не найден)");
    EXPECT_EQ(form.WavesListBox->currentRow(), 0);

    document.ResetProject();
    const TSessionValues defaults = document.StartValues;
    OpenAndClose();
    EXPECT_TRUE(document.StartValues == defaults) << "the defaults come back, tracks emptied";
}

TEST_F(StartValues, EditsAreStoredWithSpeedsTurnedRound) {
    form.show();
    form.SpiralSpeed->setValue(200);
    form.LinesSpeed->setValue(10);
    QTest::keyClick(form.TextFrameLongEdit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(form.TextFrameLongEdit, "700");
    form.positionButtons->Buttons[9]->click();
    form.RB50->click();
    form.SpiralDir2Btn->click();
    form.close();
    EXPECT_EQ(document.StartValues.SpiralSpeed, 8);
    EXPECT_EQ(document.StartValues.LinesSpeed, 1);
    EXPECT_EQ(document.StartValues.PhraseDuration, 500);
    EXPECT_EQ(document.StartValues.TextPosition, 9);
    EXPECT_EQ(document.StartValues.TextWidth, 50);
    EXPECT_EQ(document.StartValues.SpiralDirection, 1);

    form.show();
    form.SpiralSpeed->setValue(1);
    form.close();
    EXPECT_EQ(document.StartValues.SpiralSpeed, 207);
}

TEST_F(StartValues, OddRecordsAreBroughtIntoRangeOrKept) {
    document.StartValues.TextPosition = 99;
    document.StartValues.TextWidth = 40;
    document.StartValues.FlickerFreq = 40000;
    document.StartValues.CirclesFreq = 0;
    document.StartValues.FontName = "No Such Face";
    document.StartValues.VideoType = 9;
    form.show();
    EXPECT_FALSE(form.positionButtons->Selected());
    EXPECT_EQ(form.FmFreqE->displayText(), "30.000");
    EXPECT_EQ(form.ClFreqE->displayText(), "0.001");
    EXPECT_TRUE(look.FontNameBox->currentText().startsWith("No Such Face ("));
    form.close();
    EXPECT_EQ(document.StartValues.TextPosition, 99);
    EXPECT_EQ(document.StartValues.TextWidth, 100) << "RB100 is checked at the first opening";
    EXPECT_EQ(document.StartValues.FlickerFreq, 30000);
    EXPECT_EQ(document.StartValues.CirclesFreq, 1);
    EXPECT_EQ(document.StartValues.FontName, "No Such Face") << "a face not installed is kept";
    EXPECT_EQ(document.StartValues.VideoType, 9);

    document.StartValues.FontName.clear();
    OpenAndClose();
    EXPECT_FALSE(document.StartValues.FontName.empty()) << "an empty name selects a face";
    EXPECT_EQ(look.FontNameBox->findText("не установлен", Qt::MatchContains), -1);
}

TEST_F(StartValues, TracksAreAddedAndRemoved) {
    document.StartValues.Waves = {".&03%0@10", ".&03%0@20", ".&03%0@30"};
    form.show();
    form.WavesListBox->setCurrentRow(1);
    form.BitBtn2Click();
    EXPECT_EQ(form.WaveList, (std::vector<std::string>{".&03%0@10", ".&03%0@30"}));
    EXPECT_EQ(form.WavesListBox->currentRow(), 0);

    AnswerNextModal([this](QWidget*) {
        addWave.RBClick(addWave.NoiseRB);
        addWave.Button1->click();
    });
    form.BitBtn1Click();
    EXPECT_EQ(form.WaveList.back(), ".&03%0@100");
    EXPECT_EQ(form.WavesListBox->currentRow(), 2);
    EXPECT_EQ(form.WavesListBox->count(), 3);

    AnswerNextModal([this](QWidget*) { addWave.close(); });
    form.BitBtn1Click();
    EXPECT_EQ(form.WaveList.size(), 3u) << "closed without OK";

    for (int i = 0; i < 4; ++i)
        form.BitBtn2Click();
    EXPECT_TRUE(form.WaveList.empty());
    EXPECT_EQ(form.WavesListBox->count(), 0);
    form.close();
    EXPECT_TRUE(document.StartValues.Waves.empty());
}

TEST_F(StartValues, ThePickerOpensOnTheColorOfTheButtonsSquare) {
    form.show();
    AnswerNextModal([](QWidget* modal) {
        auto* picker = qobject_cast<QColorDialog*>(modal);
        EXPECT_EQ(picker->currentColor(), QColor(128, 0, 0)) << "the flicker's maroon";
        picker->setCurrentColor(QColor(10, 20, 30));
        picker->accept();
    });
    form.Button1->click();
    EXPECT_EQ(form.SolidScreenColorShape->Color(), StoredRgb(10, 20, 30));

    AnswerNextModal([](QWidget* modal) {
        auto* picker = qobject_cast<QColorDialog*>(modal);
        EXPECT_EQ(picker->currentColor(), QColor(0, 0, 255)) << "the spiral's blue";
        picker->setCurrentColor(QColor(Qt::white));
        picker->reject();
    });
    form.Button2->click();
    EXPECT_EQ(form.SpiralBColorShape->Color(), 0xFF0000u);
    form.close();
    EXPECT_EQ(document.StartValues.FlickerColor, StoredRgb(10, 20, 30));
}

TEST_F(StartValues, ThePhraseFileComesFromTheFileDialogOnly) {
    QTemporaryDir folder;
    const QString path = folder.filePath("words.txt");
    QFile(path).open(QIODevice::WriteOnly);
    form.show();
    AnswerNextModal([&](QWidget* modal) {
        EXPECT_EQ(qobject_cast<QFileDialog*>(modal)->nameFilters(),
                  QStringList{"Текстовый файл (*.txt)"});
        AcceptFileDialog(modal, path);
    });
    form.OpenTxtFileButton->click();
    EXPECT_EQ(form.TxtFileEdit->text(), "words.txt");
    form.close();
    EXPECT_EQ(document.StartValues.PhraseFile, path.toStdString());

    form.show();
    form.ClFileName->click();
    EXPECT_TRUE(form.TxtFileEdit->text().isEmpty());
    form.close();
    EXPECT_TRUE(document.StartValues.PhraseFile.empty());
}

} // namespace

} // namespace umbrascope
