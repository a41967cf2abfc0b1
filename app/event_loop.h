#pragma once
// The main loop: each pass refreshes the cursor position, waits for one event and handles it.
#include <windows.h>

#include "app/object_ids.h"

namespace app {

struct Event {
  unsigned kind = 0;  // an EventKind, or the number of a message that produced no event
  WindowNumber window = WindowNumber::Other;
  int control = 0;
  unsigned code = 0;     // notification code of a control event, type of a tray event
  unsigned command = 0;  // CommandId of a menu event
};

// Called by the window procedure: events that handling a message produced, in order.
void queueEvent(const Event& event);

// Takes the oldest queued event, or the next message turned into an event; waits when there is none.
Event waitForEvent();
void handleEvent(const Event& event);

// Gives the text control its place in the main window's client area.
void layOutEditor();

void runPass();
[[noreturn]] void runEventLoop();

// Runs passes until no message or event is waiting; tests and modal loops use it.
void runPendingPasses();

// Removes queued events without handling them.
void discardQueuedEvents();

}  // namespace app
