// Files dropped on the window or the text open as if chosen in the Open dialog.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/startup.h"
#include "document/titles.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

// The shell's description of a drop: a DROPFILES block in global memory, which the receiver frees.
WPARAM dropBlock(std::initializer_list<std::string> paths) {
  std::string names;
  for (const std::string& path : paths) names += path + '\0';
  names += '\0';
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
  auto* block = static_cast<DROPFILES*>(GlobalLock(memory));
  block->pFiles = sizeof(DROPFILES);
  std::memcpy(reinterpret_cast<char*>(block) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(memory);
  return reinterpret_cast<WPARAM>(memory);
}

// Drops the files as the shell does: posted.
void dropFiles(HWND target, std::initializer_list<std::string> paths) {
  PostMessageA(target, WM_DROPFILES, dropBlock(paths), 0);
  settle();
}

// On the window or on the text, through the same load as the Open command.
TEST_F(VelloroTest, DroppedFileOpensOnlyTheFirstOfSeveral) {
  const std::string first = folder + "erste.txt";
  writeFile(first, "eins\r\nzwei\r\ndrei");
  writeFile(folder + "zweite.txt", "anderes");
  startVelloro();
  for (HWND target : {state.mainWindowHandle, state.editorHandle}) {
    select(7, 7);  // the drop must put the cursor back to the start
    dropFiles(target, {first, folder + "zweite.txt"});
    EXPECT_EQ(documentNow(), documentAs("erste.txt", " Geöffnet", "eins\rzwei\rdrei", first, 0));
    EXPECT_EQ(selection().cpMax, 0);
  }
}

TEST_F(VelloroTest, DropOnAModifiedDocumentAsksFirst) {
  const struct {
    int button;
    const char* textAfter;
  } cases[] = {{IDCANCEL, "neu"}, {IDNO, "gezogen"}, {IDYES, "gezogen"}};
  writeFile(folder + "gezogen.txt", "gezogen");
  for (const auto& c : cases) {
    writeFile(folder + "a.txt", "alt");
    startVelloro("velloro.exe " + folder + "a.txt");
    typeOver("neu");
    DialogAnswerer prompt(document::dialogTitle("Öffnen"), answerWith(c.button));
    dropFiles(state.mainWindowHandle, {folder + "gezogen.txt"});
    ASSERT_TRUE(prompt.answered()) << c.button;
    EXPECT_EQ(editorText(), c.textAfter) << c.button;
    EXPECT_EQ(readFile(folder + "a.txt"), c.button == IDYES ? "neu" : "alt") << c.button;
    app::exitSequence();
  }
}

TEST_F(VelloroTest, DropWhileAPromptIsOpenIsIgnored) {
  writeFile(folder + "gezogen.txt", "gezogen");
  startVelloro();
  typeIntoEditor("neu");
  DialogAnswerer prompt(document::dialogTitle("Neu"), [this](HWND box) {
    // Delivered by the prompt's own message loop.
    SendMessageA(state.mainWindowHandle, WM_DROPFILES, dropBlock({folder + "gezogen.txt"}), 0);
    pressButton(box, IDCANCEL);
  });
  DialogAnswerer openPrompt(document::dialogTitle("Öffnen"), answerWith(IDCANCEL), 1500);
  runCommand(app::New);
  ASSERT_TRUE(prompt.answered());
  EXPECT_FALSE(openPrompt.answered()) << "the drop asked a second question";
  EXPECT_EQ(editorText(), "neu");
  EXPECT_TRUE(state.currentPath.empty());
}

}  // namespace
