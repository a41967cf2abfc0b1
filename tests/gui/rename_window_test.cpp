// The Rename window: its layout, and what OK, Abbrechen and the close box do to the file and the
// document.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/object_ids.h"
#include "app/startup.h"
#include "document/titles.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

const std::string renameTitle = "Velloro v2.0 Beta 3  |  Umbenennen / Verschieben";
std::string namedTitle(const std::string& name) { return "Velloro v2.0 Beta 3  -  " + name; }
std::string title() { return windowText(state.mainWindowHandle); }

HWND control(int id) { return GetDlgItem(state.renameWindow, id); }

void openRename() {
  app::dispatchCommand(app::Rename);
  settle();
}

void typePath(const std::string& path) { SetWindowTextA(control(app::renamePathFieldId), path.c_str()); }

void click(int id) {
  SendMessageA(control(id), BM_CLICK, 0, 0);
  settle();
}

// Presses OK and answers the failure message that is expected to follow; returns its text. The
// message box shares the Rename window's title, so it is told apart by its dialog class.
std::string clickOkExpectingFailure() {
  std::string text;
  std::atomic<bool> found{false};
  std::thread answerer([&] {
    for (int tries = 0; tries < 500; ++tries) {
      HWND box = FindWindowA("#32770", renameTitle.c_str());
      if (box != nullptr && IsWindowVisible(box)) {
        Sleep(50);
        text = dialogMessage(box);
        pressButton(box, IDOK);
        found = true;
        return;
      }
      Sleep(20);
    }
  });
  click(app::renameOkButtonId);
  answerer.join();
  EXPECT_TRUE(found) << "no failure message";
  return text;
}

TEST_F(VelloroTest, RenameWindowHasItsLayoutAndStaysOnTop) {
  writeFile(folder + "x.txt", "x");
  startVelloro("velloro.exe " + folder + "x.txt");
  openRename();
  ASSERT_NE(state.renameWindow, nullptr);
  EXPECT_EQ(windowText(state.renameWindow), renameTitle);
  char className[64] = {};
  GetClassNameA(state.renameWindow, className, sizeof className);
  char mainClass[64] = {};
  GetClassNameA(state.mainWindowHandle, mainClass, sizeof mainClass);
  EXPECT_STREQ(className, mainClass);
  const LONG style = GetWindowLongA(state.renameWindow, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_CAPTION | WS_SYSMENU);
  EXPECT_TRUE(GetWindowLongA(state.renameWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT client, frame;
  GetClientRect(state.renameWindow, &client);
  GetWindowRect(state.renameWindow, &frame);
  EXPECT_EQ(client.right, 290);
  EXPECT_EQ(client.bottom, 88);
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);

  struct Expected {
    int id;
    const char* className;
    RECT rect;
    std::string text;
  } controls[] = {
      {app::renameCancelButtonId, "Button", {192, 58, 282, 80}, "Abbrechen"},
      {app::renameOkButtonId, "Button", {8, 58, 98, 80}, "OK"},
      {app::renamePathFieldId, "Edit", {9, 30, 281, 50}, folder + "x.txt"},
      {app::renameLabelId, "Static", {9, 10, 209, 30}, "Geben Sie bitte den kompletten Pfad an:"},
  };
  HWND previous = nullptr;
  for (const Expected& e : controls) {
    HWND child = control(e.id);
    ASSERT_NE(child, nullptr) << e.id;
    GetClassNameA(child, className, sizeof className);
    EXPECT_STREQ(className, e.className);
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, state.renameWindow, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, e.rect.left) << e.id;
    EXPECT_EQ(rect.top, e.rect.top) << e.id;
    EXPECT_EQ(rect.right, e.rect.right) << e.id;
    EXPECT_EQ(rect.bottom, e.rect.bottom) << e.id;
    EXPECT_EQ(windowText(child), e.text);
    // Created in this order: each one follows the previous one among the window's children.
    EXPECT_EQ(GetWindow(child, GW_HWNDPREV), previous) << e.id;
    previous = child;
  }
  EXPECT_TRUE(GetWindowLongA(control(app::renamePathFieldId), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongA(control(app::renamePathFieldId), GWL_STYLE) & ES_AUTOHSCROLL);
  EXPECT_FALSE(GetWindowLongA(control(app::renameOkButtonId), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetFocus(), control(app::renamePathFieldId));
  // Not modal: the main window stays usable.
  EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle));
}

