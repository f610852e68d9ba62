#pragma once

// The frame every dialog of the program shares: a fixed-size tool window with only a close box
// in its title bar. User-interface thread only.

#include <QSize>

class QDialog;
class QWidget;

// Gives dialog its frame and a client area of this size, which the user cannot change.
void MakeFixedToolWindow(QDialog& dialog, QSize client);

// Places the window in the middle of the screen it is on (the primary screen at first).
void CentreOnScreen(QWidget& window);
