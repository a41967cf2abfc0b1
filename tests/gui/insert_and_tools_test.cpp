// The insert commands, the calculator and character map, the settings note and the About window.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "document/titles.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

std::string stamp(app::CommandId command, const SYSTEMTIME& t) {
  char text[32] = {};
  switch (command) {
    case app::InsertDate: std::snprintf(text, sizeof text, "%02u.%02u.%04u", t.wDay, t.wMonth, t.wYear); break;
    case app::InsertTime: std::snprintf(text, sizeof text, "%02u:%02u", t.wHour, t.wMinute); break;
    default: std::snprintf(text, sizeof text, "%02u:%02u:%02u", t.wHour, t.wMinute, t.wSecond); break;
  }
  return text;
}

TEST_F(VelloroTest, DateAndTimesAreInsertedFromTheLocalClockAndStayAfterUndo) {
  startVelloro();
  for (app::CommandId command : {app::InsertDate, app::InsertTime, app::InsertTimeSeconds}) {
    setEditorText("Heute ist  gewesen");
    select(10, 10);
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    app::dispatchCommand(command);
    GetLocalTime(&after);
    std::string text = editorText();
    // The clock may have moved on during the command.
    std::string early = stamp(command, before), late = stamp(command, after);
    bool matches = text == "Heute ist " + early + " gewesen" || text == "Heute ist " + late + " gewesen";
    EXPECT_TRUE(matches) << command << ": " << text << " (" << early << " / " << late << ")";
    EXPECT_EQ(selection().cpMin, static_cast<LONG>(10 + early.size())) << command;
    EXPECT_EQ(selection().cpMax, static_cast<LONG>(10 + early.size())) << command;

    SendMessageA(state.editorHandle, EM_UNDO, 0, 0);
    EXPECT_EQ(editorText(), text) << command;
  }
}

TEST_F(VelloroTest, HtmlSkeletonReplacesTheSelectionWithSingleCarriageReturns) {
  startVelloro();
  setEditorText("abcXYZdef");
  select(3, 6);
  app::dispatchCommand(app::InsertHtmlSkeleton);
  const std::string skeleton = "<html>\r<head>\r  <title></title>\r</head>\r<body>\r\r</body>\r</html>";
  EXPECT_EQ(editorText(), "abc" + skeleton + "def");
  EXPECT_EQ(SendMessageA(state.editorHandle, EM_GETLINECOUNT, 0, 0), 8);
  EXPECT_EQ(selection().cpMin, static_cast<LONG>(3 + skeleton.size()));
  EXPECT_EQ(selection().cpMax, static_cast<LONG>(3 + skeleton.size()));
  SendMessageA(state.editorHandle, EM_UNDO, 0, 0);
  EXPECT_EQ(editorText(), "abc" + skeleton + "def");
}

// Wine's colour dialog under an English prefix.
constexpr char colourDialogTitle[] = "Color";

TEST_F(VelloroTest, RgbColourFromTheDialogOrNothingWhenCancelled) {
  struct Case {
    const char *red, *green, *blue;  // nullptr: cancel
    const char* inserted;
    int picked;
  } cases[] = {
      {"255", "128", "0", "255,128,0", 0x0080FF},
      {"0", "0", "0", "0,0,0", 0},
      {"7", "80", "200", "7,80,200", 0xC85007},
      {nullptr, nullptr, nullptr, "", -1},
  };
  startVelloro();
  for (const Case& c : cases) {
    setEditorText("[]");
    select(1, 1);
    std::atomic<bool> mainDisabled{false}, startsBlack{false};
    {
      DialogAnswerer answerer(colourDialogTitle, [&](HWND dialog) {
        mainDisabled = !IsWindowEnabled(state.mainWindowHandle);
        char red[8] = {}, green[8] = {}, blue[8] = {};
        GetDlgItemTextA(dialog, 706, red, sizeof red);
        GetDlgItemTextA(dialog, 707, green, sizeof green);
        GetDlgItemTextA(dialog, 708, blue, sizeof blue);
        startsBlack = std::string(red) + green + blue == "000";
        if (c.red == nullptr) {
          pressButton(dialog, IDCANCEL);
          return;
        }
        SetDlgItemTextA(dialog, 706, c.red);
        SetDlgItemTextA(dialog, 707, c.green);
        SetDlgItemTextA(dialog, 708, c.blue);
        pressButton(dialog, IDOK);
      });
      app::dispatchCommand(app::InsertRgbColour);
      ASSERT_TRUE(answerer.answered()) << c.inserted;
    }
    EXPECT_EQ(editorText(), std::string("[") + c.inserted + "]");
    EXPECT_EQ(state.pickedColour, c.picked) << c.inserted;
    EXPECT_TRUE(mainDisabled) << c.inserted;
    EXPECT_TRUE(startsBlack) << c.inserted;
    EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle)) << c.inserted;
  }
}

