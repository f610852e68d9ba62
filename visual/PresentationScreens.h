#pragma once

// The screens a session can be shown on: the primary one first, then the others in the order
// the system lists them, as the menu and the command line (--screen N, 1 the primary) number
// them. User-interface thread only.

#include <QList>
#include <QSize>
#include <QString>

class QScreen;

namespace umbrascope {

QList<QScreen*> PresentationScreens();

// The screen's resolution in device pixels: what a frame on it is drawn at.
QSize NativeSize(const QScreen& screen);

// "name: 1920 × 1080, 60 Гц", as the choice of screen lists it.
QString ScreenCaption(const QScreen& screen);

// The screen of that name; the primary one when no screen has it (none chosen, or it is gone).
// Null only when there is no screen at all.
QScreen* ScreenNamed(const QString& name);

// The screen numbered from 1 as in PresentationScreens(); null when there is none.
QScreen* ScreenNumbered(int number);

} // namespace umbrascope
