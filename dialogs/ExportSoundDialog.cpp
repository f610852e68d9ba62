#include "ExportSoundDialog.h"

#include "DialogControls.h"
#include "ExportRangeFields.h"
#include "audio/export/SoundFileFormats.h"
#include "ui/Preferences.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace umbrascope {

ExportSoundDialog::ExportSoundDialog(Preferences& preferences, QWidget* parent,
                                     std::int32_t sessionLength)
    : QDialog(parent), preferences_(preferences) {
    setObjectName(QStringLiteral("ExportSoundDialog"));

    FormatBox = new QComboBox(this);
    FormatBox->setObjectName(QStringLiteral("FormatBox"));
    for (const SoundFileFormat& format : SoundFileFormats())
        FormatBox->addItem(FromUtf8(format.name), FromUtf8(format.extension));
    BitsBox = new QComboBox(this);
    BitsBox->setObjectName(QStringLiteral("BitsBox"));
    for (const int bits : SoundFileBits())
        BitsBox->addItem(QString::number(bits), bits);
    if (const SoundFileFormat* kept = preferences_.SoundExportFormat())
        SelectKept(FormatBox, FromUtf8(kept->extension));
    SelectKept(BitsBox, Kept(preferences_.SoundExportBits()));

    auto* form = new QFormLayout;
    formatLabel_ = new QLabel(this);
    formatLabel_->setBuddy(FormatBox);
    form->addRow(formatLabel_, FormatBox);
    bitsLabel_ = new QLabel(this);
    bitsLabel_->setBuddy(BitsBox);
    form->addRow(bitsLabel_, BitsBox);
    Range = new ExportRangeFields(this, form, sessionLength);

    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto allowOk = [this] {
        Buttons->button(QDialogButtonBox::Ok)->setEnabled(Range->Valid());
    };
    connect(Range, &ExportRangeFields::Changed, this, allowOk);
    allowOk();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Buttons);
    RetranslateUi();
}

void ExportSoundDialog::RetranslateUi() {
    setWindowTitle(tr("Экспорт звука"));
    formatLabel_->setText(tr("&Формат:"));
    bitsLabel_->setText(tr("&Бит на отсчёт:"));
    Range->Retranslate();
    Buttons->button(QDialogButtonBox::Ok)->setText(tr("&Далее..."));
    Buttons->button(QDialogButtonBox::Cancel)->setText(tr("&Отмена"));
}

void ExportSoundDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDialog::changeEvent(event);
}

const SoundFileFormat& ExportSoundDialog::Format() const {
    return SoundFileFormats()[static_cast<std::size_t>(std::max(FormatBox->currentIndex(), 0))];
}

int ExportSoundDialog::Bits() const {
    return BitsBox->currentData().toInt();
}

std::int32_t ExportSoundDialog::From() const {
    return Range->From();
}

std::int32_t ExportSoundDialog::To() const {
    return Range->To();
}

void ExportSoundDialog::accept() {
    preferences_.RememberSoundExportChoices(Format(), Bits());
    QDialog::accept();
}

} // namespace umbrascope