TEST_F(VelloroTest, TabMovesThroughTheRenameWindowAndActivationFocusesTheField) {
  startVelloro();
  openRename();
  HWND field = control(app::renamePathFieldId);
  ASSERT_EQ(GetFocus(), field);
  PostMessageA(field, WM_KEYDOWN, VK_TAB, 0);
  settle();
  EXPECT_EQ(GetFocus(), control(app::renameCancelButtonId));
  PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
  settle();
  EXPECT_EQ(GetFocus(), control(app::renameOkButtonId));
  SetActiveWindow(state.mainWindowHandle);
  settle();
  EXPECT_EQ(GetFocus(), state.editorHandle);
  SetActiveWindow(state.renameWindow);
  settle();
  EXPECT_EQ(GetFocus(), field);
}

TEST_F(VelloroTest, OpeningRenameAgainReplacesTheWindow) {
  startVelloro();
  openRename();
  HWND first = state.renameWindow;
  openRename();
  EXPECT_FALSE(IsWindow(first));
  EXPECT_TRUE(IsWindow(state.renameWindow));
  EXPECT_EQ(windowText(control(app::renamePathFieldId)), "");
}

TEST_F(VelloroTest, OkMovesTheFileAndTheTitleFollowsAtOnce) {
  CreateDirectoryA((folder + "anderswo").c_str(), nullptr);
  struct Case {
    std::string from, to;
    bool marked;
    std::string title;
  } cases[] = {
      {folder + "x.txt", folder + "y.txt", false, namedTitle("y.txt")},
      {folder + "m.txt", folder + "anderswo\\m2.txt", true, namedTitle("m2.txt*")},
  };
  for (const Case& c : cases) {
    DeleteFileA(c.to.c_str());
    writeFile(c.from, "inhalt");
    startVelloro("velloro.exe " + c.from);
    if (c.marked) {
      typeIntoEditor("!");
      SetFocus(state.mainWindowHandle);
      settle();
    }
    openRename();
    typePath(c.to);
    click(app::renameOkButtonId);
    EXPECT_EQ(state.renameWindow, nullptr) << c.to;
    EXPECT_EQ(state.currentPath, c.to);
    EXPECT_FALSE(fileExists(c.from)) << c.from;
    EXPECT_EQ(readFile(c.to), "inhalt");
    EXPECT_EQ(title(), c.title);
    EXPECT_EQ(state.modifiedMarked, c.marked ? 1 : 0);
    app::exitSequence();
  }
}

TEST_F(VelloroTest, FailedMoveIsReportedAndLeavesFilesPathAndWindowAlone) {
  writeFile(folder + "x.txt", "x");
  writeFile(folder + "da.txt", "schon da");
  startVelloro("velloro.exe " + folder + "x.txt");
  struct Case {
    std::string target;
  } cases[] = {{folder + "da.txt"}, {folder + "fehlt\\y.txt"}, {folder + "a?b.txt"}};
  for (const Case& c : cases) {
    openRename();
    typePath(c.target);
    const std::string message = clickOkExpectingFailure();
    EXPECT_EQ(
        message.rfind("Die Datei '" + folder + "x.txt' konnte nicht nach '" + c.target + "' verschoben werden.", 0), 0u)
        << message;
    EXPECT_NE(message.find("Systemfehler"), std::string::npos) << message;
    EXPECT_EQ(state.currentPath, folder + "x.txt") << c.target;
    EXPECT_NE(state.renameWindow, nullptr) << "the window stays open for a correction";
    EXPECT_EQ(windowText(control(app::renamePathFieldId)), c.target);
    EXPECT_EQ(title(), namedTitle("x.txt"));
  }
  EXPECT_EQ(readFile(folder + "x.txt"), "x");
  EXPECT_EQ(readFile(folder + "da.txt"), "schon da");
  // A corrected path then works.
  typePath(folder + "z.txt");
  click(app::renameOkButtonId);
  EXPECT_EQ(state.renameWindow, nullptr);
  EXPECT_EQ(readFile(folder + "z.txt"), "x");
}

