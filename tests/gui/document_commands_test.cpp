// Open, Save, Save As and the prompts before text is dropped on the real windows, with the dialogs
// answered: what the user sees afterwards, and that a failure loses nothing.
#include <utility>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/startup.h"
#include "app/status_bar.h"
#include "document/document_rules.h"
#include "document/document_state.h"
#include "document/titles.h"
#include "platform/unicode_text.h"
#include "tests/gui/gui_fixture.h"
#include "tests/gui/import_patch.h"

namespace {

using namespace gui_test;
using app::state;

// A folder whose paths reach the platform's limit with a name of five characters.
std::string longFolder(const std::string& folder) {
  std::string name = folder + "d";
  name.append(document::maxPathLength - name.size() - 6, 'd');
  EXPECT_TRUE(CreateDirectoryA(name.c_str(), nullptr));
  return name;
}

// Where a save breaks off once the new file has been begun.
enum class Breaks { Never, ControlStream, Write, ShortWrite };

// The control's stream-out hands the program one piece of the text and then reports an error, as
// when it runs out of memory.
WNDPROC realControl = nullptr;
LRESULT CALLBACK streamBreaksOff(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != EM_STREAMOUT) return CallWindowProcA(realControl, window, message, wParam, lParam);
  auto* stream = reinterpret_cast<EDITSTREAM*>(lParam);
  BYTE piece[] = {'n'};
  LONG done = 0;
  stream->pfnCallback(stream->dwCookie, piece, sizeof piece, &done);
  stream->dwError = static_cast<DWORD>(E_OUTOFMEMORY);
  return done;
}

// A full disk: nothing written, or half of what was asked without an error.
decltype(WriteFile)* systemWriteFile = nullptr;
BOOL WINAPI diskFull(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) {
  if (written != nullptr) *written = 0;
  SetLastError(ERROR_DISK_FULL);
  return FALSE;
}
BOOL WINAPI writesHalf(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
  return systemWriteFile(file, bytes, count / 2, written, overlapped);
}

void saveBreakingOff(Breaks breaks) {
  if (breaks == Breaks::Never) return runCommand(app::Save);
  if (breaks == Breaks::ControlStream) {
    realControl = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(state.editorHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&streamBreaksOff)));
    runCommand(app::Save);
    SetWindowLongPtrA(state.editorHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(realControl));
    return;
  }
  const auto write = breaks == Breaks::Write ? &diskFull : &writesHalf;
  ImportPatch patch("kernel32.dll", "WriteFile", reinterpret_cast<const void*>(write));
  ASSERT_TRUE(patch.applied());
  systemWriteFile = patch.original<decltype(WriteFile)>();
  runCommand(app::Save);
}

