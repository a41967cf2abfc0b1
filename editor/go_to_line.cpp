#include "editor/go_to_line.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "app/app_state.h"
#include "editor/editor_control.h"
#include "platform/lenient_number.h"
#include "platform/modal_windows.h"
#include "platform/program_name.h"

namespace editor {

namespace {

using app::state;

constexpr char inputClassName[] = "VelloroLineInput";
constexpr int inputWidth = 300;
constexpr int inputHeight = 130;
constexpr int promptId = 100;
constexpr int fieldId = 101;

// What the window procedure reports back to the loop of askLine.
struct InputSession {
  bool done = false;
  bool answered = false;
  std::string answer;
};

std::string textOf(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

LRESULT CALLBACK lineInputProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* session = reinterpret_cast<InputSession*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_COMMAND:
      if (session != nullptr && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        if (LOWORD(wParam) == IDOK) {
          session->answer = textOf(GetDlgItem(window, fieldId));
          session->answered = true;
        }
        session->done = true;
        return 0;
      }
      break;
    case WM_CLOSE:
      if (session != nullptr) session->done = true;
      return 0;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool registerInputClass() {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = lineInputProc;
  windowClass.hInstance = state.instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = inputClassName;
  return RegisterClassExA(&windowClass) != 0;
}

HWND createChild(HWND parent, DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y,
                 int width, int height, int id) {
  HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), state.instance, nullptr);
  if (child != nullptr) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  return child;
}

HACCEL createInputAccelerators() {
  ACCEL keys[] = {{FVIRTKEY, VK_RETURN, IDOK}, {FVIRTKEY, VK_ESCAPE, IDCANCEL}};
  return CreateAcceleratorTableA(keys, 2);
}

void runInputLoop(HWND window, HACCEL keys, const InputSession& session) {
  MSG message;
  while (!session.done && IsWindow(window)) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // leave the quit to the outer loop
      return;
    }
    if (keys != nullptr && TranslateAcceleratorA(window, keys, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

std::string askLine(const std::string& title, const std::string& prompt, const std::string& defaultText) {
  HWND owner = platform::dialogOwner();
  std::optional<platform::DisabledProgramWindows> disabled;
  disabled.emplace();
  // A class left behind by an earlier failure is used as it is.
  if (!registerInputClass() && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return {};

  InputSession session;
  int x = GetSystemMetrics(SM_CXSCREEN) / 2 - inputWidth / 2;
  int y = GetSystemMetrics(SM_CYSCREEN) / 2 - inputHeight / 2;
  HWND window = CreateWindowExA(0, inputClassName, title.c_str(), WS_CAPTION | WS_VISIBLE, x, y, inputWidth,
                                inputHeight, owner, nullptr, state.instance, &session);
  if (window != nullptr) {
    createChild(window, 0, "STATIC", prompt.c_str(), SS_LEFT | SS_LEFTNOWORDWRAP, 10, 10, 280, 22, promptId);
    HWND field =
        createChild(window, WS_EX_CLIENTEDGE, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, 10, 32, 275, 21, fieldId);
    createChild(window, 0, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 110, 67, 80, 25, IDOK);
    if (!defaultText.empty()) {
      SetWindowTextA(field, defaultText.c_str());
      auto end = static_cast<WPARAM>(defaultText.size());
      SendMessageA(field, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
    SetForegroundWindow(window);
    BringWindowToTop(window);
    SetFocus(field);

    HACCEL keys = createInputAccelerators();
    runInputLoop(window, keys, session);
    if (keys != nullptr) DestroyAcceleratorTable(keys);
  }
  // The other windows are enabled before this one goes, so that the activation can return to them.
  disabled.reset();
  if (window != nullptr) DestroyWindow(window);
  UnregisterClassA(inputClassName, state.instance);
  return session.answered ? session.answer : std::string();
}

void goToLine() {
  std::string answer = askLine(platform::dialogTitle("Gehe zu Zeile"), "Zeile:", "");
  long line = platform::parseLenientInt(answer);
  state.goToLineNumber = static_cast<int>(line);
  // Scrolls by n lines from where the view stands; the caret then goes to line n itself.
  SendMessageA(state.editorHandle, EM_LINESCROLL, 0, static_cast<LPARAM>(line));
  moveCursorTo(line, 1);
  SetFocus(state.editorHandle);
}

}  // namespace editor
