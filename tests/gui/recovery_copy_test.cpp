// Unsaved text survives the end of its process: a copy is written while there are unsaved changes,
// cleared once the text is safe, and offered at the next start when its program no longer runs.
// A crashed program is a second process of this test binary, ended with TerminateProcess.
#include <vector>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/event_loop.h"
#include "app/startup.h"
#include "app/status_bar.h"
#include "document/recovery_format.h"
#include "document/titles.h"
#include "tests/gui/gui_fixture.h"

namespace gui_test {

// In the second process: starts the program with the command line it was given, types the text and
// a Chinese character, loses activation and waits to be ended from outside.
bool runAsRecoveryChild() {
  char line[1024] = {}, typed[1024] = {};
  if (GetEnvironmentVariableA("VELLORO_CHILD_LINE", line, sizeof line) == 0) return false;
  GetEnvironmentVariableA("VELLORO_CHILD_TYPES", typed, sizeof typed);
  startVelloro(line);
  typeOver(typed);
  SendMessageW(app::state.editorHandle, WM_CHAR, 0x4E2D, 0);  // beyond the ANSI code page
  SendMessageA(app::state.mainWindowHandle, WM_ACTIVATEAPP, FALSE, 0);
  settle();
  for (;;) runUntil([] { return false; }, 60000);
}

}  // namespace gui_test

namespace {

using namespace gui_test;
using app::state;

class RecoveryTest : public VelloroTest {
 protected:
  std::string copies() const { return folder + "Velloro\\Wiederherstellung\\"; }

  std::vector<std::string> copyNames() const {
    std::vector<std::string> names;
    for (const std::string& name : folderNames(copies())) {
      if (name.ends_with(".wdh")) names.push_back(name);
    }
    return names;
  }

  // A second program that types and loses activation, waited for until its copy is there; ended hard
  // by endChild.
  void startChild(const std::string& commandLine, const std::string& typed) {
    const std::size_t before = copyNames().size();
    SetEnvironmentVariableA("VELLORO_CHILD_LINE", commandLine.c_str());
    SetEnvironmentVariableA("VELLORO_CHILD_TYPES", typed.c_str());
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string line = std::string("\"") + self + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child_));
    SetEnvironmentVariableA("VELLORO_CHILD_LINE", nullptr);
    SetEnvironmentVariableA("VELLORO_CHILD_TYPES", nullptr);
    for (int i = 0; i < 600 && copyNames().size() == before; ++i) Sleep(50);
    ASSERT_GT(copyNames().size(), before) << "no copy from the second program";
  }

  void endChild() {
    if (child_.hProcess == nullptr) return;
    TerminateProcess(child_.hProcess, 1);
    WaitForSingleObject(child_.hProcess, 10000);
    CloseHandle(child_.hProcess);
    CloseHandle(child_.hThread);
    child_ = {};
  }

  void TearDown() override {
    endChild();
    VelloroTest::TearDown();
  }

  static void loseActivation() {
    SendMessageA(state.mainWindowHandle, WM_ACTIVATEAPP, FALSE, 0);
    settle();
  }

 private:
  PROCESS_INFORMATION child_{};
};