// Typing without a focus change is seen before a command drops the text: each command asks about
// this file under its own title. Every way out without a completed save leaves the document, its
// mark, the focus and the file as they were: "Abbrechen", "Nein" and then a cancelled dialog, "Ja"
// and then a failed save, a cancelled Save As.
TEST_F(VelloroTest, CommandsThatDropTheTextAskFirstAndChangeNothingWithoutASave) {
  const std::string path = folder + "ro.txt";
  writeFile(path, "alt");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  startVelloro("velloro.exe " + path);
  const struct {
    app::CommandId command;
    const char *first, *second;  // the second window follows the first and gets its own button
    int button, secondButton;
  } cases[] = {{app::Exit, "Beenden", nullptr, IDCANCEL, 0},
               {app::New, "Neu", nullptr, IDCANCEL, 0},
               {app::Open, "Öffnen", "Öffnen", IDNO, IDCANCEL},
               {app::Close, "Schließen", "Speichern", IDYES, IDOK},
               {app::SaveAs, "Speichern unter", nullptr, IDCANCEL, 0}};
  std::string text = "alt";
  for (const auto& c : cases) {
    const bool asks = c.command != app::SaveAs;
    if (asks) document::markClean(), typeIntoEditor("z"), text = "z" + text;
    std::string message;
    bool secondAnswered = c.second == nullptr;
    EXPECT_TRUE(runAnswering(c.command, c.first, [&](HWND window) {
      message = dialogMessage(window);
      pressButton(window, c.button);
      if (c.second) secondAnswered = answerNext(window, document::dialogTitle(c.second), answerWith(c.secondButton));
    }) && secondAnswered) << c.first;
    EXPECT_EQ(message.find("Datei 'ro.txt'") != std::string::npos, asks) << message;
    EXPECT_EQ(documentNow(), documentAs("ro.txt*", " Ungespeichert", text, path, 1)) << c.first;
    EXPECT_EQ(GetFocus(), state.editorHandle) << c.first;
  }
  EXPECT_EQ(exitCalls, 0);
  EXPECT_EQ(readFile(path), "alt");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Every byte of an ANSI file but NUL, CR and LF (which make one line end), the five that code page
// 1252 leaves unassigned among them, replacing a longer file, which must go whole.
TEST_F(VelloroTest, EveryByteSurvivesOpenAndSaveAs) {
  std::string bytes = "ÄÖÜäöüß\r\n";
  for (int c = 1; c <= 0xFF; ++c) {
    if (c != '\r' && c != '\n') bytes += static_cast<char>(c);
  }
  bytes += "\r\nzweite Zeile\r\n\r\nvierte";
  writeFile(folder + "in.txt", bytes);
  writeFile(folder + "out", std::string(1000, 'o'));
  startVelloro();
  ASSERT_TRUE(runAnswering(app::Open, "Öffnen", chooseFile(folder + "in.txt")));
  ASSERT_TRUE(runAnswering(app::SaveAs, "Speichern unter", chooseFile(folder + "out", 1)));
  EXPECT_EQ(readFile(folder + "out"), bytes);
  EXPECT_EQ(readFile(folder + "in.txt"), bytes);
}

// The save replaces the file and keeps its hidden and system marks, also at the longest path the
// platform takes, where the folder leaves less room than a temporary file's usual name needs.
// Read-only, held open by another program without sharing, in a folder that does not exist, or a
// write that breaks off half-way (the control's stream, a full disk): the failure is reported, the
// old file, the text and the mark stay. No temporary file is left.
TEST_F(VelloroTest, SaveReplacesTheFileKeepingItsMarksOrReportsAndLosesNothing) {
  const std::string longPath = longFolder(folder) + "\\a.txt";
  const struct {
    std::string path;
    DWORD attributes;  // 0: the file does not exist
    bool heldOpen, saved;
    Breaks breaks = Breaks::Never;
  } cases[] = {{longPath, FILE_ATTRIBUTE_ARCHIVE, false, true},
               {folder + "desktop.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE, false, true},
               {folder + "ro.txt", FILE_ATTRIBUTE_READONLY, false, false},
               {folder + "busy.txt", FILE_ATTRIBUTE_NORMAL, true, false},
               {folder + "fehlt\\neu.txt", 0, false, false},
               {folder + "abgebrochen.txt", FILE_ATTRIBUTE_ARCHIVE, false, false, Breaks::ControlStream},
               {folder + "voll.txt", FILE_ATTRIBUTE_ARCHIVE, false, false, Breaks::Write},
               {folder + "halb.txt", FILE_ATTRIBUTE_ARCHIVE, false, false, Breaks::ShortWrite}};
  ASSERT_EQ(cases[0].path.size(), document::maxPathLength);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    if (c.attributes != 0) writeFile(c.path, "alt"), SetFileAttributesA(c.path.c_str(), c.attributes);
    startVelloro("velloro.exe " + c.path);
    typeOver("neu");
    HANDLE held = c.heldOpen ? CreateFileA(c.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                             : INVALID_HANDLE_VALUE;
    std::string message;
    DialogAnswerer failure(document::dialogTitle("Speichern"), answerWith(IDOK, &message), c.saved ? 1000 : 10000);
    saveBreakingOff(c.breaks);
    EXPECT_EQ(failure.answered(), !c.saved) << message;
    if (c.heldOpen) CloseHandle(held);
    const std::string name = c.path.substr(c.path.rfind('\\') + 1);
    if (c.saved) {
      EXPECT_EQ(GetFileAttributesA(c.path.c_str()), c.attributes);
      EXPECT_EQ(documentNow(), documentAs(name, " Gespeichert", "neu", c.path, 0));
    } else {
      EXPECT_EQ(message.rfind("Die Datei '" + c.path + "' konnte nicht gespeichert werden.", 0), 0u) << message;
      EXPECT_NE(message.find("Systemfehler"), std::string::npos) << message;
      EXPECT_EQ(documentNow(), documentAs(name + "*", " Ungespeichert", "neu", c.path, 1));
    }
    EXPECT_EQ(fileExists(c.path) ? readFile(c.path) : "<none>", c.saved ? "neu" : c.attributes ? "alt" : "<none>");
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA((folder + "*.tmp").c_str(), &found), INVALID_HANDLE_VALUE) << "a temporary file stayed";
    SetFileAttributesA(c.path.c_str(), FILE_ATTRIBUTE_NORMAL);
    app::exitSequence();
  }
}

// A folder, a wildcard or a stream name on the command line is not opened; the document is untitled
// through and through, so saving asks for a name instead of writing to the refused one.
TEST_F(VelloroTest, CommandLineParameterThatNamesNoFileLeavesAnUntitledDocument) {
  for (const std::string& parameter : {folder, "\"" + folder + "a*.txt\"", folder + "a.txt:s"}) {
    startVelloro("velloro.exe " + parameter);
    typeOver("neu");
    ASSERT_EQ(state.currentPath, "") << parameter;
    EXPECT_TRUE(runAnswering(app::Save, "Speichern unter", answerWith(IDCANCEL))) << parameter;
    EXPECT_EQ(documentNow(), documentAs("Unbenannt", " Ungespeichert", "neu", "", 1)) << parameter;
    app::exitSequence();
  }
}

// A file that another program keeps open for writing while letting others read and write it, as
// a program writing a log does, opens. A file that cannot be read is reported, and the document
// stays as it was; one too large for the control is not read at all.
TEST_F(VelloroTest, OpenOfAFileThatCannotBeReadChangesNothing) {
  writeFile(folder + "log.txt", "eins\r\nzwei");
  writeFile(folder + "busy.txt", "gesperrt");
  writeFile(folder + "gross.txt", std::string(document::maxOpenBytes + 1, 'x'));
  std::string emptyLines;
  for (int line = 0; line < 4 << 20; ++line) emptyLines += "\r\n";
  writeFile(folder + "zeilen.txt", emptyLines);
  HANDLE held = CreateFileA((folder + "busy.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE writer = CreateFileA((folder + "log.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_TRUE(held != INVALID_HANDLE_VALUE && writer != INVALID_HANDLE_VALUE);
  std::string message;
  DialogAnswerer failure(document::dialogTitle("Öffnen"), answerWith(IDOK, &message), 1000);
  startVelloro("velloro.exe " + folder + "log.txt");
  EXPECT_FALSE(failure.answered()) << message;
  EXPECT_EQ(documentNow(), documentAs("log.txt", " Geöffnet", "eins\rzwei", folder + "log.txt", 0));
  app::setStatusText(1, "vorher");
  const std::pair<std::string, std::string> cases[] = {
      {folder + "fehlt.txt", "Systemfehler"},
      {folder + "busy.txt", "Systemfehler"},
      {folder + "gross.txt", "Sie ist 33 MB groß; der Editor öffnet Dateien bis 32 MB."},
      {folder + "zeilen.txt", "Sie hat 4.194.305 Zeilen; bei 8 MB Größe öffnet der Editor Dateien mit bis zu "},
  };
  for (const auto& [path, reason] : cases) {
    ASSERT_TRUE(runAnswering(app::Open, "Öffnen", [&](HWND dialog) {
      chooseFile(path)(dialog);
      answerNext(dialog, document::dialogTitle("Öffnen"), answerWith(IDOK, &message));
    })) << path;
    EXPECT_EQ(message.rfind("Die Datei '" + path + "' konnte nicht geöffnet werden.\n\n", 0), 0u) << message;
    EXPECT_NE(message.find(reason), std::string::npos) << message;
    EXPECT_EQ(documentNow(), documentAs("log.txt", "vorher", "eins\rzwei", folder + "log.txt", 0)) << path;
  }
  CloseHandle(held);
  CloseHandle(writer);
}

// One character more than the platform takes, chosen in the Open dialog, dropped or named on the
// command line: refused with the path's length before anything is read, so the document stays as
// it was, or untitled at start-up.
TEST_F(VelloroTest, PathOneCharacterTooLongIsRefusedFromTheDialogADropAndTheCommandLine) {
  const std::string path = longFolder(folder) + "\\ab.txt";
  ASSERT_EQ(path.size(), document::maxPathLength + 1);
  writeFile(path, "zu lang");
  ASSERT_EQ(readFile(path), "zu lang");
  writeFile(folder + "a.txt", "alt");
  for (const std::string way : {"dialog", "drop", "command line"}) {
    SCOPED_TRACE(way);
    startVelloro("velloro.exe " + folder + "a.txt");
    std::string message;
    bool refused = false;
    if (way == "dialog") {
      runAnswering(app::Open, "Öffnen", [&](HWND dialog) {
        chooseFile(path)(dialog);
        refused = answerNext(dialog, document::dialogTitle("Öffnen"), answerWith(IDOK, &message));
      });
    } else {
      DialogAnswerer refusal(document::dialogTitle("Öffnen"), answerWith(IDOK, &message));
      if (way == "drop") {
        PostMessageA(state.mainWindowHandle, WM_DROPFILES, dropBlock(path + '\0'), 0);
        settle();
      } else {
        app::exitSequence();
        startVelloro("velloro.exe " + path);
      }
      refused = refusal.answered();
    }
    EXPECT_TRUE(refused);
    // The box shows the UTF-8 message; its text reads back in the code page.
    EXPECT_EQ(platform::utf8FromCp1252(message), document::pathTooLongMessage(path));
    EXPECT_EQ(documentNow(), way == "command line" ? documentAs("Unbenannt", "", "", "", 0)
                                                   : documentAs("a.txt", " Geöffnet", "alt", folder + "a.txt", 0));
    app::exitSequence();
  }
}

TEST_F(VelloroTest, ReadThatBreaksOffIsReportedAndLeavesAMarkedUntitledDocument) {
  // A pipe whose writer goes away after the first piece: the second read fails.
  const std::string pipeName = "\\\\.\\pipe\\velloro-bricht-ab-" + std::to_string(GetCurrentProcessId());
  HANDLE pipe =
      CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  std::thread writer([pipe] {
    ConnectNamedPipe(pipe, nullptr);
    DWORD written = 0;
    WriteFile(pipe, "Anfang", 6, &written, nullptr);
    FlushFileBuffers(pipe);  // returns once the reader has taken the bytes
    DisconnectNamedPipe(pipe);
    CloseHandle(pipe);
  });
  std::string message;
  DialogAnswerer failure(document::dialogTitle("Öffnen"), answerWith(IDOK, &message));
  startVelloro("velloro.exe " + pipeName);
  writer.join();
  ASSERT_TRUE(failure.answered());
  EXPECT_NE(message.find("'" + pipeName + "' konnte nicht vollständig gelesen werden"), std::string::npos) << message;
  EXPECT_EQ(documentNow(), documentAs("Unbenannt", " Ungespeichert", "Anfang", "", 1));
}

}  // namespace
