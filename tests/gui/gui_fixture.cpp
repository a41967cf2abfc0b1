#include "tests/gui/gui_fixture.h"

#include <windows.h>
#include <richedit.h>
#include <shlobj.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/event_loop.h"
#include "app/startup.h"
#include "app/status_bar.h"
#include "document/titles.h"
#include "platform/file_names.h"

namespace gui_test {

std::atomic<int> exitCalls{0};

namespace {

using Clock = std::chrono::steady_clock;

void recordExit(unsigned) { ++exitCalls; }

// A visible top-level window with the title other than `other`, waited for until the deadline.
HWND waitForWindow(const std::string& title, HWND other, Clock::time_point deadline) {
  for (; Clock::now() < deadline; Sleep(20)) {
    HWND window = FindWindowA(nullptr, title.c_str());
    if (window != nullptr && window != other && IsWindowVisible(window)) {
      Sleep(50);  // let the dialog finish its initialisation
      return window;
    }
  }
  return nullptr;
}

BOOL CALLBACK collectStaticText(HWND child, LPARAM text) {
  char className[16] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0) *reinterpret_cast<std::string*>(text) += windowText(child);
  return TRUE;
}

// A fresh, empty working folder for this test (the program reads Preferences.pref there) that is also
// its local application data.
std::string makeWorkingFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string base = std::string(temp) + "velloro-" + info->test_suite_name() + "-" + info->name() + "-";
  // Process ids come round again; a folder that already exists belongs to an earlier run.
  DWORD first = GetTickCount();
  for (DWORD attempt = first; attempt < first + 1000; ++attempt) {
    std::string folder = base + std::to_string(attempt);
    if (CreateDirectoryA(folder.c_str(), nullptr)) {
      SetCurrentDirectoryA(folder.c_str());
      // Recovery copies go below it too, and a test finds only its own.
      SetEnvironmentVariableA("LOCALAPPDATA", folder.c_str());
      return folder + "\\";
    }
  }
  ADD_FAILURE() << "no fresh working folder under " << temp;
  return {};
}

}  // namespace

void startVelloro(const std::string& commandLine) {
  exitCalls = 0;
  app::setProcessExit(recordExit);
  app::startUp(GetModuleHandleA(nullptr), commandLine.c_str());
  settle();
}

void settle() { app::runPendingPasses(); }

bool runUntil(const std::function<bool()>& condition, int milliseconds) {
  auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    app::runPendingPasses();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

std::string windowText(HWND window) {
  std::string text(GetWindowTextLengthA(window) + 1, '\0');
  text.resize(GetWindowTextA(window, text.data(), static_cast<int>(text.size())));
  return text;
}

std::string editorText() {
  GETTEXTLENGTHEX lengthQuery{GTL_DEFAULT, CP_ACP};
  auto length = SendMessageA(app::state.editorHandle, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery), 0);
  std::string text(length + 1, '\0');
  GETTEXTEX query{static_cast<DWORD>(text.size()), GT_DEFAULT, CP_ACP, nullptr, nullptr};
  text.resize(SendMessageA(app::state.editorHandle, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query),
                           reinterpret_cast<LPARAM>(text.data())));
  return text;
}

