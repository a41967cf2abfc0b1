// File names beyond the ANSI code page: every way a name reaches the program opens and saves that
// very file, shows it in the title, and leaves no second file beside it.

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/object_ids.h"
#include "app/startup.h"
#include "app/window_modes.h"
#include "platform/file_names.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// "Ł" and "ź" fold by best fit to other letters, "→" and the emoji (a surrogate pair) to "?".
const std::string name = utf8(u8"Łódź → Notiz 📝.txt");
const std::string title = "Velloro v2.0 Beta 3  -  " + name;

// The text of the message box's static controls, read in Unicode.
BOOL CALLBACK collectWideText(HWND child, LPARAM text) {
  wchar_t className[16] = {};
  GetClassNameW(child, className, 16);
  if (lstrcmpiW(className, L"Static") == 0) *reinterpret_cast<std::string*>(text) += platform::windowText(child);
  return TRUE;
}

// Opened under a plain name, then renamed to the name, typed into the field through the event loop
// as the keyboard would.
void renameTo(const std::string& folder, const std::string& path) {
  writeFile(folder + "a.txt", readFile(path));
  DeleteFileW(platform::wideFromUtf8(path).c_str());
  startVelloro("velloro.exe " + folder + "a.txt");
  runCommand(app::Rename);
  HWND field = GetDlgItem(state.renameWindow, app::renamePathFieldId);
  SetWindowTextW(field, L"");
  for (wchar_t unit : platform::wideFromUtf8(path)) PostMessageW(field, WM_CHAR, unit, 1);
  settle();
  SendMessageA(GetDlgItem(state.renameWindow, app::renameOkButtonId), BM_CLICK, 0, 0);
  settle();
}

// Each way brings the file named `path` (holding "alt") into the program as the user would, and it
// is read from the file, saved into it, and named by the title and the save prompt; no other file
// appears or goes. A name the code page holds keeps working as it did.
TEST_F(VelloroTest, EveryWayANameArrivesOpensAndSavesThatVeryFile) {
  for (const std::string& fileName : {name, utf8(u8"Grüße.txt")}) {
    for (const std::string way : {"command line", "open dialog", "drop", "rename"}) {
      SCOPED_TRACE(fileName + ", " + way);
      const std::string path = folder + fileName;
      writeFile(path, "alt");
      const std::set<std::string> before = folderNames(folder);
      if (way == "rename") {
        renameTo(folder, path);
      } else {
        // The wide command line reaches start-up as UTF-8.
        startVelloro(way == "command line" ? "velloro.exe \"" + path + "\"" : "velloro.exe");
      }
      if (way == "open dialog") ASSERT_TRUE(runAnswering(app::Open, "Öffnen", chooseFile(path)));
      if (way == "drop") {
      PostMessageA(state.mainWindowHandle, WM_DROPFILES, dropBlock(path + '\0'), 0);
      settle();
    }
      EXPECT_EQ(state.currentPath, path);
      EXPECT_EQ(titleText(state.mainWindowHandle), "Velloro v2.0 Beta 3  -  " + fileName);
      EXPECT_EQ(editorText(), "alt");

      typeOver("neu");
      std::string prompt;
      DialogAnswerer box("Velloro v2.0 Beta 3  |  Schließen", [&prompt](HWND dialog) {
        EnumChildWindows(dialog, collectWideText, reinterpret_cast<LPARAM>(&prompt));
        pressButton(dialog, IDYES);
      });
      runCommand(app::Close);
      ASSERT_TRUE(box.answered());
      EXPECT_EQ(prompt, utf8(u8"Möchten Sie die Datei '") + fileName + utf8(u8"' vor dem Schließen speichern?"));
      EXPECT_EQ(readFile(path), "neu");
      EXPECT_EQ(folderNames(folder), before) << "a file appeared or went";
      app::exitSequence();
      DeleteFileW(platform::wideFromUtf8(path).c_str());
    }
  }
}

// Save As writes the chosen name, and the notification-area tip names it.
TEST_F(VelloroTest, SaveAsWritesTheChosenNameAndTheTipShowsIt) {
  startVelloro();
  typeOver("neu");
  ASSERT_TRUE(runAnswering(app::SaveAs, "Speichern unter", chooseFile(folder + name)));
  EXPECT_EQ(readFile(folder + name), "neu");
  EXPECT_EQ(folderNames(folder), std::set<std::string>{name});
  EXPECT_EQ(titleText(state.mainWindowHandle), title);
  app::toggleMinimizeToTray();
  ShowWindow(state.mainWindowHandle, SW_MINIMIZE);
  settle();
  EXPECT_EQ(app::trayIconTip(), title);
}

// Best fit folds "Łódź" to "Lódz": two files that differ only so each keep their own text.
TEST_F(VelloroTest, NamesThatBestFitWouldFoldTogetherStayApart) {
  const std::string real = folder + utf8(u8"Łódź.txt");
  const std::string twin = folder + utf8(u8"Lódz.txt");
  writeFile(real, "echt");
  writeFile(twin, "Zwilling");
  for (const auto& [path, text] : {std::pair(real, "echt"), std::pair(twin, "Zwilling")}) {
    startVelloro("velloro.exe \"" + path + "\"");
    EXPECT_EQ(editorText(), text) << path;
    typeOver(std::string(text) + "!");
    runCommand(app::Save);
    app::exitSequence();
  }
  EXPECT_EQ(readFile(real), "echt!");
  EXPECT_EQ(readFile(twin), "Zwilling!");
  EXPECT_EQ(folderNames(folder).size(), 2u);
}

}  // namespace
