#include "AboutForm.h"

#include "AboutAddresses.h"
#include "audio/device/LibraryVersions.h"
#include "ui/ToolWindow.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace umbrascope {

namespace {

enum class LinkKind { Site, Mail };

// A label that opens its address through the desktop (the browser or the mail program), or
// plain text when the address is empty.
QLabel* NewLinkLabel(QWidget* parent, RetranslatedTexts& texts, const char* name,
                     const QString& address, LinkKind kind, const char* color, int y) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(12, y, 250, 18);
    if (address.isEmpty()) {
        texts.Text(label, [kind] {
            return kind == LinkKind::Site ? TAboutForm::tr("сайт не указан")
                                          : TAboutForm::tr("адрес почты не указан");
        });
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

QGroupBox* NewGroup(QWidget* parent, int y) {
    auto* group = new QGroupBox(parent);
    group->setGeometry(10, y, 277, 72);
    return group;
}

// The libraries with their versions; a line breaks only after a comma, never between a
// library's name and its version.
QString LibrariesText() {
    return QStringLiteral("Qt %1, %2")
        .arg(QString::fromLatin1(qVersion()), QString::fromStdString(SoundLibraryVersions()))
        .replace(QLatin1Char(' '), QChar::Nbsp)
        .replace(QStringLiteral(",") + QChar::Nbsp, QStringLiteral(", "));
}

} // namespace

AboutAddresses AboutAddresses::Built() {
    return {QString::fromUtf8(BuiltDeveloperSite), QString::fromUtf8(BuiltDeveloperMail),
            QString::fromUtf8(BuiltProductSite), QString::fromUtf8(BuiltProductMail)};
}

TAboutForm::TAboutForm(QWidget* parent, const AboutAddresses& addresses) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    texts_.Keep([this] { setWindowTitle(tr("  О программе")); });
    MakeFixedToolWindow(*this, QSize(297, 313));

    auto* title = new QLabel(QStringLiteral("Umbrascope 4.1"), this);
    QFont large = title->font();
    large.setPixelSize(28);
    large.setBold(true);
    title->setFont(large);
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(0, 12, 297, 44);

    QGroupBox* developer = NewGroup(this, 66);
    texts_.Keep([developer] { developer->setTitle(tr("Разработчик")); });
    DeveloperSiteLabel = NewLinkLabel(developer, texts_, "DeveloperSiteLabel",
                                      addresses.developerSite, LinkKind::Site, "blue", 22);
    DeveloperMailLabel = NewLinkLabel(developer, texts_, "DeveloperMailLabel",
                                      addresses.developerMail, LinkKind::Mail, "blue", 44);
    QGroupBox* product = NewGroup(this, 146);
    texts_.Keep([product] { product->setTitle(tr("Консультация и внедрение")); });
    ProductSiteLabel = NewLinkLabel(product, texts_, "ProductSiteLabel", addresses.productSite,
                                    LinkKind::Site, "green", 22);
    ProductMailLabel = NewLinkLabel(product, texts_, "ProductMailLabel", addresses.productMail,
                                    LinkKind::Mail, "green", 44);

    LibrariesLabel = new QLabel(this);
    LibrariesLabel->setObjectName(QStringLiteral("LibrariesLabel"));
    LibrariesLabel->setWordWrap(true);
    LibrariesLabel->setGeometry(10, 222, 277, 48);
    texts_.Text(LibrariesLabel, [] {
        return tr("Свободная программа: GNU GPL версии 3 или новее. Библиотеки: %1")
            .arg(LibrariesText());
    });

    OkButton = texts_.Text(new QPushButton(this), [] { return tr("&ОК"); });
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setGeometry(108, 274, 80, 26);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    CentreOnScreen(*this);
}

void TAboutForm::RetranslateUi() {
    texts_.Apply();
}

void TAboutForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDialog::changeEvent(event);
}

} // namespace umbrascope
