#include "app/event_loop.h"

#include <deque>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/menus.h"
#include "app/status_bar.h"
#include "document/recovery_copy.h"
#include "editor/editor_control.h"

namespace app {

namespace {

std::deque<Event> queued;

Event takeQueued() {
  Event event = queued.front();
  queued.pop_front();
  return event;
}

HACCEL acceleratorsOf(HWND window) {
  if (window == nullptr) return nullptr;
  if (window == state.mainWindowHandle) return state.accelerators;
  if (window == state.searchWindow) return state.searchAccelerators;
  return nullptr;
}

// The Find and Rename windows move the focus with Tab like dialogs; the main window does not.
bool navigatedInDialogWindow(MSG& message) {
  for (HWND window : {state.searchWindow, state.renameWindow}) {
    if (window != nullptr && (message.hwnd == window || IsChild(window, message.hwnd))) {
      return IsDialogMessageW(window, &message) != 0;
    }
  }
  return false;
}

// Keys, clicks and commands may change the text; the copy waits for them to pause.
bool userInput(const Event& event) {
  if (event.kind == static_cast<unsigned>(EventKind::Menu)) return true;
  return (event.kind >= WM_KEYFIRST && event.kind <= WM_KEYLAST) || event.kind == WM_LBUTTONUP ||
         event.kind == WM_MBUTTONUP || event.kind == WM_RBUTTONUP;
}

}  // namespace

void layOutEditor() {
  RECT client;
  GetClientRect(state.mainWindowHandle, &client);
  int height = client.bottom + GetSystemMetrics(SM_CYMENU);
  editor::resizeEditorControl(4, 28, client.right - 8, height - 71);
}

void queueEvent(const Event& event) { queued.push_back(event); }

void discardQueuedEvents() { queued.clear(); }

Event waitForEvent() {
  if (!queued.empty()) return takeQueued();

  // Taken in Unicode, so that the text control and the Find field get typed characters beyond the
  // ANSI code page; windows of the program's own ANSI class get them converted as before.
  // Not GetMessage: a message sent from another thread or process (the shell's tray notifications,
  // a window manager's resize) is handled inside that wait and may queue an event, yet GetMessage
  // returns only for a posted message, so the event would wait for the next input.
  MSG message;
  while (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (!queued.empty()) return takeQueued();
    // The wait ends when the recovery copy falls due: the pass after it writes the copy.
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, document::recoveryWaitMillis(), QS_ALLINPUT) == WAIT_TIMEOUT) {
      return Event{};
    }
  }
  if (message.message == WM_QUIT) return Event{message.message};

  HWND active = GetActiveWindow();
  HACCEL table = acceleratorsOf(active);
  if (table == nullptr || !TranslateAcceleratorW(active, table, &message)) {
    if (!navigatedInDialogWindow(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (message.message == WM_RBUTTONDOWN) queueEvent({static_cast<unsigned>(EventKind::RightButtonDown)});
  if (!queued.empty()) return takeQueued();
  return Event{message.message};
}

void handleEvent(const Event& event) {
  switch (static_cast<EventKind>(event.kind)) {
    case EventKind::Size:
      layOutEditor();
      break;
    case EventKind::RightButtonDown:
      showPopupMenu(state.editorMenu);
      break;
    case EventKind::Close:
      closeRequested(event.window);
      break;
    case EventKind::Tray:
      trayAction(event.code);
      break;
    case EventKind::Control:
      controlNotified(event.control, event.code);
      break;
    case EventKind::Menu:
      dispatchCommand(event.command);
      break;
  }
}

void runPass() {
  refreshCursorPosition();
  const Event event = waitForEvent();
  handleEvent(event);
  document::recoveryAfterEvent(userInput(event));
}

void runEventLoop() {
  for (;;) runPass();
}

void runPendingPasses() {
  MSG message;
  while (!queued.empty() || PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) runPass();
  refreshCursorPosition();
}

}  // namespace app