TEST_F(VelloroTest, WithoutAFileOkOnlyGivesTheDocumentThePath) {
  struct Case {
    std::string commandLine;
    std::string target;
    std::string title;
  } cases[] = {
      {"velloro.exe", folder + "neu.txt", namedTitle("neu.txt")},
      {"velloro.exe " + folder + "gibtsnicht.txt", folder + "anders.txt", namedTitle("anders.txt")},
      {"velloro.exe", folder + "fehlt\\x.txt", namedTitle("x.txt")},
  };
  for (const Case& c : cases) {
    startVelloro(c.commandLine);
    openRename();
    typePath(c.target);
    click(app::renameOkButtonId);
    EXPECT_EQ(state.renameWindow, nullptr) << c.target;
    EXPECT_EQ(state.currentPath, c.target);
    EXPECT_EQ(title(), c.title);
    EXPECT_FALSE(fileExists(c.target));
    app::exitSequence();
  }
}

TEST_F(VelloroTest, EmptiedFieldLeavesTheDocumentUntitledAndTheFileAlone) {
  writeFile(folder + "x.txt", "x");
  startVelloro("velloro.exe " + folder + "x.txt");
  openRename();
  typePath("");
  click(app::renameOkButtonId);
  EXPECT_EQ(state.renameWindow, nullptr);
  EXPECT_EQ(state.currentPath, "");
  EXPECT_EQ(title(), "Velloro v2.0 Beta 3  -  Unbenannt");
  EXPECT_EQ(readFile(folder + "x.txt"), "x");
}

TEST_F(VelloroTest, CancelAndTheCloseBoxChangeNothing) {
  writeFile(folder + "x.txt", "x");
  startVelloro("velloro.exe " + folder + "x.txt");
  for (bool closeBox : {false, true}) {
    openRename();
    typePath(folder + "y.txt");
    if (closeBox) {
      SendMessageA(state.renameWindow, WM_CLOSE, 0, 0);
      settle();
    } else {
      click(app::renameCancelButtonId);
    }
    EXPECT_EQ(state.renameWindow, nullptr) << closeBox;
    EXPECT_EQ(state.currentPath, folder + "x.txt");
    EXPECT_TRUE(fileExists(folder + "x.txt"));
    EXPECT_FALSE(fileExists(folder + "y.txt"));
    EXPECT_EQ(title(), namedTitle("x.txt"));
    EXPECT_EQ(exitCalls, 0);
  }
}

TEST_F(VelloroTest, OverlongRenamePathIsRefusedAndTheWindowStays) {
  writeFile(folder + "x.txt", "x");
  startVelloro("velloro.exe " + folder + "x.txt");
  openRename();
  const std::string longPath = folder + std::string(300, 'n') + ".txt";
  typePath(longPath);
  const std::string message = clickOkExpectingFailure();
  EXPECT_NE(message.find("zu lang"), std::string::npos) << message;
  EXPECT_NE(message.find(longPath), std::string::npos);
  EXPECT_EQ(state.currentPath, folder + "x.txt");
  EXPECT_NE(state.renameWindow, nullptr);
  EXPECT_EQ(windowText(control(app::renamePathFieldId)), longPath);
}

}  // namespace
