// The Rename window: what OK, Abbrechen and the close box do to the file and the document.

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/object_ids.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

const std::string renameTitle = "Velloro v2.0 Beta 3  |  Umbenennen / Verschieben";

HWND control(int id) { return GetDlgItem(state.renameWindow, id); }
HWND field() { return control(app::renamePathFieldId); }

// Types the path and presses OK. A failure message shares the window's title and is told apart by
// its dialog class; its text is returned, "" when none came.
std::string typeAndPressOk(const std::string& path) {
  SetWindowTextA(field(), path.c_str());
  std::string text;
  std::atomic<bool> clicked{false};
  std::thread answerer([&] {
    for (HWND box = nullptr; !clicked && text.empty(); Sleep(20)) {
      box = FindWindowA("#32770", renameTitle.c_str());
      if (box == nullptr || !IsWindowVisible(box)) continue;
      Sleep(50);
      text = dialogMessage(box);
      pressButton(box, IDOK);
    }
  });
  SendMessageA(control(app::renameOkButtonId), BM_CLICK, 0, 0);
  settle();
  clicked = true;
  answerer.join();
  return text;
}

// A failure is reported and the window stays for a correction; Abbrechen and the close box change
// nothing; OK moves the file, not the unsaved text, and the title follows at once; an emptied
// field only takes the name from the document.
TEST_F(VelloroTest, RenameMovesTheFileOnlyOnOkAndOnlyWhereNothingIsInTheWay) {
  CreateDirectoryA((folder + "anderswo").c_str(), nullptr);
  writeFile(folder + "x.txt", "inhalt");
  writeFile(folder + "da.txt", "schon da");
  const std::string longPath = folder + std::string(300, 'n') + ".txt";
  const std::string moveFailed = "Die Datei '" + folder + "x.txt' konnte nicht nach '";
  const struct {
    std::string target, message;  // how the message starts
    bool withReason;
  } cases[] = {
      {folder + "da.txt", moveFailed + folder + "da.txt' verschoben werden.\n\n", true},
      {folder + "fehlt\\y.txt", moveFailed + folder + "fehlt\\y.txt' verschoben werden.\n\n", true},
      {longPath,
       "Der Pfad ist zu lang: " + std::to_string(longPath.size()) + " Zeichen, erlaubt sind höchstens 259.\n\n" +
           longPath,
       false},
  };
  startVelloro("velloro.exe " + folder + "x.txt");
  typeIntoEditor("!");
  settle();
  const std::string before = documentNow();
  runCommand(app::Rename);
  for (const auto& c : cases) {
    const std::string message = typeAndPressOk(c.target);
    EXPECT_EQ(message.substr(0, c.message.size()), c.message);
    EXPECT_EQ(message.find("Systemfehler") != std::string::npos, c.withReason) << message;
    EXPECT_EQ(windowText(field()), c.target) << "the window stays for a correction";
  }
  for (bool box : {false, true}) {  // Abbrechen, then the close box
    SetWindowTextA(field(), (folder + "y.txt").c_str());
    SendMessageA(box ? state.renameWindow : control(app::renameCancelButtonId), box ? WM_CLOSE : BM_CLICK, 0, 0);
    settle();
    EXPECT_EQ(state.renameWindow, nullptr);
    runCommand(app::Rename);
  }
  EXPECT_EQ(exitCalls, 0);
  EXPECT_EQ(documentNow(), before);
  EXPECT_EQ(readFile(folder + "x.txt") + readFile(folder + "da.txt"), "inhaltschon da");

  EXPECT_EQ(typeAndPressOk(folder + "anderswo\\m2.txt"), "");
  EXPECT_EQ(documentNow(), documentAs("m2.txt*", " Ungespeichert", "!inhalt", folder + "anderswo\\m2.txt", 1));
  EXPECT_FALSE(fileExists(folder + "x.txt"));
  runCommand(app::Rename);
  EXPECT_EQ(typeAndPressOk(""), "");
  EXPECT_EQ(windowText(state.mainWindowHandle), "Velloro v2.0 Beta 3  -  Unbenannt");
  EXPECT_EQ(readFile(folder + "anderswo\\m2.txt"), "inhalt");
}

}  // namespace
