// Log-off and shutdown: unsaved text is asked about as on Exit, and the answer goes back to Windows.
// A session end while another question is open is checked with the dropped files.

#include "app/app_state.h"
#include "app/startup.h"
#include "document/titles.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

// Yes on a read-only file: the save fails, is reported, and the session may not end.
TEST_F(VelloroTest, SessionEndAsksLikeExitOnlyAboutChangesAndAnswersWindows) {
  struct Case {
    int button;  // 0: nothing typed, so no question
    bool readOnly;
    LRESULT answer;
  } cases[] = {{0, false, TRUE}, {IDNO, false, TRUE}, {IDCANCEL, false, FALSE}, {IDYES, false, TRUE},
               {IDYES, true, FALSE}};
  const std::string path = folder + "a.txt";
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.button) + (c.readOnly ? " read-only" : ""));
    writeFile(path, "alt");  // the read-only row comes last
    if (c.readOnly) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    startVelloro("velloro.exe " + path);
    if (c.button != 0) typeOver("neu");
    std::string text;
    bool failureReported = false;
    DialogAnswerer prompt(document::dialogTitle("Beenden"), [&](HWND box) {
      text = dialogMessage(box);
      pressButton(box, c.button != 0 ? c.button : IDCANCEL);
      if (c.readOnly) failureReported = answerNext(box, document::dialogTitle("Speichern"), answerWith(IDOK));
    }, c.button != 0 ? 10000 : 500);
    EXPECT_EQ(SendMessageA(state.mainWindowHandle, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), c.answer);
    settle();
    EXPECT_EQ(text, c.button != 0 ? "Möchten Sie vor dem Beenden die Datei 'a.txt' speichern?" : "");
    EXPECT_EQ(failureReported, c.readOnly);
    EXPECT_EQ(readFile(path), c.button == IDYES && !c.readOnly ? "neu" : "alt");
    EXPECT_EQ(editorText(), c.button != 0 ? "neu" : "alt");
    EXPECT_EQ(exitCalls, 0) << "only the end of the session ends the program";
    app::exitSequence();
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
