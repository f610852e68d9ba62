#pragma once

namespace umbrascope {

// The desktop program: the application object, the program's windows and the message loop.

class MessageBridge;

// Runs until the main window closes; returns the exit status.
int RunDesktopProgram(int argc, char** argv);

// Program exit: the bridge the track threads' messages went through closed, then EndSound().
void EndSound(MessageBridge* messages);

} // namespace umbrascope
