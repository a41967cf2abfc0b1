// The Rename window: its focus, and what OK, Abbrechen and the close box do to the file and the
// document.
#include <windows.h>

#include <string>
#include <thread>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/object_ids.h"
#include "app/startup.h"
#include "document/document_rules.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

const std::string renameTitle = "Velloro v2.0 Beta 3  |  Umbenennen / Verschieben";

HWND control(int id) { return GetDlgItem(state.renameWindow, id); }
HWND field() { return control(app::renamePathFieldId); }

// Types the path and presses the button. A failure message shares the window's title and is told
// apart by its dialog class; its text is returned ("" when none was expected or none came).
std::string typeAndPress(const std::string& path, bool failureExpected = false, int button = app::renameOkButtonId) {
  SetWindowTextA(field(), path.c_str());
  std::string text;
  std::thread answerer;
  if (failureExpected) {
    answerer = std::thread([&text] {
      for (int tries = 0; tries < 500 && text.empty(); ++tries, Sleep(20)) {
        HWND box = FindWindowA("#32770", renameTitle.c_str());
        if (box == nullptr || !IsWindowVisible(box)) continue;
        Sleep(50);
        text = dialogMessage(box);
        pressButton(box, IDOK);
      }
    });
  }
  SendMessageA(control(button), BM_CLICK, 0, 0);
  settle();
  if (answerer.joinable()) answerer.join();
  return text;
}

// Tab walks field, Abbrechen, OK; activation gives the field the focus back, and the main window
// stays usable meanwhile.
TEST_F(VelloroTest, RenameWindowTakesTabAndActivationFocus) {
  writeFile(folder + "x.txt", "x");
  startVelloro("velloro.exe " + folder + "x.txt");
  runCommand(app::Rename);
  ASSERT_NE(state.renameWindow, nullptr);
  EXPECT_TRUE(IsWindowEnabled(state.mainWindowHandle)) << "not modal";
  for (int id : {app::renamePathFieldId, app::renameCancelButtonId, app::renameOkButtonId}) {
    EXPECT_EQ(GetFocus(), control(id));
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    settle();
  }
  SetActiveWindow(state.mainWindowHandle);
  settle();
  EXPECT_EQ(GetFocus(), state.editorHandle);
  SetActiveWindow(state.renameWindow);
  settle();
  EXPECT_EQ(GetFocus(), field());

  // Opening it again replaces the window, and the field shows the document's path again.
  HWND first = state.renameWindow;
  SetWindowTextA(field(), "getippt");
  runCommand(app::Rename);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(windowText(field()), folder + "x.txt");
}

TEST_F(VelloroTest, OkMovesTheFileAndTheTitleFollowsAtOnce) {
  CreateDirectoryA((folder + "anderswo").c_str(), nullptr);
  writeFile(folder + "x.txt", "inhalt");
  startVelloro("velloro.exe " + folder + "x.txt");
  runCommand(app::Rename);
  EXPECT_EQ(typeAndPress(folder + "y.txt"), "");
  EXPECT_EQ(state.renameWindow, nullptr);
  EXPECT_EQ(documentNow(), documentAs("y.txt", " Geöffnet", "inhalt", folder + "y.txt", 0));

  typeIntoEditor("!");
  SetFocus(state.mainWindowHandle);
  settle();
  runCommand(app::Rename);
  EXPECT_EQ(typeAndPress(folder + "anderswo\\m2.txt"), "");
  EXPECT_EQ(documentNow(), documentAs("m2.txt*", " Ungespeichert", "!inhalt", folder + "anderswo\\m2.txt", 1));
  EXPECT_FALSE(fileExists(folder + "x.txt") || fileExists(folder + "y.txt"));
  EXPECT_EQ(readFile(folder + "anderswo\\m2.txt"), "inhalt");
}

// A failure is reported and the window stays for a correction; Abbrechen and the close box change
// nothing.
TEST_F(VelloroTest, FailedMoveOrCancelLeavesFileAndDocumentAlone) {
  writeFile(folder + "x.txt", "x");
  writeFile(folder + "da.txt", "schon da");
  const std::string longPath = folder + std::string(300, 'n') + ".txt";
  const std::string moveFailed = "Die Datei '" + folder + "x.txt' konnte nicht nach '";
  const struct {
    std::string target, message;  // how the message starts
    bool withReason;
  } cases[] = {
      {folder + "da.txt", moveFailed + folder + "da.txt' verschoben werden.\n\n", true},
      {folder + "fehlt\\y.txt", moveFailed + folder + "fehlt\\y.txt' verschoben werden.\n\n", true},
      {longPath, document::pathTooLongMessage(longPath), false},
  };
  startVelloro("velloro.exe " + folder + "x.txt");
  const std::string before = documentNow();
  runCommand(app::Rename);
  for (const auto& c : cases) {
    const std::string message = typeAndPress(c.target, true);
    EXPECT_EQ(message.substr(0, c.message.size()), c.message);
    EXPECT_EQ(message.find("Systemfehler") != std::string::npos, c.withReason) << message;
    EXPECT_NE(state.renameWindow, nullptr);
    EXPECT_EQ(windowText(field()), c.target);
    EXPECT_EQ(documentNow(), before);
  }
  typeAndPress(folder + "y.txt", false, app::renameCancelButtonId);
  EXPECT_EQ(state.renameWindow, nullptr);
  runCommand(app::Rename);
  SetWindowTextA(field(), (folder + "y.txt").c_str());
  SendMessageA(state.renameWindow, WM_CLOSE, 0, 0);
  settle();
  EXPECT_EQ(state.renameWindow, nullptr);
  EXPECT_EQ(exitCalls, 0);
  EXPECT_EQ(documentNow(), before);
  EXPECT_EQ(readFile(folder + "x.txt"), "x");
  EXPECT_EQ(readFile(folder + "da.txt"), "schon da");
  EXPECT_FALSE(fileExists(folder + "y.txt"));
}

// Without a file to move, OK only gives the document the new path; an emptied field leaves it
// untitled and the file where it is.
TEST_F(VelloroTest, WithoutAFileOkOnlyRenamesTheDocument) {
  writeFile(folder + "x.txt", "x");
  const struct {
    std::string commandLine, target, titleName;
  } cases[] = {
      {"velloro.exe", folder + "fehlt\\neu.txt", "neu.txt"},
      {"velloro.exe " + folder + "gibtsnicht.txt", folder + "anders.txt", "anders.txt"},
      {"velloro.exe " + folder + "x.txt", "", "Unbenannt"},
  };
  for (const auto& c : cases) {
    startVelloro(c.commandLine);
    runCommand(app::Rename);
    EXPECT_EQ(typeAndPress(c.target), "");
    EXPECT_EQ(state.renameWindow, nullptr);
    EXPECT_EQ(windowText(state.mainWindowHandle), "Velloro v2.0 Beta 3  -  " + c.titleName);
    EXPECT_EQ(state.currentPath, c.target);
    EXPECT_FALSE(fileExists(c.target));
    app::exitSequence();
  }
  EXPECT_EQ(readFile(folder + "x.txt"), "x");
}

}  // namespace
