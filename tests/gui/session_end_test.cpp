// Log-off and shutdown: unsaved text is asked about as on Exit, and the answer goes back to Windows.
#include <windows.h>
#include <shellapi.h>

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

// Yes on a read-only file: the save fails, is reported, and the session may not end.
TEST_F(VelloroTest, SessionEndAsksLikeExitOnlyAboutChangesAndAnswersWindows) {
  struct Case {
    int button;  // 0: nothing typed, so no question
    bool readOnly;
    LRESULT answer;
    const char* fileAfter;
  } cases[] = {{0, false, TRUE, "alt"},      {IDNO, false, TRUE, "alt"}, {IDCANCEL, false, FALSE, "alt"},
               {IDYES, false, TRUE, "neu"}, {IDYES, true, FALSE, "alt"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.button) + (c.readOnly ? " read-only" : ""));
    const std::string path = folder + "a.txt";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    writeFile(path, "alt");
    if (c.readOnly) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    startVelloro("velloro.exe " + path);
    if (c.button != 0) typeOver("neu");
    std::string text;
    bool failureReported = false;
    DialogAnswerer prompt(exitTitle, [&](HWND box) {
      text = dialogMessage(box);
      pressButton(box, c.button != 0 ? c.button : IDCANCEL);
      if (c.readOnly) {
        failureReported = answerNext(box, document::dialogTitle("Speichern"), [](HWND d) { pressButton(d, IDOK); });
      }
    }, c.button != 0 ? 10000 : 500);
    EXPECT_EQ(queryEndSession(), c.answer);
    EXPECT_EQ(prompt.answered(), c.button != 0);
    EXPECT_EQ(failureReported, c.readOnly);
    if (c.button != 0) {
      EXPECT_EQ(text, "Möchten Sie vor dem Beenden die Datei 'a.txt' speichern?");
    }
    EXPECT_EQ(readFile(path), c.fileAfter);
    EXPECT_EQ(editorText(), c.button != 0 ? "neu" : "alt");
    EXPECT_EQ(exitCalls, 0) << "only the end of the session ends the program";
    app::exitSequence();
  }
  SetFileAttributesA((folder + "a.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
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

// The settings written at the end are checked by the end-to-end journey through a log-off.
TEST_F(VelloroTest, EndedSessionEndsTheProgramAndRemovesTheTrayIcon) {
  startVelloro();
  app::setMenuItemChecked(app::MinimizeToTray, true);
  ShowWindow(state.mainWindowHandle, SW_MINIMIZE);
  settle();
  NOTIFYICONDATAA icon{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = state.mainWindowHandle;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &icon)) << "the tray icon should be shown before";

  SendMessageA(icon.hWnd, WM_ENDSESSION, FALSE, 0);  // another program refused: nothing ends
  EXPECT_EQ(exitCalls, 0);
  EXPECT_TRUE(IsWindow(icon.hWnd));

  SendMessageA(icon.hWnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(exitCalls, 1);
  EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &icon)) << "the tray icon is left behind";
}

}  // namespace
