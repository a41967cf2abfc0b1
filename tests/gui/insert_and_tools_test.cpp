// The insert commands, the calculator and character map and the About window.
#include <windows.h>
#include <richedit.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "document/titles.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;
using Range = std::pair<LONG, LONG>;

Range selected() { return {selection().cpMin, selection().cpMax}; }

// What the command inserts when the local clock reads t.
std::string inserted(app::CommandId command, const SYSTEMTIME& t) {
  char text[32] = {};
  switch (command) {
    case app::InsertDate: std::snprintf(text, sizeof text, "%02u.%02u.%04u", t.wDay, t.wMonth, t.wYear); break;
    case app::InsertTime: std::snprintf(text, sizeof text, "%02u:%02u", t.wHour, t.wMinute); break;
    case app::InsertTimeSeconds: std::snprintf(text, sizeof text, "%02u:%02u:%02u", t.wHour, t.wMinute, t.wSecond); break;
    default: return "<html>\r<head>\r  <title></title>\r</head>\r<body>\r\r</body>\r</html>";
  }
  return text;
}

TEST_F(VelloroTest, InsertCommandsReplaceTheSelectionAndStayAfterUndo) {
  startVelloro();
  for (app::CommandId command : {app::InsertDate, app::InsertTime, app::InsertTimeSeconds, app::InsertHtmlSkeleton}) {
    setEditorText("abcXYZdef");
    select(3, 6);
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    app::dispatchCommand(command);
    GetLocalTime(&after);
    const std::string text = editorText();
    // The clock may have moved on during the command.
    const std::string early = inserted(command, before), late = inserted(command, after);
    EXPECT_TRUE(text == "abc" + early + "def" || text == "abc" + late + "def") << command << ": " << text;
    const LONG caret = 3 + static_cast<LONG>(early.size());
    EXPECT_EQ(selected(), Range(caret, caret)) << command;
    SendMessageA(state.editorHandle, EM_UNDO, 0, 0);
    EXPECT_EQ(editorText(), text) << command;
  }
}

// Wine's colour dialog under an English prefix.
constexpr char colourDialogTitle[] = "Color";

TEST_F(VelloroTest, RgbColourFromTheDialogOrNothingWhenCancelled) {
  struct Case {
    std::vector<const char*> rgb;  // empty: cancel
    const char* inserted;
    int picked;
  } cases[] = {{{"255", "128", "0"}, "255,128,0", 0x0080FF}, {{"0", "0", "0"}, "0,0,0", 0}, {{}, "", -1}};
  startVelloro();
  // The program's other windows are disabled too, not only the dialog's owner.
  app::dispatchCommand(app::Find);
  settle();
  for (const Case& c : cases) {
    setEditorText("[]");
    select(1, 1);
    std::atomic<bool> windowsDisabled{false};
    {
      DialogAnswerer answerer(colourDialogTitle, [&](HWND dialog) {
        windowsDisabled = !IsWindowEnabled(state.mainWindowHandle) && !IsWindowEnabled(state.searchWindow);
        for (int i = 0; i < 3 && !c.rgb.empty(); ++i) SetDlgItemTextA(dialog, 706 + i, c.rgb[i]);
        pressButton(dialog, c.rgb.empty() ? IDCANCEL : IDOK);
      });
      app::dispatchCommand(app::InsertRgbColour);
      ASSERT_TRUE(answerer.answered()) << c.inserted;
    }
    EXPECT_EQ(editorText(), std::string("[") + c.inserted + "]");
    EXPECT_EQ(state.pickedColour, c.picked) << c.inserted;
    EXPECT_TRUE(windowsDisabled) << c.inserted;
    EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle) && IsWindowEnabled(state.searchWindow)) << c.inserted;
  }
}

std::string windowsFolder() {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  return windows;
}

// The stand-in program built next to this test program, copied into the system folder for one test.
class FakeSystemPrograms {
 public:
  explicit FakeSystemPrograms(const std::string& marks) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string fake = std::string(self).substr(0, std::string(self).rfind('\\') + 1) + "fake_tool.exe";
    for (const char* name : {"calc.exe", "charmap.exe"}) {
      std::string target = windowsFolder() + "\\system32\\" + name;
      if (CopyFileA(fake.c_str(), target.c_str(), TRUE)) copies_.push_back(target);
    }
    SetEnvironmentVariableA("VELLORO_FAKE_TOOL_MARKS", marks.c_str());
  }
  ~FakeSystemPrograms() { removeAll(); }
  std::size_t placed() const { return copies_.size(); }

  // A started copy cannot be deleted until its process has ended, which may take a moment.
  bool removeAll() {
    SetEnvironmentVariableA("VELLORO_FAKE_TOOL_MARKS", nullptr);
    for (int attempt = 0; attempt < 250 && !copies_.empty(); ++attempt) {
      if (DeleteFileA(copies_.back().c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) {
        copies_.pop_back();
      } else {
        Sleep(20);
      }
    }
    return copies_.empty();
  }

 private:
  std::vector<std::string> copies_;
};

