#include "PhotosensitivityWarning.h"

#include "Preferences.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace umbrascope {

// The command line prints it as it stands; the window shows it translated.
const char* const PhotosensitivityWarningText = QT_TRANSLATE_NOOP(
    "umbrascope::PhotosensitivityWarning",
    "Внимание! Мигающие полноэкранные изображения (мерцание экрана с частотой от 3 до 30 Гц, "
    "контрастные полосы и спирали) могут вызвать эпилептический припадок у людей со "
    "светочувствительной эпилепсией, даже если раньше припадков не было.\n\n"
    "Не смотрите и не показывайте такую сессию, если у вас или у ваших родственников были "
    "эпилептические припадки или потери сознания. При головокружении, нарушении зрения, "
    "подёргивании глаз или мышц, потере ориентации немедленно остановите показ любой клавишей "
    "и обратитесь к врачу.");

PhotosensitivityWarning::PhotosensitivityWarning(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PhotosensitivityWarning"));
    setModal(true);
    // Above the full-screen window too, should a picture already cover the screen.
    setWindowFlag(Qt::WindowStaysOnTopHint);

    WarningLabel = new QLabel(this);
    WarningLabel->setObjectName(QStringLiteral("WarningLabel"));
    WarningLabel->setWordWrap(true);
    WarningLabel->setMinimumWidth(420);
    DontShowAgainBox = new QCheckBox(this);
    DontShowAgainBox->setObjectName(QStringLiteral("DontShowAgainBox"));

    auto* buttons = new QDialogButtonBox(this);
    ContinueButton = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    ContinueButton->setObjectName(QStringLiteral("ContinueButton"));
    CancelButton = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    // A stray Enter must not start the picture.
    ContinueButton->setAutoDefault(false);
    CancelButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(WarningLabel);
    layout->addWidget(DontShowAgainBox);
    layout->addWidget(buttons);
    CancelButton->setFocus();
    RetranslateUi();
}

void PhotosensitivityWarning::RetranslateUi() {
    setWindowTitle(tr("Осторожно: мигающие изображения"));
    WarningLabel->setText(tr(PhotosensitivityWarningText));
    DontShowAgainBox->setText(tr("&Больше не показывать"));
    ContinueButton->setText(tr("&Продолжить"));
    CancelButton->setText(tr("&Отмена"));
}

void PhotosensitivityWarning::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDialog::changeEvent(event);
}

bool ConfirmPicturePlay(QWidget* owner, Preferences& preferences) {
    if (!preferences.PhotosensitivityWarningWanted())
        return true;
    PhotosensitivityWarning warning(owner);
    if (warning.exec() != QDialog::Accepted)
        return false; // nothing is remembered, so Play can never be refused for good
    if (warning.DontShowAgainBox->isChecked())
        preferences.SetPhotosensitivityWarningWanted(false);
    return true;
}

void PrintPhotosensitivityWarning(std::ostream& out) {
    out << "umbrascope: " << PhotosensitivityWarningText << '\n';
}

} // namespace umbrascope
