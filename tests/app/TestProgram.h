#pragma once

// What a test lends the main windows it makes, as the desktop program does: preferences of the
// test's own and the language of the windows (Russian until the test applies another).

#include "QtTestSupport.h"
#include "app/gui/MainForm.h"
#include "tests/dialogs/ScratchPreferences.h"

namespace umbrascope {

struct TestProgram {
    ScratchPreferences settings;
    WindowLanguage language;

    Preferences& Settings() { return settings.preferences; }
    // For a window whose message boxes messages records.
    ProgramServices Services(MessageRecorder& messages) {
        return {settings.preferences, language, messages.Answerer()};
    }
    // For a window whose boxes show (a test answers them as a person would).
    ProgramServices Services() { return {settings.preferences, language, {}}; }
};

} // namespace umbrascope
