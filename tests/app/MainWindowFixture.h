#pragma once

// A main window of its own for each test, with the message boxes it shows recorded.

#include "QtTestSupport.h"
#include "TestProgram.h"
#include "app/gui/MainForm.h"

#include <gtest/gtest.h>

#include <memory>

namespace umbrascope {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        form = std::make_unique<TMainForm>(QStringList{}, program.Services(messages));
    }

    SessionDocument& Document() { return form->Document(); }
    Transport& PlayTransport() { return form->PlayTransport(); }

    TestProgram program;
    MessageRecorder messages;
    std::unique_ptr<TMainForm> form;
};

} // namespace umbrascope
