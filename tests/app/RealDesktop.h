#pragma once

// The program as the end-to-end runs meet it: on the virtual X display xvfb-run gives the test
// program, with the sound server test.sh starts (scripts/pulse.sh).

#include "app/gui/MainForm.h"
#include "tests/common/SoundServer.h"

#include <QString>

#include <memory>

namespace umbrascope {

// The application object on the X display rather than offscreen; false when Qt chose another
// platform.
bool StartOnXDisplay();

// The main window opened on the project, shown and exposed; null when it does not show.
std::unique_ptr<TMainForm> ShowMainWindow(const QString& project, const ProgramServices& program);

// After the last window has gone: every track thread joined and the sound output shut.
void EndSoundOfTest();

} // namespace umbrascope
