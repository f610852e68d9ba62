#include "ToolWindow.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace umbrascope {

QFont FormFont() {
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void MakeFixedToolWindow(QDialog& dialog, QSize client) {
    dialog.setFont(FormFont());
    dialog.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    dialog.setFixedSize(client);
}

void NoDefaultButton(QDialog& dialog) {
    // A dialog makes its first such button the default when it shows.
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void CentreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
}

} // namespace umbrascope