CHARRANGE selection() {
  CHARRANGE range{-2, -2};
  SendMessageA(app::state.editorHandle, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

void select(LONG from, LONG to) {
  CHARRANGE range{from, to};
  SendMessageA(app::state.editorHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void setEditorText(const std::string& text) {
  SendMessageA(app::state.editorHandle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string titleText(HWND window) { return platform::windowText(window); }

std::string readFile(const std::string& path) {
  std::ifstream in(std::filesystem::path(platform::wideFromUtf8(path)), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(platform::wideFromUtf8(path)), std::ios::binary | std::ios::trunc) << bytes;
}

bool fileExists(const std::string& path) { return platform::fileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

std::set<std::string> folderNames(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(platform::wideFromUtf8(folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = platform::utf8FromWide(found.cFileName);
    if (name != "." && name != "..") names.insert(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

void typeIntoEditor(const std::string& text) {
  for (char c : text) {
    if (c == '\n') {
      SendMessageA(app::state.editorHandle, WM_KEYDOWN, VK_RETURN, 0);
      SendMessageA(app::state.editorHandle, WM_CHAR, '\r', 0);
      SendMessageA(app::state.editorHandle, WM_KEYUP, VK_RETURN, 0);
    } else {
      SendMessageA(app::state.editorHandle, WM_CHAR, static_cast<unsigned char>(c), 0);
    }
  }
}

// The shell's description of a drop: a DROPFILES block in global memory, which the receiver frees.
// Each name ends with a NUL.
WPARAM dropBlock(std::string names) {
  names += '\0';
  // In Unicode, as the shell of an NT system sends it.
  const std::wstring wide = platform::wideFromUtf8(names);
  const std::size_t size = wide.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + size);
  auto* block = static_cast<DROPFILES*>(GlobalLock(memory));
  block->pFiles = sizeof(DROPFILES);
  block->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(block) + sizeof(DROPFILES), wide.data(), size);
  GlobalUnlock(memory);
  return reinterpret_cast<WPARAM>(memory);
}

void typeOver(const std::string& text) {
  setEditorText("");
  typeIntoEditor(text);
}

DialogAnswerer::DialogAnswerer(std::string title, std::function<void(HWND)> action, int milliseconds)
    : thread_([this, title = std::move(title), action = std::move(action), milliseconds] {
        if (HWND window = waitForWindow(title, nullptr, Clock::now() + std::chrono::milliseconds(milliseconds))) {
          action(window);
          found_ = true;
        }
      }) {}

DialogAnswerer::~DialogAnswerer() {
  if (thread_.joinable()) thread_.join();
}

bool DialogAnswerer::answered() {
  if (thread_.joinable()) thread_.join();
  return found_;
}

void pressButton(HWND dialog, int buttonId) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
}

std::string dialogMessage(HWND dialog) {
  std::string text;
  EnumChildWindows(dialog, collectStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

bool answerNext(HWND answered, const std::string& title, const std::function<void(HWND)>& action,
                int milliseconds) {
  auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (IsWindow(answered)) {
    if (Clock::now() > deadline) return false;
    Sleep(20);
  }
  HWND window = waitForWindow(title, answered, deadline);
  if (window != nullptr) action(window);
  return window != nullptr;
}

void runCommand(unsigned command) {
  app::dispatchCommand(command);
  settle();
}

bool runAnswering(unsigned command, const std::string& purpose, const std::function<void(HWND)>& action) {
  DialogAnswerer answerer(document::dialogTitle(purpose), action);
  runCommand(command);
  return answerer.answered();
}

std::function<void(HWND)> answerWith(int button, std::string* text) {
  return [button, text](HWND dialog) {
    if (text != nullptr) *text = dialogMessage(dialog);
    pressButton(dialog, button);
  };
}

std::function<void(HWND)> chooseFile(const std::string& path, int typeIndex) {
  return [path, typeIndex](HWND dialog) {
    constexpr int typeCombo = 0x470;
    constexpr int nameCombo = 0x47C;
    if (typeIndex >= 0) {
      SendDlgItemMessageA(dialog, typeCombo, CB_SETCURSEL, static_cast<WPARAM>(typeIndex), 0);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(typeCombo, CBN_SELENDOK),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, typeCombo)));
    }
    HWND combo = GetDlgItem(dialog, nameCombo);
    HWND edit = combo != nullptr ? FindWindowExA(combo, nullptr, "Edit", nullptr) : nullptr;
    // In Wine's dialog the field is a ComboBoxEx32 holding a ComboBox that holds the Edit.
    HWND innerCombo = combo != nullptr ? FindWindowExA(combo, nullptr, "ComboBox", nullptr) : nullptr;
    if (edit == nullptr && innerCombo != nullptr) edit = FindWindowExA(innerCombo, nullptr, "Edit", nullptr);
    if (edit == nullptr) edit = GetDlgItem(dialog, 0x480);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(platform::wideFromUtf8(path).c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
}

std::string documentNow() {
  return windowText(app::state.mainWindowHandle) + " | " + app::statusText(1) + " | " + editorText() + " | " +
         app::state.currentPath + " | " + std::to_string(app::state.modifiedMarked);
}

std::string documentAs(const std::string& titleName, const std::string& status, const std::string& text,
                       const std::string& path, int marked) {
  return "Velloro v2.0 Beta 3  -  " + titleName + " | " + status + " | " + text + " | " + path + " | " +
         std::to_string(marked);
}

void VelloroTest::SetUp() { folder = makeWorkingFolder(); }

void VelloroTest::TearDown() {
  if (app::state.mainWindowHandle != nullptr) app::exitSequence();
}

}  // namespace gui_test
