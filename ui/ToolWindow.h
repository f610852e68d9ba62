#pragma once

// The frame every dialog of the program shares: a fixed-size tool window with only a close box
// in its title bar. User-interface thread only.

#include <QFont>
#include <QSize>

class QDialog;
class QWidget;

namespace umbrascope {

// The font of every window of the program: "MS Sans Serif" of 8 points, or the desktop's sans
// serif face at that size where it is not installed.
QFont FormFont();

// Gives dialog its frame, the program's font and a client area of this size, which the user
// cannot change.
void MakeFixedToolWindow(QDialog& dialog, QSize client);

// For a dialog laid out by its layout: the client area of the designed size, made wider only
// where the texts need more room (a translation longer than the original).
void FitFixedSize(QDialog& dialog, QSize designed);

// For a dialog without an OK button, once its buttons exist: Enter presses none of them, so
// Enter in a field never opens what a button opens (Space still presses a focused button).
void NoDefaultButton(QDialog& dialog);

// Places the window in the middle of the screen it is on (the primary screen at first).
void CentreOnScreen(QWidget& window);

} // namespace umbrascope
