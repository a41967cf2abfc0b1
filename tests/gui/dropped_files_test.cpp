// Files dropped on the window or the text open as if chosen in the Open dialog, and never while
// the program is asking something.

#include <utility>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/startup.h"
#include "document/titles.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

// On the window or on the text, only the first of several files, after the question about the
// changed text; "Ja" saves it first. Files dropped from another program leave it active, so the
// question has no owner of its own; with the window always on top it must show above it, where it can
// be seen and answered.
TEST_F(VelloroTest, DropOpensTheFirstFileAfterAskingAboutAModifiedDocument) {
  writeFile(folder + "gezogen.txt", "gezogen");
  writeFile(folder + "Preferences.pref", "[Extras]\r\nAlways in Fore-Ground = 1\r\n");
  for (const auto& [button, onText] : {std::pair(IDCANCEL, false), {IDNO, true}, {IDYES, false}}) {
    writeFile(folder + "a.txt", "alt");
    startVelloro("velloro.exe " + folder + "a.txt");
    typeOver("neu");
    SetForegroundWindow(GetDesktopWindow());  // no window of the program is active
    bool aboveWindow = false;
    DialogAnswerer prompt(document::dialogTitle("Öffnen"), [&aboveWindow, button = button](HWND box) {
      HWND first = GetTopWindow(nullptr);
      while (first != nullptr && first != box && first != state.mainWindowHandle) first = GetWindow(first, GW_HWNDNEXT);
      aboveWindow = first == box;
      pressButton(box, button);
    });
    PostMessageA(onText ? state.editorHandle : state.mainWindowHandle, WM_DROPFILES,
                 dropBlock(folder + "gezogen.txt" + '\0' + folder + "a.txt" + '\0'), 0);  // posted, as the shell does
    settle();
    ASSERT_TRUE(prompt.answered()) << button;
    EXPECT_TRUE(aboveWindow) << button;
    EXPECT_EQ(editorText(), button == IDCANCEL ? "neu" : "gezogen") << button;
    EXPECT_EQ(state.currentPath, folder + (button == IDCANCEL ? "a.txt" : "gezogen.txt")) << button;
    EXPECT_EQ(readFile(folder + "a.txt"), button == IDYES ? "neu" : "alt") << button;
    app::exitSequence();
  }
}

// While the program asks, a drop and a session end from outside are refused without a second
// question, and the text stays.
TEST_F(VelloroTest, DropAndSessionEndDuringAPromptAreRefused) {
  writeFile(folder + "gezogen.txt", "gezogen");
  startVelloro();
  typeIntoEditor("neu");
  LRESULT sessionAnswer = -1;
  DialogAnswerer prompt(document::dialogTitle("Neu"), [&](HWND box) {
    // Delivered by the prompt's own message loop.
    SendMessageA(state.mainWindowHandle, WM_DROPFILES, dropBlock(folder + "gezogen.txt" + '\0'), 0);
    sessionAnswer = SendMessageA(state.mainWindowHandle, WM_QUERYENDSESSION, 0, 0);
    pressButton(box, IDCANCEL);
  });
  // A second question would otherwise wait for an answer until the test run times out.
  DialogAnswerer openPrompt(document::dialogTitle("Öffnen"), answerWith(IDCANCEL), 1500);
  DialogAnswerer exitPrompt(document::dialogTitle("Beenden"), answerWith(IDCANCEL), 1500);
  runCommand(app::New);
  ASSERT_TRUE(prompt.answered());
  EXPECT_FALSE(openPrompt.answered()) << "the drop asked a second question";
  EXPECT_FALSE(exitPrompt.answered()) << "the session end asked a second question";
  EXPECT_EQ(sessionAnswer, FALSE);
  EXPECT_EQ(editorText(), "neu");
  EXPECT_TRUE(state.currentPath.empty());
}

}  // namespace