std::string systemFolder() {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  return std::string(windows) + "\\system32\\";
}

// The stand-in program built next to this test program, copied into the system folder for one test.
class FakeSystemPrograms {
 public:
  explicit FakeSystemPrograms(const std::string& marks) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string fake = std::string(self).substr(0, std::string(self).rfind('\\') + 1) + "fake_tool.exe";
    for (const char* name : {"calc.exe", "charmap.exe"}) {
      std::string target = systemFolder() + name;
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

TEST_F(VelloroTest, CalculatorAndCharacterMapAreStartedFromTheSystemFolder) {
  startVelloro();
  std::string marks = folder.substr(0, folder.size() - 1);
  FakeSystemPrograms fakes(marks);
  ASSERT_EQ(fakes.placed(), 2u) << "calc.exe or charmap.exe already present in " << systemFolder();

  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  struct Case {
    app::CommandId command;
    const char* name;
  } cases[] = {{app::Calculator, "calc.exe"}, {app::CharacterMap, "charmap.exe"}};
  for (const Case& c : cases) {
    std::string mark = folder + c.name + ".txt";
    DeleteFileA(mark.c_str());  // the working folder may be left from an earlier run
    app::dispatchCommand(c.command);
    ASSERT_TRUE(runUntil([&] { return readFile(mark).find('\n') != std::string::npos; }, 10000)) << c.name;
    // The quoted path as the command line, started in the system folder.
    EXPECT_EQ(readFile(mark), "\"" + std::string(windows) + "\\System32\\" + c.name + "\"|" + windows + "\\system32\n");
  }
  EXPECT_TRUE(fakes.removeAll());
}

// Records and closes any window of this process that is not the main window.
class UnexpectedWindowWatcher {
 public:
  UnexpectedWindowWatcher()
      : thread_([this] {
          while (!stop_) {
            EnumWindows(check, reinterpret_cast<LPARAM>(this));
            Sleep(20);
          }
        }) {}
  ~UnexpectedWindowWatcher() { stopWatching(); }
  std::string stopWatching() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return seen_;
  }

 private:
  static BOOL CALLBACK check(HWND window, LPARAM self) {
    auto* watcher = reinterpret_cast<UnexpectedWindowWatcher*>(self);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && window != state.mainWindowHandle) {
      watcher->seen_ += windowText(window) + ";";
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
  }
  std::atomic<bool> stop_{false};
  std::string seen_;
  std::thread thread_;
};

TEST_F(VelloroTest, MissingCalculatorAndCharacterMapAreIgnoredSilently) {
  for (const char* name : {"calc.exe", "charmap.exe"}) {
    if (fileExists(systemFolder() + name)) GTEST_SKIP() << name << " is present in this prefix";
  }
  startVelloro();
  setEditorText("bleibt");
  std::string title = windowText(state.mainWindowHandle);
  UnexpectedWindowWatcher watcher;
  app::dispatchCommand(app::Calculator);
  app::dispatchCommand(app::CharacterMap);
  settle();
  EXPECT_EQ(watcher.stopWatching(), "");
  EXPECT_EQ(editorText(), "bleibt");
  EXPECT_EQ(windowText(state.mainWindowHandle), title);
  EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle));
}

TEST_F(VelloroTest, SettingsNoteIsAPlainMessageBox) {
  startVelloro();
  std::string text;
  std::atomic<bool> onlyOk{false}, mainDisabled{false};
  {
    DialogAnswerer answerer(document::dialogTitle("Einstellungen"), [&](HWND box) {
      char buffer[512] = {};
      GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
      text = buffer;
      onlyOk = GetDlgItem(box, IDOK) != nullptr && GetDlgItem(box, IDCANCEL) == nullptr;
      mainDisabled = !IsWindowEnabled(state.mainWindowHandle);
      pressButton(box, IDOK);
    });
    app::dispatchCommand(app::SettingsNote);
    EXPECT_TRUE(answerer.answered());
  }
  EXPECT_EQ(text,
            "Wenn Sie die Einstellungen zurücksetzen bzw. wiederherstellen wollen (wenn die Datei z.B. gelöscht "
            "wurde), klicken Sie einfach im Menü unter 'Datei' auf 'Einstellungen wiederherstellen'.");
  EXPECT_TRUE(onlyOk);
  EXPECT_TRUE(mainDisabled);
  EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle));
}

// What the About window showed, and whether keys left it open, seen from the answering thread.
struct AboutFacts {
  LONG style = 0, exStyle = 0;
  RECT client{}, frame{};
  bool mainDisabled = false;
  BITMAP banner{};
  RECT bannerRect{};
  std::string notice;
  LONG noticeStyle = 0;
  bool openAfterKeys = false;
};