// Notes and closes any visible window of this process but the main window.
BOOL CALLBACK closeStrayWindow(HWND window, LPARAM seen) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && window != state.mainWindowHandle) {
    *reinterpret_cast<std::string*>(seen) += windowText(window) + ";";
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

TEST_F(VelloroTest, CalculatorAndCharacterMapStartFromTheSystemFolderAndAreSilentWhenMissing) {
  startVelloro();
  setEditorText("bleibt");
  struct Tool {
    app::CommandId command;
    const char* name;
  } tools[] = {{app::Calculator, "calc.exe"}, {app::CharacterMap, "charmap.exe"}};
  {
    std::atomic<bool> stop{false};
    std::string seen;
    std::thread watcher([&] {
      for (; !stop; Sleep(20)) EnumWindows(closeStrayWindow, reinterpret_cast<LPARAM>(&seen));
    });
    for (const Tool& tool : tools) app::dispatchCommand(tool.command);
    settle();
    stop = true;
    watcher.join();
    EXPECT_EQ(seen, "") << "a missing program is ignored without a message";
    EXPECT_EQ(editorText(), "bleibt");
    EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle));
  }

  FakeSystemPrograms fakes(folder.substr(0, folder.size() - 1));
  ASSERT_EQ(fakes.placed(), 2u) << "calc.exe or charmap.exe already present in " << windowsFolder();
  for (const Tool& tool : tools) {
    const std::string mark = folder + tool.name + ".txt";
    app::dispatchCommand(tool.command);
    ASSERT_TRUE(runUntil([&] { return readFile(mark).find('\n') != std::string::npos; }, 10000)) << tool.name;
    // The quoted path as the command line, started in the system folder.
    const std::string windows = windowsFolder();
    EXPECT_EQ(readFile(mark), "\"" + windows + "\\System32\\" + tool.name + "\"|" + windows + "\\system32\n");
  }
  EXPECT_TRUE(fakes.removeAll());
}

// Where the About window stood, the banner read from the program's data, whether the main window
// was disabled and whether keys, Alt+F4 included, left it open while it waits for a click.
struct AboutFacts {
  RECT frame{};
  BITMAP banner{};
  bool mainDisabled = false, openAfterKeys = false;
};

void inspectAbout(HWND about, AboutFacts& facts) {
  GetWindowRect(about, &facts.frame);
  auto image = reinterpret_cast<HBITMAP>(SendDlgItemMessageA(about, 0, STM_GETIMAGE, IMAGE_BITMAP, 0));
  if (image != nullptr) GetObjectA(image, sizeof facts.banner, &facts.banner);
  facts.mainDisabled = !IsWindowEnabled(state.mainWindowHandle);
  PostMessageA(about, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageA(about, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(about, WM_CHAR, 'x', 1);
  PostMessageA(about, WM_SYSKEYDOWN, VK_F4, 0x20000001);
  PostMessageA(about, WM_CLOSE, 0, 0);
  Sleep(300);
  facts.openAfterKeys = IsWindowVisible(about) != FALSE;
}

TEST_F(VelloroTest, AboutWindowClosesOnlyOnAClickInTheProgramsWindows) {
  const std::string title = document::dialogTitle("Über Velloro");
  startVelloro();
  app::dispatchCommand(app::Find);
  settle();
  HWND findField = GetDlgItem(state.searchWindow, 5);
  enum class Target { Notice, Window, FindField };
  for (Target target : {Target::Notice, Target::Window, Target::FindField}) {
    SCOPED_TRACE(static_cast<int>(target));
    AboutFacts facts;
    {
      DialogAnswerer answerer(title, [&](HWND about) {
        if (target == Target::Notice) inspectAbout(about, facts);
        HWND clicked = target == Target::Notice ? GetDlgItem(about, 2) : target == Target::Window ? about : findField;
        PostMessageA(clicked, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
      });
      app::dispatchCommand(app::About);
      EXPECT_TRUE(answerer.answered());
    }
    EXPECT_EQ(state.aboutWindow, nullptr);
    EXPECT_EQ(state.aboutClosed, 0);
    EXPECT_EQ(FindWindowA(nullptr, title.c_str()), nullptr);
    EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle));
    EXPECT_EQ(GetActiveWindow(), state.mainWindowHandle);
    EXPECT_EQ(GetFocus(), state.editorHandle);
    if (target != Target::Notice) continue;

    EXPECT_EQ(facts.frame.left, (GetSystemMetrics(SM_CXSCREEN) - (facts.frame.right - facts.frame.left)) / 2);
    EXPECT_EQ(facts.frame.top, (GetSystemMetrics(SM_CYSCREEN) - (facts.frame.bottom - facts.frame.top)) / 2);
    EXPECT_EQ(std::pair(facts.banner.bmWidth, facts.banner.bmHeight), std::pair(326L, 99L));
    EXPECT_TRUE(facts.mainDisabled);
    EXPECT_TRUE(facts.openAfterKeys);
  }
  // Clicks in the Find window do nothing else: it stays open.
  EXPECT_NE(state.searchWindow, nullptr);
}

}  // namespace
