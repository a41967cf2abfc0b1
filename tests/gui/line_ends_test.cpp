// Files keep the line ends they came with: loaded, edited in the middle and saved again.
#include <windows.h>
#include <richedit.h>

#include <string>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

bool openFile(const std::string& path) { return runAnswering(app::Open, "Öffnen", chooseFile(path)); }

TEST_F(VelloroTest, EditedFileIsSavedWithTheLineEndsItHad) {
  const struct {
    const char* name;
    std::string before, after;
  } cases[] = {
      {"lf.txt", "eins\nzwei\ndrei\n", "eins\nzX\nwei\ndrei\n"},
      {"cr.txt", "eins\rzwei\rdrei", "eins\rzX\rwei\rdrei"},
      {"crlf.txt", "eins\r\nzwei\r\n\r\ndrei\r\n", "eins\r\nzX\r\nwei\r\n\r\ndrei\r\n"},
      {"mixed.txt", "eins\nzwei\r\ndrei\r", "eins\r\nzX\r\nwei\r\ndrei\r\n"},
      {"oneline.txt", "zwei", "zX\r\nwei"},
  };
  startVelloro();
  for (const auto& c : cases) {
    writeFile(folder + c.name, c.before);
    ASSERT_TRUE(openFile(folder + c.name)) << c.name;
    const LONG insideZwei = c.before.find("zwei") == 0 ? 1 : 6;  // in the control's text, one CR per line end
    select(insideZwei, insideZwei);
    typeIntoEditor("X\n");  // a typed line end takes the file's style too
    runCommand(app::Save);
    EXPECT_EQ(readFile(folder + c.name), c.after) << c.name;
  }
}

TEST_F(VelloroTest, NewAndCloseStartOverWithCrLf) {
  writeFile(folder + "lf.txt", "a\nb\n");
  startVelloro();
  for (app::CommandId command : {app::New, app::Close}) {
    ASSERT_TRUE(openFile(folder + "lf.txt"));
    runCommand(command);
    typeIntoEditor("x\ny");
    const std::string target = folder + (command == app::New ? "neu.txt" : "zu.txt");
    ASSERT_TRUE(runAnswering(app::Save, "Speichern unter", chooseFile(target)));
    EXPECT_EQ(readFile(target), "x\r\ny") << command;
  }
}

// The control takes a file in chunks of a few KB. Every line here is padded so that its line end
// starts on the last byte of a 512-byte block, which puts one at the end of every chunk of any
// power-of-two size from 512 bytes up: a CR LF split there must stay one line end.
TEST_F(VelloroTest, LineEndsAtReadChunkBoundariesStayOneLineEnd) {
  const struct {
    const char* name;
    std::string lineEnd;
  } cases[] = {{"crlf.txt", "\r\n"}, {"cr.txt", "\r"}, {"lf.txt", "\n"}};
  constexpr int lines = 64;
  startVelloro();
  for (const auto& c : cases) {
    std::string bytes;
    for (int line = 1; line <= lines; ++line) {
      bytes += "Zeile " + std::to_string(line) + " über die Grenze ";
      bytes.append(static_cast<std::size_t>(line) * 512 - 1 - bytes.size(), 'x');
      bytes += c.lineEnd;
      if (c.lineEnd == "\r") bytes += 'x';  // keep the next CR on a block end
    }
    writeFile(folder + c.name, bytes);
    ASSERT_TRUE(openFile(folder + c.name)) << c.name;
    EXPECT_EQ(SendMessageA(state.editorHandle, EM_GETLINECOUNT, 0, 0), lines + 1) << c.name;
    runCommand(app::Save);
    EXPECT_TRUE(readFile(folder + c.name) == bytes) << c.name << ": the saved file differs from the one opened";
  }
}

// Lines of varying length, umlauts and empty lines, LF only, as a checkout from elsewhere has them.
TEST_F(VelloroTest, LargeLfFileIsSavedByteForByte) {
  static const char* const words[] = {"Grüße", "aus", "der", "Straße", "über", "Äcker", "und", "Öfen", ""};
  std::string bytes;
  for (unsigned seed = 12345; bytes.size() < (10u << 20);) {
    seed = seed * 1103515245u + 12345u;
    for (unsigned i = 0; i < (seed >> 16) % 14; ++i) bytes += std::string(words[(seed >> (i % 16)) % 9]) + ' ';
    bytes += '\n';
  }
  writeFile(folder + "gross.txt", bytes);
  startVelloro("velloro.exe " + folder + "gross.txt");
  ASSERT_EQ(state.modifiedMarked, 0);
  runCommand(app::Save);
  EXPECT_TRUE(readFile(folder + "gross.txt") == bytes) << "the saved file differs from the one opened";
}

}  // namespace
