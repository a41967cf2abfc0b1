// Files of megabytes: a long load or save shows how far it is, and every way of opening ends with the
// same text.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/startup.h"
#include "document/titles.h"
#include "tests/gui/gui_fixture.h"
#include "tests/gui/import_patch.h"

namespace {

using namespace gui_test;
using app::state;

// Every text the status bar's document field was given, in order, from before start-up on.
std::vector<std::string> statusTexts;

LRESULT CALLBACK recordStatusText(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->hwnd != nullptr && sent->hwnd == state.statusBar && sent->message == SB_SETTEXTA &&
      LOWORD(sent->wParam) == 1) {
    statusTexts.emplace_back(reinterpret_cast<const char*>(sent->lParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class StatusRecorder {
 public:
  StatusRecorder() : hook_(SetWindowsHookExA(WH_CALLWNDPROC, recordStatusText, nullptr, GetCurrentThreadId())) {
    statusTexts.clear();
  }
  ~StatusRecorder() { UnhookWindowsHookEx(hook_); }
  bool valid() const { return hook_ != nullptr; }

 private:
  HHOOK hook_;
};

// The percentages shown while loading ("Lädt") or saving ("Speichert") count up from 0 to 100, at
// least `least` of them, and the field ends with `done`.
void expectProgressShown(const std::string& verb, std::size_t least, const std::string& done) {
  const std::string prefix = " " + verb + "... ";
  int last = -1;
  std::size_t shown = 0;
  for (const std::string& text : statusTexts) {
    if (text.rfind(prefix, 0) != 0) continue;
    const std::string rest = text.substr(prefix.size());
    ASSERT_TRUE(rest.size() >= 3 && rest.size() <= 5 && rest.ends_with(" %")) << text;
    const int percent = std::stoi(rest);
    EXPECT_TRUE(percent > last && percent <= 100) << text << " after " << last;
    last = percent;
    ++shown;
  }
  EXPECT_GE(shown, least);
  ASSERT_FALSE(statusTexts.empty());
  EXPECT_EQ(statusTexts.back(), done);
}

// Numbered lines of German prose with CR LF, some of them long.
std::string megabytesOfText(int megabytes) {
  std::string text;
  text.reserve(static_cast<std::size_t>(megabytes) << 20);
  for (int line = 1; text.size() < static_cast<std::size_t>(megabytes) << 20; ++line) {
    text += "Zeile " + std::to_string(line) + ": Über die Brücke gehen wir täglich";
    if (line % 7 == 0) text += std::string(300, 'x');
    text += "\r\n";
  }
  return text;
}

// A load of some megabytes takes more than half a second under Wine: status field 1 counts up in
// percent while it loads and reads " Geöffnet" after it. The command line, the Open dialog into the
// shown window and a drop on it end with the same text, and with nothing to undo but what is typed after.
TEST_F(VelloroTest, LongLoadsShowTheirProgressAndEveryWayInEndsWithTheSameText) {
  const std::string path = folder + "gross.txt";
  const std::string file = megabytesOfText(6);
  writeFile(path, file);
  std::string expected = file;  // the control holds a line end as one CR
  std::erase(expected, '\n');
  for (const std::string way : {"command line", "Open dialog", "drop"}) {
    SCOPED_TRACE(way);
    StatusRecorder recorder;
    ASSERT_TRUE(recorder.valid());
    startVelloro(way == "command line" ? "velloro.exe " + path : "velloro.exe");
    if (way == "Open dialog") ASSERT_TRUE(runAnswering(app::Open, "Öffnen", chooseFile(path)));
    if (way == "drop") {
      PostMessageA(state.mainWindowHandle, WM_DROPFILES, dropBlock(path + '\0'), 0);
      settle();
    }
    expectProgressShown("Lädt", 1, " Geöffnet");
    const std::string text = editorText();
    EXPECT_EQ(text.size(), expected.size());
    EXPECT_TRUE(text == expected);
    // The pieces of the load are no edit to undo, and an edit after it is.
    EXPECT_EQ(SendMessageA(state.editorHandle, EM_CANUNDO, 0, 0), 0);
    typeIntoEditor("#");
    EXPECT_EQ(editorText().size(), text.size() + 1);
    runCommand(app::Undo);
    EXPECT_TRUE(editorText() == text);
    app::exitSequence();
  }
}

// A slow disk: every write waits a millisecond per KiB before it goes through, so that a save of
// megabytes lasts seconds on any machine.
decltype(WriteFile)* systemWriteFile = nullptr;
DWORD slowBytesOwed = 0;
BOOL WINAPI writeSlowly(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
  slowBytesOwed += count;
  Sleep(slowBytesOwed >> 10);
  slowBytesOwed &= 1023;
  return systemWriteFile(file, bytes, count, written, overlapped);
}

// A save that lasts longer than half a second: status field 1 counts up in percent while it writes
// and reads " Gespeichert" after it, and the file holds the text. Two megabytes on the slow disk take
// at least two seconds, so that the progress, shown from half a second on and then every quarter of
// a second, comes more than once.
TEST_F(VelloroTest, LongSavesShowTheirProgress) {
  const std::string path = folder + "gespeichert.txt";
  const std::string text = megabytesOfText(2);
  startVelloro();
  setEditorText(text);
  StatusRecorder recorder;
  ASSERT_TRUE(recorder.valid());
  {
    ImportPatch patch("kernel32.dll", "WriteFile", reinterpret_cast<const void*>(&writeSlowly));
    ASSERT_TRUE(patch.applied());
    systemWriteFile = patch.original<decltype(WriteFile)>();
    slowBytesOwed = 0;
    ASSERT_TRUE(runAnswering(app::SaveAs, "Speichern unter", chooseFile(path)));
  }
  expectProgressShown("Speichert", 2, " Gespeichert");
  const std::string saved = readFile(path);
  EXPECT_EQ(saved.size(), text.size());
  EXPECT_TRUE(saved == text);
}

}  // namespace
