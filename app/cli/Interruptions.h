#pragma once

namespace umbrascope {

// Interrupting a command-line mode: Ctrl+C (SIGINT), kill (SIGTERM) and a closed terminal
// (SIGHUP). While they are caught they only set a flag that the command looks at between
// steps, so it stops within a moment and leaves nothing behind: no unpacked media, no
// temporary file, no half-written output.
//
// Thread rule: the command's only thread; the signal handler only sets the flag.

// Catches the signals from now on.
void CatchInterruptions();
// Gives them back their default effect.
void StopCatchingInterruptions();

bool Interrupted();

// Thrown by ThrowIfInterrupted. RunCommandLine reports it as the end of the command.
struct CommandInterrupted {};

void ThrowIfInterrupted();

} // namespace umbrascope
