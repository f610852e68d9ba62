#include "AboutForm.h"

#include "AboutAddresses.h"
#include "audio/device/LibraryVersions.h"
#include "ui/ToolWindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace umbrascope {

namespace {

enum class LinkKind { Site, Mail };

// A label that opens its address through the desktop (the browser or the mail program), or
// plain text when the address is empty.
QLabel* NewLinkLabel(QWidget* parent, const char* name, const QString& address, LinkKind kind,
                     const char* color, int y) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(12, y, 250, 18);
    if (address.isEmpty()) {
        label->setText(kind == LinkKind::Site ? QStringLiteral("сайт не указан")
                                              : QStringLiteral("адрес почты не указан"));
        return label;
    }
    const QString target = kind == LinkKind::Site ? QUrl::fromUserInput(address).toString()
                                                  : QStringLiteral("mailto:") + address +
                                                        QStringLiteral("?subject=Umbrascope_4.1");
    const QString decoration =
        kind == LinkKind::Site ? QStringLiteral("underline") : QStringLiteral("none");
    label->setText(QStringLiteral("<a href=\"%1\" style=\"color:%2; text-decoration:%3\">%4</a>")
                       .arg(target.toHtmlEscaped(), QString::fromLatin1(color), decoration,
                            address.toHtmlEscaped()));
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    label->setOpenExternalLinks(true);
    label->setCursor(Qt::PointingHandCursor);
    label->setAccessibleName(address);
    return label;
}

QGroupBox* NewGroup(QWidget* parent, const QString& title, int y) {
    auto* group = new QGroupBox(title, parent);
    group->setGeometry(10, y, 277, 72);
    return group;
}

} // namespace

AboutAddresses AboutAddresses::Built() {
    return {QString::fromUtf8(BuiltDeveloperSite), QString::fromUtf8(BuiltDeveloperMail),
            QString::fromUtf8(BuiltProductSite), QString::fromUtf8(BuiltProductMail)};
}

TAboutForm::TAboutForm(QWidget* parent, const AboutAddresses& addresses) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("  О программе"));
    MakeFixedToolWindow(*this, QSize(297, 313));

    auto* title = new QLabel(QStringLiteral("Umbrascope 4.1"), this);
    QFont large = title->font();
    large.setPixelSize(28);
    large.setBold(true);
    title->setFont(large);
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(0, 12, 297, 44);

    QGroupBox* developer = NewGroup(this, QStringLiteral("Разработчик"), 66);
    DeveloperSiteLabel = NewLinkLabel(developer, "DeveloperSiteLabel", addresses.developerSite,
                                      LinkKind::Site, "blue", 22);
    DeveloperMailLabel = NewLinkLabel(developer, "DeveloperMailLabel", addresses.developerMail,
                                      LinkKind::Mail, "blue", 44);
    QGroupBox* product = NewGroup(this, QStringLiteral("Консультация и внедрение"), 146);
    ProductSiteLabel = NewLinkLabel(product, "ProductSiteLabel", addresses.productSite,
                                    LinkKind::Site, "green", 22);
    ProductMailLabel = NewLinkLabel(product, "ProductMailLabel", addresses.productMail,
                                    LinkKind::Mail, "green", 44);

    LibrariesLabel = new QLabel(this);
    LibrariesLabel->setObjectName(QStringLiteral("LibrariesLabel"));
    LibrariesLabel->setWordWrap(true);
    LibrariesLabel->setGeometry(10, 222, 277, 48);
    // A line breaks only after a comma, never between a library's name and its version.
    const QString libraries =
        QStringLiteral("Qt %1, %2")
            .arg(QString::fromLatin1(qVersion()), QString::fromStdString(SoundLibraryVersions()))
            .replace(QLatin1Char(' '), QChar::Nbsp)
            .replace(QStringLiteral(",") + QChar::Nbsp, QStringLiteral(", "));
    LibrariesLabel->setText(
        QStringLiteral("Свободная программа: GNU GPL версии 3 или новее. Библиотеки: %1")
            .arg(libraries));

    OkButton = new QPushButton(QStringLiteral("&ОК"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setGeometry(108, 274, 80, 26);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    CentreOnScreen(*this);
}

} // namespace umbrascope
