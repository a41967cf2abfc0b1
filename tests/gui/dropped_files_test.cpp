// Files dropped on the window open as if chosen in the Open dialog.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/startup.h"
#include "app/status_bar.h"
#include "document/titles.h"
#include "editor/editor_control.h"
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
  block->fWide = FALSE;
  std::memcpy(reinterpret_cast<char*>(block) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(memory);
  return reinterpret_cast<WPARAM>(memory);
}

// Drops the files on the window as the shell does: posted.
void dropFiles(HWND target, std::initializer_list<std::string> paths) {
  PostMessageA(target, WM_DROPFILES, dropBlock(paths), 0);
  settle();
}

std::string title() { return windowText(state.mainWindowHandle); }

TEST_F(VelloroTest, DroppedFileOpensAndOnlyTheFirstOfSeveral) {
  writeFile(folder + "erste.txt", "eins\r\nzwei\r\ndrei");
  writeFile(folder + "zweite.txt", "anderes");
  startVelloro();
  for (HWND target : {state.mainWindowHandle, state.editorHandle}) {
    setEditorText("");
    editor::clearModifiedFlag();
    dropFiles(target, {folder + "erste.txt", folder + "zweite.txt"});
    EXPECT_EQ(editorText(), "eins\rzwei\rdrei");
    EXPECT_EQ(title(), "Velloro v2.0 Beta 3  -  erste.txt");
    EXPECT_EQ(state.currentPath, folder + "erste.txt");
    EXPECT_EQ(app::statusText(1), " Geöffnet");
    EXPECT_EQ(editor::cursorLine(), 1);
    EXPECT_EQ(editor::cursorColumn(), 1);
    EXPECT_EQ(state.modifiedMarked, 0);
    select(3, 3);  // the next drop must put the cursor back
  }
}

TEST_F(VelloroTest, DropOnAModifiedDocumentAsksFirst) {
  struct Case {
    int button;
    const char* textAfter;
  } cases[] = {{IDCANCEL, "neu"}, {IDNO, "gezogen"}, {IDYES, "gezogen"}};
  writeFile(folder + "gezogen.txt", "gezogen");
  for (const Case& c : cases) {
    writeFile(folder + "a.txt", "alt");
    startVelloro("velloro.exe " + folder + "a.txt");
    typeOver("neu");
    auto text = std::make_shared<std::string>();
    DialogAnswerer prompt(document::dialogTitle("Öffnen"), [text, button = c.button](HWND box) {
      *text = dialogMessage(box);
      pressButton(box, button);
    });
    dropFiles(state.mainWindowHandle, {folder + "gezogen.txt"});
    ASSERT_TRUE(prompt.answered()) << c.button;
    EXPECT_EQ(*text, "Möchten Sie vor dem Öffnen einer neuen Datei die Datei 'a.txt' speichern?");
    EXPECT_EQ(editorText(), c.textAfter) << c.button;
    EXPECT_EQ(readFile(folder + "a.txt"), c.button == IDYES ? "neu" : "alt") << c.button;
    app::exitSequence();
  }
}

TEST_F(VelloroTest, DropOfAFileThatCannotBeReadIsReportedLikeOpen) {
  writeFile(folder + "a.txt", "bleibt");
  startVelloro("velloro.exe " + folder + "a.txt");
  auto text = std::make_shared<std::string>();
  DialogAnswerer failure(document::dialogTitle("Öffnen"), [text](HWND box) {
    *text = dialogMessage(box);
    pressButton(box, IDOK);
  });
  dropFiles(state.mainWindowHandle, {folder + "fehlt.txt"});
  ASSERT_TRUE(failure.answered());
  EXPECT_NE(text->find("fehlt.txt"), std::string::npos) << *text;
  EXPECT_EQ(editorText(), "bleibt");
  EXPECT_EQ(state.currentPath, folder + "a.txt");
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
  app::dispatchCommand(app::New);
  settle();
  ASSERT_TRUE(prompt.answered());
  EXPECT_EQ(editorText(), "neu");
  EXPECT_TRUE(state.currentPath.empty());
}

}  // namespace
