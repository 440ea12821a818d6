#pragma once
// The console a program was started from. A Windows program built for the
// desktop (the GUI subsystem) gets no console of its own, so what it writes
// to standard output and standard error goes nowhere, even when a person
// started it from a console window; elsewhere the streams are always there.

namespace os {

// On Windows, attaches to the console of the process that started the
// program, if it has one, and points each standard stream that has nowhere
// to go at it; a stream already redirected (to a file or a pipe) is left
// alone. Elsewhere does nothing. Call it before anything is written.
void AttachParentConsole();

}  // namespace os
