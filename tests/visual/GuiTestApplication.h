#pragma once

// One QApplication for the whole test program (fonts need it; the window needs widgets).
// Made on first use from the test thread and kept until the program ends.

#include <QApplication>

inline void EnsureGuiApplication() {
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "umbrascope-tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives until exit, like the program's own
}
