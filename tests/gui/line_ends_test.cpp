// Files keep the line ends they came with: loaded, edited in the middle and saved again.

#include "app/app_state.h"
#include "app/command_ids.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

bool openFile(const std::string& path) { return runAnswering(app::Open, "Öffnen", chooseFile(path)); }

// Mixed line ends become CR LF; a CR before a CR LF ends a line of its own, which the control would
// have turned into a blank joining two lines. Shift+Enter breaks the line as Enter does; the control's
// own line break for it was saved as a blank. A new document starts over with CR LF after an LF file.
TEST_F(VelloroTest, EditedFileIsSavedWithTheLineEndsItHad) {
  const struct {
    const char* name;
    std::string before, after;
    bool shift = false;
  } cases[] = {
      {"lf.txt", "eins\nzwei\ndrei\n", "eins\nzX\nwei\ndrei\n"},
      {"cr.txt", "eins\rzwei\rdrei", "eins\rzX\rwei\rdrei"},
      {"crlf.txt", "eins\r\nzwei\r\n\r\ndrei\r\n", "eins\r\nzX\r\nwei\r\n\r\ndrei\r\n"},
      {"mixed.txt", "eins\nzwei\r\ndrei\r", "eins\r\nzX\r\nwei\r\ndrei\r\n"},
      {"shift.txt", "eins\r\nzwei", "eins\r\nzX\r\nwei", true},
      {"crcrlf.txt", "eins\r\r\nzwei\r\r\r\ndrei", "eins\r\n\r\nX\r\nzwei\r\n\r\n\r\ndrei"},
  };
  startVelloro();
  BYTE keys[256];
  GetKeyboardState(keys);
  for (const auto& c : cases) {
    keys[VK_SHIFT] = keys[VK_LSHIFT] = c.shift ? 0x80 : 0;
    SetKeyboardState(keys);
    writeFile(folder + c.name, c.before);
    ASSERT_TRUE(openFile(folder + c.name)) << c.name;
    select(6, 6);      // inside "zwei", in the control's text with one CR per line end
    typeIntoEditor("X\n");  // a typed line end takes the file's style too
    runCommand(app::Save);
    EXPECT_EQ(readFile(folder + c.name), c.after) << c.name;
  }
  ASSERT_TRUE(openFile(folder + "lf.txt"));
  runCommand(app::New);
  typeIntoEditor("x\ny");
  ASSERT_TRUE(runAnswering(app::Save, "Speichern unter", chooseFile(folder + "neu.txt")));
  EXPECT_EQ(readFile(folder + "neu.txt"), "x\r\ny");
}

// The control takes a file in chunks of a few KB. Every line here is padded so that its line end
// starts on the last byte of a 512-byte block, which puts one at the end of every chunk of any
// power-of-two size from 512 bytes up: a CR LF split there must stay one line end.
TEST_F(VelloroTest, LineEndsAtReadChunkBoundariesStayOneLineEnd) {
  constexpr int lines = 64;
  startVelloro();
  for (const std::string lineEnd : {"\r\n", "\r", "\n"}) {
    SCOPED_TRACE(lineEnd == "\r\n" ? "CR LF" : lineEnd == "\r" ? "CR" : "LF");
    std::string bytes;
    for (int line = 1; line <= lines; ++line) {
      bytes += "Zeile " + std::to_string(line) + " über die Grenze ";
      bytes.append(static_cast<std::size_t>(line) * 512 - 1 - bytes.size(), 'x');
      bytes += lineEnd;
      if (lineEnd == "\r") bytes += 'x';  // keep the next CR on a block end
    }
    writeFile(folder + "chunks.txt", bytes);
    ASSERT_TRUE(openFile(folder + "chunks.txt"));
    EXPECT_EQ(SendMessageA(state.editorHandle, EM_GETLINECOUNT, 0, 0), lines + 1);
    runCommand(app::Save);
    EXPECT_TRUE(readFile(folder + "chunks.txt") == bytes) << "the saved file differs";
  }
}

}  // namespace
