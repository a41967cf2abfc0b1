// Log-off and shutdown: unsaved text is asked about as on Exit, and the answer goes back to Windows.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/menus.h"
#include "app/startup.h"
#include "document/titles.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

const std::string exitTitle = document::dialogTitle("Beenden");

LRESULT queryEndSession() {
  const LRESULT answer = SendMessageA(state.mainWindowHandle, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
  settle();
  return answer;
}

std::function<void(HWND)> press(int button, std::shared_ptr<std::string> text = nullptr) {
  return [button, text](HWND box) {
    if (text) *text = dialogMessage(box);
    pressButton(box, button);
  };
}

TEST_F(VelloroTest, SessionEndWithoutChangesIsAllowedWithoutAsking) {
  writeFile(folder + "a.txt", "alt");
  startVelloro("velloro.exe " + folder + "a.txt");
  DialogAnswerer prompt(exitTitle, press(IDCANCEL), 500);
  EXPECT_EQ(queryEndSession(), TRUE);
  EXPECT_FALSE(prompt.answered());
  EXPECT_EQ(exitCalls, 0);
}

TEST_F(VelloroTest, SessionEndAsksLikeExitAndAnswersWindows) {
  struct Case {
    int button;
    LRESULT answer;
    const char* fileAfter;
  } cases[] = {{IDNO, TRUE, "alt"}, {IDCANCEL, FALSE, "alt"}, {IDYES, TRUE, "neu"}};
  for (const Case& c : cases) {
    writeFile(folder + "a.txt", "alt");
    startVelloro("velloro.exe " + folder + "a.txt");
    typeOver("neu");
    auto text = std::make_shared<std::string>();
    DialogAnswerer prompt(exitTitle, press(c.button, text));
    EXPECT_EQ(queryEndSession(), c.answer) << c.button;
    ASSERT_TRUE(prompt.answered()) << c.button;
    EXPECT_EQ(*text, "Möchten Sie vor dem Beenden die Datei 'a.txt' speichern?");
    EXPECT_EQ(readFile(folder + "a.txt"), c.fileAfter) << c.button;
    EXPECT_EQ(exitCalls, 0) << "only the end of the session ends the program";
    EXPECT_EQ(editorText(), "neu") << c.button;
    app::exitSequence();
  }
}

TEST_F(VelloroTest, SessionEndIsRefusedWhenTheSaveDoesNotComplete) {
  // Untitled: Yes, then the Save As dialog is cancelled.
  startVelloro();
  typeIntoEditor("ungesichert");
  DialogAnswerer prompt(exitTitle, [](HWND box) {
    pressButton(box, IDYES);
    answerNext(box, document::dialogTitle("Speichern unter"), [](HWND dialog) { pressButton(dialog, IDCANCEL); });
  });
  EXPECT_EQ(queryEndSession(), FALSE);
  EXPECT_TRUE(prompt.answered());
  EXPECT_EQ(state.modifiedMarked, 1);
  app::exitSequence();

  // Named but read-only: Yes, the save fails and is reported.
  const std::string path = folder + "ro.txt";
  writeFile(path, "alt");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  startVelloro("velloro.exe " + path);
  typeOver("neu");
  bool reported = false;
  DialogAnswerer failing(exitTitle, [&reported](HWND box) {
    pressButton(box, IDYES);
    reported = answerNext(box, document::dialogTitle("Speichern"), [](HWND d) { pressButton(d, IDOK); });
  });
  EXPECT_EQ(queryEndSession(), FALSE);
  EXPECT_TRUE(failing.answered());
  EXPECT_TRUE(reported);
  EXPECT_EQ(readFile(path), "alt");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(VelloroTest, SessionEndDuringAnOpenDialogIsRefusedWithoutASecondPrompt) {
  startVelloro();
  typeIntoEditor("neu");
  LRESULT answerDuringPrompt = -1;
  DialogAnswerer openPrompt(document::dialogTitle("Öffnen"), [&answerDuringPrompt](HWND box) {
    // Windows asks from outside while the program's own prompt is up.
    answerDuringPrompt = SendMessageA(state.mainWindowHandle, WM_QUERYENDSESSION, 0, 0);
    pressButton(box, IDCANCEL);
  });
  app::dispatchCommand(app::Open);
  settle();
  ASSERT_TRUE(openPrompt.answered());
  EXPECT_EQ(answerDuringPrompt, FALSE);
  EXPECT_EQ(editorText(), "neu");
}

TEST_F(VelloroTest, EndedSessionSavesTheSettingsAndRemovesTheTrayIcon) {
  writeFile(folder + "Preferences.pref", "[Program]\r\nSave Pref. at the End = 1\r\n");
  startVelloro();
  app::setMenuItemChecked(app::MinimizeToTray, true);
  ShowWindow(state.mainWindowHandle, SW_MINIMIZE);
  settle();
  HWND main = state.mainWindowHandle;
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = main;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &data)) << "the tray icon should be shown before";

  SendMessageA(main, WM_ENDSESSION, FALSE, 0);  // another program refused: nothing ends
  EXPECT_EQ(exitCalls, 0);
  EXPECT_TRUE(IsWindow(main));

  SendMessageA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(exitCalls, 1);
  EXPECT_EQ(lastExitCode, 0u);
  EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &data)) << "the tray icon is left behind";
  EXPECT_EQ(readFile(folder + "Preferences.pref"),
            "[Program]\r\nSave Pref. at the End = 1\r\n[Extras]\r\nWordWrap = 0\r\nTransparency = 0\r\n"
            "Minimize in Tray = 1\r\nAlways in Fore-Ground = 0\r\n");
}

}  // namespace
