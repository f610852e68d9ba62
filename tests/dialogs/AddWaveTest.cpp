// The add-track dialog: the descriptor of every row, the row a change selects, and the file row.

#include "DialogTestSupport.h"
#include "dialogs/AddWaveForm.h"
#include "ui/FrequencyField.h"
#include "ui/MessageBoxes.h"
#include "ui/SpinField.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDataStream>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>

namespace umbrascope {

namespace {

// A RIFF WAVE file of a few stereo frames with this format tag (1 is integer PCM, 6 A-law).
QByteArray WavBytes(quint16 formatTag) {
    QByteArray fmt;
    QDataStream out(&fmt, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(formatTag) << quint16(2) << quint32(22050) << quint32(22050 * 4) << quint16(4)
        << quint16(16);
    const QByteArray samples(64, '\x10');
    QByteArray bytes;
    QDataStream file(&bytes, QIODevice::WriteOnly);
    file.setByteOrder(QDataStream::LittleEndian);
    file.writeRawData("RIFF", 4);
    file << quint32(4 + 8 + fmt.size() + 8 + samples.size());
    file.writeRawData("WAVEfmt ", 8);
    file << quint32(fmt.size());
    file.writeRawData(fmt.data(), int(fmt.size()));
    file.writeRawData("data", 4);
    file << quint32(samples.size());
    file.writeRawData(samples.data(), int(samples.size()));
    return bytes;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class AddWave : public DialogTest {
protected:
    std::string Add() {
        form.Button1Click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
        return form.TrackResult;
    }

    TAddWaveForm form{Settings()};
};

TEST_F(AddWave, EveryRowGivesItsDescriptor) {
    EXPECT_EQ(Add(), "") << "at first the file row is selected and no file chosen";

    form.BwVol->setValue(50);
    EXPECT_EQ(Add(), ".&01%8@260@50");

    form.FmFreqE->SetValue(500);
    form.FmOfsFreq->setValue(12);
    EXPECT_EQ(Add(), ".&02%0.5@260@12@100");

    form.RBClick(form.NoiseRB);
    EXPECT_EQ(Add(), ".&03%0@100");

    form.SinusFreqE->SetValue(1000500);
    form.SinusChannel->setCurrentIndex(2);
    form.SinusVol->setValue(35);
    EXPECT_EQ(Add(), ".&04%1000.5@2@35");
    form.SinusFreqE->SetValue(10250);
    EXPECT_EQ(Add(), ".&04%10.25@2@35");
}

TEST_F(AddWave, AChangeSelectsItsRowWithABoldCaption) {
    form.FmCFreq->setValue(300);
    EXPECT_TRUE(form.FreqModRB->isChecked());
    EXPECT_TRUE(form.FreqModRB->font().bold());
    EXPECT_FALSE(form.AudioFileRB->font().bold());

    form.BWFreqU->UpButton->click();
    EXPECT_EQ(form.BWFreqE->displayText(), "08.001");
    EXPECT_TRUE(form.BrainWavesRB->font().bold());
    EXPECT_FALSE(form.FreqModRB->font().bold());
}

TEST_F(AddWave, AFileThatHasGoneGivesNoTrackAndItsFolderIsKept) {
    QTemporaryDir folder;
    const QString path = folder.filePath("loop.wav");
    WriteFile(path, WavBytes(1));
    form.RBClick(form.NoiseRB);
    AnswerNextModal([&](QWidget* modal) {
        EXPECT_EQ(qobject_cast<QFileDialog*>(modal)->nameFilters().value(0),
                  "Аудиофайл (*.wav *.mp3)");
        AcceptFileDialog(modal, path);
    });
    form.OpenAudioFileButton->click();
    EXPECT_EQ(form.AudioWaveEdit->text(), path);
    EXPECT_TRUE(form.AudioFileRB->isChecked());
    EXPECT_EQ(Add(), path.toStdString());

    QFile::remove(path);
    EXPECT_EQ(Add(), "");

    AnswerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        EXPECT_EQ(dialog->directory().absolutePath(), folder.path()) << "the folder last used";
        dialog->reject();
    });
    form.OpenAudioFileButton->click();
}

TEST_F(AddWave, AFileNoTrackCanPlayIsRefusedNamingItAndWhy) {
    QTemporaryDir folder;
    const QString path = folder.filePath("alaw.wav");
    WriteFile(path, WavBytes(6));
    QStringList messages;
    AnswerMessagesOf(form, [&](const QString& text) { messages << text; });
    AnswerNextModal([&](QWidget* modal) { AcceptFileDialog(modal, path); });
    form.OpenAudioFileButton->click();
    AnswerMessagesOf(form, {});
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(path + "» записан не в формате PCM"))
        << messages[0].toStdString();
    EXPECT_EQ(form.AudioWaveEdit->text(), "");
    EXPECT_EQ(Add(), "");
}

} // namespace

} // namespace umbrascope
