#pragma once

// The about box: the product's name and version, the addresses of its developer and of its
// consulting and deployment, its license and the libraries it runs with. Keeps no data.
// User-interface thread only.

#include "ui/RetranslatedTexts.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace umbrascope {

// Web sites and mail addresses; an empty one shows as plain text and opens nothing.
struct AboutAddresses {
    QString developerSite;
    QString developerMail;
    QString productSite;
    QString productMail;

    // The addresses the program was built with.
    static AboutAddresses Built();
};

class TAboutForm : public QDialog {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* parent = nullptr,
                        const AboutAddresses& addresses = AboutAddresses::Built());

    QLabel* DeveloperSiteLabel = nullptr;
    QLabel* DeveloperMailLabel = nullptr;
    QLabel* ProductSiteLabel = nullptr;
    QLabel* ProductMailLabel = nullptr;
    QLabel* LibrariesLabel = nullptr;
    QPushButton* OkButton = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();

    RetranslatedTexts texts_;
};

} // namespace umbrascope
