#pragma once

// The desktop program: the application object, the program's windows and the message loop.

class MessageBridge;

// True when windows can be shown: a display is named, or a Qt platform was chosen.
bool DisplayAvailable();

// Runs until the main window closes; returns the exit status.
int RunDesktopProgram(int argc, char** argv);

// Program exit: every track thread stopped and joined, then the sound output shut down.
// messages: the bridge the track threads' messages went through, if any.
void EndSound(MessageBridge* messages);