// A start with a file on the command line asks first; "Ja" shows the crashed program's text in place
// of that file with its path, encoding and line ends, "Nein" drops the copy, "Abbrechen" keeps it.
TEST_F(RecoveryTest, CopyOfACrashedProgramIsOfferedAndEachAnswerActs) {
  const std::string a = folder + "a.txt", b = folder + "b.txt";
  for (int button : {IDYES, IDNO, IDCANCEL}) {
    SCOPED_TRACE(button);
    writeFile(a, "eins\nzw\xC3\xA4i");  // UTF-8 with LF line ends
    writeFile(b, "bee");
    ASSERT_NO_FATAL_FAILURE(startChild("velloro.exe " + a, "neu\nZeile"));
    const std::vector<std::string> crashed = copyNames();
    endChild();

    std::string question;
    DialogAnswerer answerer(document::dialogTitle("Wiederherstellen"), answerWith(button, &question));
    startVelloro("velloro.exe " + b);
    ASSERT_TRUE(answerer.answered());
    EXPECT_NE(question.find("Soll der ungespeicherte Text von 'a.txt' vom "), std::string::npos) << question;
    if (button == IDYES) {
      EXPECT_EQ(documentNow(), documentAs("a.txt*", " Ungespeichert", "neu\rZeile?", a, 1));
      EXPECT_EQ(state.lineEnds, platform::LineEndStyle::Lf);
      // Saved in ANSI the Chinese character would need a question first.
      ASSERT_EQ(state.encoding, platform::TextEncoding::Utf8);
      ASSERT_EQ(copyNames().size(), 1u);
      EXPECT_NE(copyNames(), crashed) << "the restored text has this program's own copy";
      runCommand(app::Save);
      EXPECT_EQ(readFile(a), "neu\nZeile\xE4\xB8\xAD");
      EXPECT_EQ(copyNames().size(), 0u);
    } else {
      EXPECT_EQ(documentNow(), documentAs("b.txt", " Geöffnet", "bee", b, 0));
      EXPECT_EQ(copyNames(), button == IDCANCEL ? crashed : std::vector<std::string>{});
    }
    app::exitSequence();
  }
  DialogAnswerer nextStart(document::dialogTitle("Wiederherstellen"), answerWith(IDNO));
  startVelloro();
  EXPECT_TRUE(nextStart.answered()) << "a copy kept with Abbrechen is offered again";
  EXPECT_EQ(copyNames().size(), 0u);
}

// Another running program's copy is neither offered nor touched; each keeps its own. Once that
// program has ended, its untitled text comes back.
TEST_F(RecoveryTest, RunningProgramsCopyIsLeftAlone) {
  ASSERT_NO_FATAL_FAILURE(startChild("velloro.exe", "zwei"));
  const std::string theirs = copyNames()[0], theirBytes = readFile(copies() + theirs);
  {
    DialogAnswerer answerer(document::dialogTitle("Wiederherstellen"), answerWith(IDNO), 1500);
    startVelloro();
    EXPECT_FALSE(answerer.answered());
  }
  typeOver("eins");
  loseActivation();
  EXPECT_EQ(copyNames().size(), 2u);
  EXPECT_EQ(readFile(copies() + theirs), theirBytes);
  app::exitSequence();

  endChild();
  DialogAnswerer answerer(document::dialogTitle("Wiederherstellen"), answerWith(IDYES));
  startVelloro();
  EXPECT_TRUE(answerer.answered()) << "only the ended program's copy is offered, not this one's";
  EXPECT_EQ(documentNow(), documentAs("Unbenannt", " Ungespeichert", "zwei?", "", 1));
}

// Turning to another program and minimising, to the task bar or to the tray, write the copy at once;
// a pause in typing writes it a little later, the loop's wait ending by itself. A helper wakes the
// loop only if it would wait for ever. The keys come through the loop, and no caret blinks.
TEST_F(RecoveryTest, CopyIsWrittenOnLeavingTheWindowAndAfterAPauseInTyping) {
  struct Case {
    const char* name;
    bool toTray;
    void (*act)();
  } cases[] = {
      {"another program", false, [] { SendMessageA(state.mainWindowHandle, WM_ACTIVATEAPP, FALSE, 0); }},
      {"minimised", false, [] { ShowWindow(state.mainWindowHandle, SW_MINIMIZE); }},
      {"minimised to the tray", true, [] { ShowWindow(state.mainWindowHandle, SW_MINIMIZE); }},
      {"a pause in typing", false, [] {}},
  };
  const DWORD loop = GetCurrentThreadId();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    startVelloro();
    if (c.toTray) runCommand(app::MinimizeToTray);
    for (char key : std::string("abc")) PostMessageA(state.editorHandle, WM_CHAR, key, 0);
    SetFocus(nullptr);
    settle();
    ASSERT_EQ(editorText(), "abc");
    ASSERT_EQ(copyNames().size(), 0u);
    c.act();
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> woken{false};
    std::thread waker([&] {
      if (WaitForSingleObject(done, 10000) == WAIT_OBJECT_0) return;
      woken = true;
      PostThreadMessageA(loop, WM_NULL, 0, 0);
    });
    while (copyNames().empty() && !woken) app::runPass();
    SetEvent(done);
    waker.join();
    CloseHandle(done);
    EXPECT_FALSE(woken) << "the loop waited for a message";
    EXPECT_EQ(copyNames().size(), 1u);
    EXPECT_EQ(state.trayIconShown, c.toTray);
    EXPECT_TRUE(runAnswering(app::Exit, "Beenden", answerWith(IDNO)));
  }
}

