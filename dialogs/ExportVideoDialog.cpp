#include "ExportVideoDialog.h"

#include "DialogControls.h"
#include "ExportRangeFields.h"
#include "ui/Preferences.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace umbrascope {

namespace {

struct SizeChoice {
    const char* caption;
    QSize size;
};

const SizeChoice Sizes[] = {
    {"720p (1280 × 720)", {1280, 720}},
    {"1080p (1920 × 1080)", {1920, 1080}},
    {"4K (3840 × 2160)", {3840, 2160}},
};
constexpr int DefaultSize = 1;

constexpr int Rates[] = {60, 50, 30, 25, 24};
constexpr int DefaultRate = 0;

} // namespace

ExportVideoDialog::ExportVideoDialog(Preferences& preferences, QWidget* parent,
                                     std::int32_t sessionLength)
    : QDialog(parent), preferences_(preferences) {
    setObjectName(QStringLiteral("ExportVideoDialog"));

    SizeBox = new QComboBox(this);
    SizeBox->setObjectName(QStringLiteral("SizeBox"));
    for (const SizeChoice& choice : Sizes)
        SizeBox->addItem(QString::fromUtf8(choice.caption), choice.size);
    SizeBox->setCurrentIndex(DefaultSize);

    RateBox = new QComboBox(this);
    RateBox->setObjectName(QStringLiteral("RateBox"));
    for (const int rate : Rates)
        RateBox->addItem(QString::number(rate), rate);
    RateBox->setCurrentIndex(DefaultRate);
    SelectKept(SizeBox, Kept(preferences_.VideoFrameSize()));
    SelectKept(RateBox, Kept(preferences_.VideoFrameRate()));

    auto* form = new QFormLayout;
    sizeLabel_ = new QLabel(this);
    sizeLabel_->setBuddy(SizeBox);
    form->addRow(sizeLabel_, SizeBox);
    rateLabel_ = new QLabel(this);
    rateLabel_->setBuddy(RateBox);
    form->addRow(rateLabel_, RateBox);
    Range = new ExportRangeFields(this, form, sessionLength);

    note_ = new QLabel(this);
    note_->setWordWrap(true);

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
    layout->addWidget(note_);
    layout->addWidget(Buttons);
    RetranslateUi();
}

void ExportVideoDialog::RetranslateUi() {
    setWindowTitle(tr("Экспорт видео"));
    sizeLabel_->setText(tr("&Размер кадра:"));
    rateLabel_->setText(tr("&Кадров в секунду:"));
    Range->Retranslate();
    note_->setText(tr("Мерцание бывает до 30 Гц: только при 60 кадрах в секунду видна каждая "
                      "светлая и каждая тёмная половина мигания."));
    Buttons->button(QDialogButtonBox::Ok)->setText(tr("&Далее..."));
    Buttons->button(QDialogButtonBox::Cancel)->setText(tr("&Отмена"));
}

void ExportVideoDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDialog::changeEvent(event);
}

QSize ExportVideoDialog::FrameSize() const {
    return SizeBox->currentData().toSize();
}

int ExportVideoDialog::FramesPerSecond() const {
    return RateBox->currentData().toInt();
}

std::int32_t ExportVideoDialog::From() const {
    return Range->From();
}

std::int32_t ExportVideoDialog::To() const {
    return Range->To();
}

void ExportVideoDialog::accept() {
    preferences_.RememberVideoChoices(FrameSize(), FramesPerSecond());
    QDialog::accept();
}

} // namespace umbrascope
