#pragma once

// One QApplication for the whole test program (fonts need it; the window needs widgets).
// Made on first use from the test thread; deleted when the tests are over, so that the font
// system's memory goes with it.

#include <gtest/gtest.h>

#include <QApplication>

namespace umbrascope {

class GuiApplicationEnvironment : public ::testing::Environment {
public:
    explicit GuiApplicationEnvironment(QApplication* application) : application_(application) {}
    void TearDown() override { delete application_; }

private:
    QApplication* application_;
};

inline void EnsureGuiApplication() {
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "umbrascope-tests";
    static char* argv[] = {name, nullptr};
    ::testing::AddGlobalTestEnvironment(
        new GuiApplicationEnvironment(new QApplication(argc, argv)));
}

} // namespace umbrascope
