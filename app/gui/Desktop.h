#pragma once

namespace umbrascope {

// The desktop program: the application object, the program's windows and the message loop.

// Runs until the main window closes; returns the exit status.
int RunDesktopProgram(int argc, char** argv);

} // namespace umbrascope
