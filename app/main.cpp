#include <windows.h>

#include "app/event_loop.h"
#include "app/startup.h"
#include "platform/file_names.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The wide command line: a file name beyond the ANSI code page arrives as itself.
  app::startUp(instance, platform::commandLine().c_str());
  app::runEventLoop();
}
