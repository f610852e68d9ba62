#pragma once

// A main window on the in-memory sound device, shown and played by the test; every track
// thread is joined before the next test.

#include "QtTestSupport.h"
#include "TestProgram.h"
#include "app/gui/MainForm.h"
#include "audio/device/MemoryAudioBackend.h"
#include "audio/tracks/PlayUtils.h"
#include "model/Session.h"

#include <gtest/gtest.h>

#include <memory>

namespace umbrascope {

class PlaybackWindow : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        form = std::make_unique<TMainForm>(QStringList{}, program.Services(messages));
    }
    void TearDown() override {
        form.reset(); // its track threads end with it
    }

    SessionDocument& Document() { return form->Document(); }
    Transport& PlayTransport() { return form->PlayTransport(); }

    MemoryAudioBackend backend;
    ScopedAudioBackend scopedBackend{backend};
    TestProgram program;
    MessageRecorder messages;
    std::unique_ptr<TMainForm> form;
};

} // namespace umbrascope
