#include <windows.h>

#include "app/event_loop.h"
#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  app::startUp(instance, GetCommandLineA());
  app::runEventLoop();
}
