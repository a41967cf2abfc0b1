#pragma once
// Start-up of the program and the exit sequence that ends it.
#include <windows.h>

namespace app {

// Builds the state, the main window with its control and command surfaces and opens the
// command-line file; the caller then enters the event loop.
void startUp(HINSTANCE instance, const char* commandLine);

// Removes any tray icon, releases what the program holds and ends the process with exit code 0.
void exitSequence();

// Tests end a run without ending their own process.
using ProcessExit = void (*)(unsigned exitCode);
void setProcessExit(ProcessExit exit);

}  // namespace app
