// Files keep the line ends they came with: loaded, edited in the middle and saved again.
#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/startup.h"
#include "document/titles.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

void run(app::CommandId command) {
  app::dispatchCommand(command);
  settle();
}

// Runs a command whose file dialog is answered with the path.
bool runWithFileDialog(app::CommandId command, const char* purpose, const std::string& path) {
  DialogAnswerer dialog(document::dialogTitle(purpose), [path](HWND d) { answerFileDialog(d, path); });
  run(command);
  return dialog.answered();
}

// Types at a character position of the control's own text (one "\r" per line end).
void typeAt(LONG position, const std::string& text) {
  select(position, position);
  typeIntoEditor(text);
}

TEST_F(VelloroTest, EditedFileIsSavedWithTheLineEndsItHad) {
  struct Case {
    const char* name;
    std::string before;
    std::string after;
  } cases[] = {
      {"lf.txt", "eins\nzwei\ndrei\n", "eins\nzXwei\ndrei\n"},
      {"cr.txt", "eins\rzwei\rdrei", "eins\rzXwei\rdrei"},
      {"crlf.txt", "eins\r\nzwei\r\n\r\ndrei\r\n", "eins\r\nzXwei\r\n\r\ndrei\r\n"},
      {"mixed.txt", "eins\nzwei\r\ndrei\r", "eins\r\nzXwei\r\ndrei\r\n"},
      {"oneline.txt", "zwei", "zXwei"},
  };
  startVelloro();
  for (const Case& c : cases) {
    writeFile(folder + c.name, c.before);
    ASSERT_TRUE(runWithFileDialog(app::Open, "Öffnen", folder + c.name)) << c.name;
    const LONG insideZwei = c.before.find("zwei") == 0 ? 1 : 6;
    typeAt(insideZwei, "X");
    run(app::Save);
    EXPECT_EQ(readFile(folder + c.name), c.after) << c.name;
    EXPECT_EQ(state.modifiedMarked, 0) << c.name;
  }
}

TEST_F(VelloroTest, CommandLineFileKeepsItsLineEndsThroughSaveAs) {
  writeFile(folder + "skript.sh", "#!/bin/sh\necho hallo\n");
  startVelloro("velloro.exe " + folder + "skript.sh");
  typeAt(static_cast<LONG>(std::string("#!/bin/sh\recho hallo").size()), "\n");
  ASSERT_TRUE(runWithFileDialog(app::SaveAs, "Speichern unter", folder + "kopie.sh"));
  EXPECT_EQ(readFile(folder + "kopie.sh"), "#!/bin/sh\necho hallo\n\n");
  EXPECT_EQ(readFile(folder + "skript.sh"), "#!/bin/sh\necho hallo\n");
}

TEST_F(VelloroTest, NewAndCloseStartOverWithCrLf) {
  for (app::CommandId command : {app::New, app::Close}) {
    writeFile(folder + "lf.txt", "a\nb\n");
    startVelloro("velloro.exe " + folder + "lf.txt");
    run(command);
    typeIntoEditor("x\ny");
    const std::string target = folder + (command == app::New ? "neu.txt" : "zu.txt");
    ASSERT_TRUE(runWithFileDialog(app::Save, "Speichern unter", target));
    EXPECT_EQ(readFile(target), "x\r\ny") << command;
    app::exitSequence();
  }
}

// The control takes a file in chunks of a few KB. Every line here is padded so that its line end
// starts on the last byte of a 512-byte block, which puts one at the end of every chunk of any
// power-of-two size from 512 bytes up: a CR LF split there must stay one line end.
TEST_F(VelloroTest, LineEndsAtReadChunkBoundariesStayOneLineEnd) {
  struct Case {
    const char* name;
    const char* lineEnd;
  } cases[] = {{"crlf.txt", "\r\n"}, {"cr.txt", "\r"}, {"lf.txt", "\n"}};
  constexpr int lines = 64;
  for (const Case& c : cases) {
    std::string bytes;
    for (int line = 1; line <= lines; ++line) {
      bytes += "Zeile " + std::to_string(line) + " über die Grenze ";
      bytes.append(static_cast<std::size_t>(line) * 512 - 1 - bytes.size(), 'x');
      bytes += c.lineEnd;
      if (std::string(c.lineEnd) == "\r") bytes.append(1, 'x');  // keep the next CR on a block end
    }
    writeFile(folder + c.name, bytes);
    startVelloro("velloro.exe " + folder + c.name);
    EXPECT_EQ(SendMessageA(state.editorHandle, EM_GETLINECOUNT, 0, 0), lines + 1) << c.name;
    run(app::Save);
    EXPECT_TRUE(readFile(folder + c.name) == bytes) << c.name << ": the saved file differs from the one opened";
    app::exitSequence();
  }
}

TEST_F(VelloroTest, FailedOpenKeepsTheLineEndsOfTheDocumentStillShown) {
  writeFile(folder + "lf.txt", "a\nb");
  startVelloro("velloro.exe " + folder + "lf.txt");
  const std::string locked = folder + "gesperrt.txt";
  HANDLE lock = CreateFileA(locked.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const std::string openTitle = document::dialogTitle("Öffnen");
  bool reported = false;
  DialogAnswerer dialog(openTitle, [&](HWND d) {
    answerFileDialog(d, locked);
    reported = answerNext(d, openTitle, [](HWND box) { pressButton(box, IDOK); });
  });
  run(app::Open);
  CloseHandle(lock);
  ASSERT_TRUE(dialog.answered());
  EXPECT_TRUE(reported);
  typeAt(1, "X");
  run(app::Save);
  EXPECT_EQ(readFile(folder + "lf.txt"), "aX\nb");
}

}  // namespace

namespace {

using namespace gui_test;

// Lines of varying length, umlauts and empty lines, LF only, as a checkout from elsewhere has them.
std::string largeLfText(std::size_t size) {
  static const char* const words[] = {"Grüße", "aus", "der", "Straße", "über", "Äcker", "und", "Öfen", ""};
  std::string text;
  text.reserve(size + 200);
  unsigned seed = 12345;
  while (text.size() < size) {
    seed = seed * 1103515245u + 12345u;
    const unsigned count = (seed >> 16) % 14;
    for (unsigned i = 0; i < count; ++i) {
      text += words[(seed >> (i % 16)) % 9];
      text += ' ';
    }
    text += '\n';
  }
  return text;
}

TEST_F(VelloroTest, LargeLfFileIsSavedByteForByte) {
  const std::string bytes = largeLfText(10u << 20);
  writeFile(folder + "gross.txt", bytes);
  startVelloro("velloro.exe " + folder + "gross.txt");
  ASSERT_EQ(state.modifiedMarked, 0);
  run(app::Save);
  EXPECT_TRUE(readFile(folder + "gross.txt") == bytes) << "the saved file differs from the one opened";
}

}  // namespace
