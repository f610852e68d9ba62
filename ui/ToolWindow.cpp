#include "ToolWindow.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLayout>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

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

void FitFixedSize(QDialog& dialog, QSize designed) {
    if (QLayout* layout = dialog.layout()) {
        // A hidden window's layouts keep the sizes measured before its texts changed.
        for (QWidget* child : dialog.findChildren<QWidget*>())
            child->updateGeometry();
        for (QLayout* inner : dialog.findChildren<QLayout*>())
            inner->invalidate();
        // Longer texts make lines longer; the height stays as designed.
        designed.setWidth(std::max(designed.width(), layout->totalMinimumSize().width()));
    }
    dialog.setFixedSize(designed);
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