void inspectAbout(HWND about, AboutFacts& facts) {
  facts.style = GetWindowLongA(about, GWL_STYLE);
  facts.exStyle = GetWindowLongA(about, GWL_EXSTYLE);
  GetClientRect(about, &facts.client);
  GetWindowRect(about, &facts.frame);
  facts.mainDisabled = !IsWindowEnabled(state.mainWindowHandle);
  HWND banner = GetDlgItem(about, 0);
  auto image = reinterpret_cast<HBITMAP>(SendMessageA(banner, STM_GETIMAGE, IMAGE_BITMAP, 0));
  if (image != nullptr) GetObjectA(image, sizeof facts.banner, &facts.banner);
  GetWindowRect(banner, &facts.bannerRect);
  MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&facts.bannerRect), 2);
  HWND notice = GetDlgItem(about, 2);
  facts.notice = windowText(notice);
  facts.noticeStyle = GetWindowLongA(notice, GWL_STYLE);

  // Keys, Alt+F4 included, are dropped while the window waits for a click.
  PostMessageA(about, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageA(about, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(about, WM_CHAR, 'x', 1);
  PostMessageA(about, WM_SYSKEYDOWN, VK_F4, 0x20000001);
  PostMessageA(about, WM_CLOSE, 0, 0);
  Sleep(300);
  facts.openAfterKeys = IsWindowVisible(about) != FALSE;
}

TEST_F(VelloroTest, AboutWindowShowsBannerAndNoticeAndOnlyAClickClosesIt) {
  startVelloro();
  AboutFacts facts;
  {
    DialogAnswerer answerer(document::dialogTitle("Über Velloro"), [&](HWND about) {
      inspectAbout(about, facts);
      PostMessageA(GetDlgItem(about, 2), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    });
    app::dispatchCommand(app::About);
    EXPECT_TRUE(answerer.answered());
  }
  EXPECT_EQ(facts.style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME), WS_CAPTION);
  EXPECT_TRUE(facts.exStyle & WS_EX_TOPMOST);
  EXPECT_EQ(facts.client.right, 340);
  EXPECT_EQ(facts.client.bottom, 155);
  EXPECT_EQ(facts.frame.left, (GetSystemMetrics(SM_CXSCREEN) - (facts.frame.right - facts.frame.left)) / 2);
  EXPECT_EQ(facts.frame.top, (GetSystemMetrics(SM_CYSCREEN) - (facts.frame.bottom - facts.frame.top)) / 2);
  EXPECT_TRUE(facts.mainDisabled);
  EXPECT_EQ(facts.banner.bmWidth, 326);
  EXPECT_EQ(facts.banner.bmHeight, 99);
  EXPECT_EQ(facts.bannerRect.left, 7);
  EXPECT_EQ(facts.bannerRect.top, 7);
  EXPECT_EQ(facts.noticeStyle & SS_TYPEMASK, SS_CENTER);
  EXPECT_EQ(std::count(facts.notice.begin(), facts.notice.end(), '\r'), 1) << facts.notice;
  EXPECT_EQ(facts.notice.find('\n'), std::string::npos);
  EXPECT_TRUE(facts.openAfterKeys);

  EXPECT_EQ(state.aboutWindow, nullptr);
  EXPECT_EQ(state.aboutClosed, 0);
  EXPECT_EQ(FindWindowA(nullptr, document::dialogTitle("Über Velloro").c_str()), nullptr);
  EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle));
  EXPECT_EQ(GetActiveWindow(), state.mainWindowHandle);
  EXPECT_EQ(GetFocus(), state.editorHandle);
}

TEST_F(VelloroTest, AboutWindowClosesOnAClickAnywhereInTheProgramsWindows) {
  enum class Target { Window, Banner, FindField };
  startVelloro();
  app::dispatchCommand(app::Find);
  settle();
  HWND findField = GetDlgItem(state.searchWindow, 5);
  for (Target target : {Target::Window, Target::Banner, Target::FindField}) {
    DialogAnswerer answerer(document::dialogTitle("Über Velloro"), [&](HWND about) {
      HWND clicked = target == Target::Window ? about : target == Target::Banner ? GetDlgItem(about, 0) : findField;
      PostMessageA(clicked, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    });
    app::dispatchCommand(app::About);
    EXPECT_TRUE(answerer.answered()) << static_cast<int>(target);
    EXPECT_EQ(state.aboutWindow, nullptr) << static_cast<int>(target);
    EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle)) << static_cast<int>(target);
  }
  // Clicks in the Find window do nothing else: it stays open with its text.
  EXPECT_NE(state.searchWindow, nullptr);
}

}  // namespace