// The copy goes once the text is saved or dropped, and stays while it is not safe.
TEST_F(RecoveryTest, CopyIsClearedOnlyWhenTheTextIsSafe) {
  const std::string path = folder + "c.txt";
  struct Case {
    const char* name;
    unsigned command;
    const char* purpose;
    int button;
    bool readOnly;
    bool kept;
  } cases[] = {
      {"save", app::Save, nullptr, 0, false, false},
      {"save fails", app::Save, "Speichern", IDOK, true, true},
      {"exit, Nein", app::Exit, "Beenden", IDNO, false, false},
      {"exit, Abbrechen", app::Exit, "Beenden", IDCANCEL, false, true},
      {"close, Nein", app::Close, "Schließen", IDNO, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    writeFile(path, "alt");
    startVelloro("velloro.exe " + path);
    typeOver("neu");
    loseActivation();
    ASSERT_EQ(copyNames().size(), 1u);
    if (c.readOnly) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    if (c.purpose != nullptr) {
      EXPECT_TRUE(runAnswering(c.command, c.purpose, answerWith(c.button)));
    } else {
      runCommand(c.command);
    }
    EXPECT_EQ(copyNames().size(), c.kept ? 1u : 0u);
    if (state.mainWindowHandle != nullptr) app::exitSequence();
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A folder that cannot be made: said once, and the text stays as it is.
TEST_F(RecoveryTest, UnwritableFolderIsSaidOnce) {
  writeFile(folder + "Velloro", "a file where the folder would be");
  startVelloro();
  typeOver("abc");
  loseActivation();
  EXPECT_EQ(app::statusText(1), " Keine Sicherungskopie");
  app::setStatusText(1, " Ungespeichert");
  typeIntoEditor("d");
  loseActivation();
  EXPECT_EQ(app::statusText(1), " Ungespeichert");
  EXPECT_EQ(editorText(), "abcd");
}

// A copy cut short gives what it holds; a file that is no copy is left where it is.
TEST_F(RecoveryTest, DamagedCopyIsOfferedWithWhatItHolds) {
  CreateDirectoryA((folder + "Velloro").c_str(), nullptr);
  CreateDirectoryA(copies().c_str(), nullptr);
  document::CopyHeader header;
  header.path = "C:\\x\\d.txt";
  header.encoding = platform::TextEncoding::Utf16Be;
  header.lineEnds = platform::LineEndStyle::Cr;
  header.written = {2026, 1, 2, 3, 4, 5};
  std::string bytes = document::formatCopyHeader(header, 40);
  for (char c : std::string("Hallo")) bytes += c, bytes += '\0';
  writeFile(copies() + "8-0000000000000001.wdh", bytes + "W");  // the text cut within a character
  writeFile(copies() + "8-0000000000000002.wdh", "no copy");
  std::string question;
  DialogAnswerer answerer(document::dialogTitle("Wiederherstellen"), answerWith(IDYES, &question));
  startVelloro();
  ASSERT_TRUE(answerer.answered());
  EXPECT_NE(question.find("'d.txt' vom 02.01.2026 03:04 "), std::string::npos) << question;
  EXPECT_EQ(documentNow(), documentAs("d.txt*", " Ungespeichert", "Hallo", "C:\\x\\d.txt", 1));
  EXPECT_EQ(state.lineEnds, platform::LineEndStyle::Cr);
  EXPECT_EQ(state.encoding, platform::TextEncoding::Utf16Be);
  EXPECT_TRUE(fileExists(copies() + "8-0000000000000002.wdh"));
}

}  // namespace
