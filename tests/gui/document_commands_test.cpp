// New, Open, Save, Save As, Close and the command-line file on the real windows, with the prompts
// and file dialogs answered: what the user sees afterwards, and that a failure loses nothing.
#include <windows.h>

#include <string>
#include <thread>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/startup.h"
#include "app/status_bar.h"
#include "document/document_rules.h"
#include "document/document_state.h"
#include "document/titles.h"
#include "editor/editor_control.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

std::string titled(const char* purpose) { return document::dialogTitle(purpose); }

// A failure report: how it starts, and the system's reason after it.
void expectReport(const std::string& message, const std::string& start) {
  EXPECT_EQ(message.rfind(start, 0), 0u) << message;
  EXPECT_NE(message.find("Systemfehler"), std::string::npos) << message;
}

// The control reports edits when the focus moves.
void noticeEdits() {
  SetFocus(state.mainWindowHandle);
  SetFocus(state.editorHandle);
  settle();
}

TEST_F(VelloroTest, EditIsMarkedOnceAndSaveClearsTheMark) {
  const std::string path = folder + "a.txt";
  writeFile(path, "eins");
  startVelloro("velloro.exe " + path);
  typeIntoEditor("x");
  noticeEdits();
  EXPECT_EQ(documentNow(), documentAs("a.txt*", " Ungespeichert", "xeins", path, 1));
  // Marked once: later edits do not write the status again.
  app::setStatusText(1, "probe");
  typeIntoEditor("y");
  noticeEdits();
  EXPECT_EQ(app::statusText(1), "probe");
  runCommand(app::Save);
  noticeEdits();  // the control's own flag is cleared too
  EXPECT_EQ(documentNow(), documentAs("a.txt", " Gespeichert", "xyeins", path, 0));
  EXPECT_EQ(readFile(path), "xyeins");
}

TEST_F(VelloroTest, NewAndCloseEmptyTheDocumentWithTheirStatus) {
  const struct {
    app::CommandId command;
    bool named;
    const char* status;
  } cases[] = {{app::New, true, " Geschlossen"},
               {app::New, false, ""},
               {app::Close, true, " Geschlossen"},
               {app::Close, false, " Geschlossen"}};
  writeFile(folder + "a.txt", "text");
  for (const auto& c : cases) {
    startVelloro(c.named ? "velloro.exe " + folder + "a.txt" : "velloro.exe");
    setEditorText("text");
    editor::clearModifiedFlag();
    app::setStatusText(1, "vorher");
    runCommand(c.command);
    EXPECT_EQ(documentNow(), documentAs("Unbenannt", c.status, "", "", 0)) << c.command << " named " << c.named;
    app::exitSequence();
  }
  EXPECT_EQ(readFile(folder + "a.txt"), "text");
}

// Every way out without a completed save leaves the document, its mark, the focus and the file as
// they were: a cancelled dialog, "Nein" and then a cancelled dialog, "Ja" and then a failed save.
TEST_F(VelloroTest, CancelledOrFailedStepsChangeNothing) {
  const std::string path = folder + "ro.txt";
  writeFile(path, "alt");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  startVelloro("velloro.exe " + path);
  typeOver("neu");
  noticeEdits();
  const struct {
    app::CommandId command;
    const char* first;
    int button;
    const char* second;  // the window that follows the first, answered with its own button
    int secondButton;
  } cases[] = {{app::SaveAs, "Speichern unter", IDCANCEL, nullptr, 0},
               {app::Open, "Öffnen", IDNO, "Öffnen", IDCANCEL},
               {app::Close, "Schließen", IDYES, "Speichern", IDOK}};
  for (const auto& c : cases) {
    bool secondAnswered = c.second == nullptr;
    EXPECT_TRUE(runAnswering(c.command, c.first, [&](HWND window) {
      pressButton(window, c.button);
      if (c.second != nullptr) secondAnswered = answerNext(window, titled(c.second), answerWith(c.secondButton));
    }) && secondAnswered) << c.first;
    EXPECT_EQ(documentNow(), documentAs("ro.txt*", " Ungespeichert", "neu", path, 1)) << c.first;
    EXPECT_EQ(GetFocus(), state.editorHandle) << c.first;
  }
  EXPECT_EQ(readFile(path), "alt");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(VelloroTest, EveryByteFromBlankUpSurvivesOpenAndSaveAs) {
  std::string bytes = "ÄÖÜäöüß\r\n";
  for (int c = 0x20; c <= 0xFF; ++c) bytes += static_cast<char>(c);
  bytes += "\r\nzweite Zeile\r\n\r\nvierte";
  writeFile(folder + "in.txt", bytes);
  startVelloro();
  ASSERT_TRUE(runAnswering(app::Open, "Öffnen", chooseFile(folder + "in.txt")));
  ASSERT_TRUE(runAnswering(app::SaveAs, "Speichern unter", chooseFile(folder + "out.txt")));
  EXPECT_EQ(readFile(folder + "out.txt"), bytes);
  EXPECT_EQ(readFile(folder + "in.txt"), bytes);
}

// Save on an untitled document asks for a name as Save As does; ".txt" is added only for the text
// type; an existing file is replaced whole without a question, and an empty text gives no bytes.
TEST_F(VelloroTest, SaveAsNamesTheDocumentAndAddsTxtOnlyForTheTextType) {
  const struct {
    app::CommandId command;
    const char* typed;
    int type;
    const char* saved;
    const char* text;
  } cases[] = {{app::Save, "notiz", 0, "notiz.txt", "notiz"},
               {app::SaveAs, "roh", 3, "roh", "roh"},
               {app::SaveAs, "skript", 1, "skript", "skript"},
               {app::SaveAs, "leer", 3, "leer", ""}};
  writeFile(folder + "skript", "a much longer old text that must be gone completely");
  startVelloro();
  for (const auto& c : cases) {
    setEditorText(c.text);
    ASSERT_TRUE(runAnswering(c.command, "Speichern unter", chooseFile(folder + c.typed, c.type))) << c.typed;
    EXPECT_EQ(fileExists(folder + c.saved) ? readFile(folder + c.saved) : "<none>", c.text);
    EXPECT_EQ(documentNow(), documentAs(c.saved, " Gespeichert", c.text, folder + c.saved, 0));
    EXPECT_EQ(GetFocus(), state.editorHandle) << c.typed;
  }
}

// A save that cannot write is reported; the old file, the text and the mark stay, and no temporary
// file is left behind.
TEST_F(VelloroTest, FailedSaveIsReportedAndLosesNothing) {
  const struct {
    const char* name;
    const char* title;
    DWORD attributes;  // 0: the file does not exist
    bool heldOpen;     // by another program, without sharing
  } cases[] = {{"ro.txt", "ro.txt", FILE_ATTRIBUTE_READONLY, false},
               {"busy.txt", "busy.txt", FILE_ATTRIBUTE_NORMAL, true},
               {"fehlt\\neu.txt", "neu.txt", 0, false}};
  for (const auto& c : cases) {
    const std::string path = folder + c.name;
    if (c.attributes != 0) {
      writeFile(path, "alt");
      SetFileAttributesA(path.c_str(), c.attributes);
    }
    startVelloro("velloro.exe " + path);
    typeOver("neu");
    HANDLE held = c.heldOpen ? CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                             : INVALID_HANDLE_VALUE;
    ASSERT_EQ(held != INVALID_HANDLE_VALUE, c.heldOpen);
    std::string message;
    ASSERT_TRUE(runAnswering(app::Save, "Speichern", answerWith(IDOK, &message))) << c.name;
    if (c.heldOpen) CloseHandle(held);
    expectReport(message, "Die Datei '" + path + "' konnte nicht gespeichert werden.");
    EXPECT_EQ(documentNow(), documentAs(std::string(c.title) + "*", " Ungespeichert", "neu", path, 1));
    EXPECT_EQ(fileExists(path) ? readFile(path) : "<none>", c.attributes != 0 ? "alt" : "<none>") << c.name;
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA((folder + "*.tmp").c_str(), &found), INVALID_HANDLE_VALUE) << "a temporary file stayed";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    app::exitSequence();
  }
}

// Typing without a focus change is seen before a command drops the text: each command asks about
// this file under its own title, and "Abbrechen" keeps everything.
TEST_F(VelloroTest, CommandsThatDropTheTextAskFirst) {
  const struct {
    app::CommandId command;
    const char* purpose;
  } cases[] = {{app::Exit, "Beenden"}, {app::Close, "Schließen"}, {app::Open, "Öffnen"}, {app::New, "Neu"}};
  writeFile(folder + "a.txt", "alt");
  startVelloro("velloro.exe " + folder + "a.txt");
  for (const auto& c : cases) {
    document::markClean();
    typeIntoEditor("z");
    std::string text;
    ASSERT_TRUE(runAnswering(c.command, c.purpose, answerWith(IDCANCEL, &text))) << c.purpose;
    EXPECT_NE(text.find("Datei 'a.txt'"), std::string::npos) << text;
    EXPECT_EQ(exitCalls, 0);
    EXPECT_EQ(state.modifiedMarked, 1);
  }
  EXPECT_EQ(editorText(), "zzzzalt");
  EXPECT_EQ(readFile(folder + "a.txt"), "alt");
}

// Reported, and the document stays as it was, its line ends too.
TEST_F(VelloroTest, OpenOfAFileThatCannotBeReadChangesNothing) {
  writeFile(folder + "a.txt", "eins\nzwei");
  writeFile(folder + "busy.txt", "gesperrt");
  HANDLE held = CreateFileA((folder + "busy.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  startVelloro("velloro.exe " + folder + "a.txt");
  app::setStatusText(1, "vorher");
  for (const std::string& path : {folder + "fehlt.txt", folder + "busy.txt"}) {
    std::string message;
    ASSERT_TRUE(runAnswering(app::Open, "Öffnen", [&](HWND dialog) {
      answerFileDialog(dialog, path);
      answerNext(dialog, titled("Öffnen"), answerWith(IDOK, &message));
    })) << path;
    expectReport(message, "Die Datei '" + path + "' konnte nicht geöffnet werden.\n\n");
    EXPECT_EQ(documentNow(), documentAs("a.txt", "vorher", "eins\rzwei", folder + "a.txt", 0)) << path;
  }
  CloseHandle(held);
  select(1, 1);
  typeIntoEditor("X");
  runCommand(app::Save);
  EXPECT_EQ(readFile(folder + "a.txt"), "eXins\nzwei");
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
  DialogAnswerer failure(titled("Öffnen"), answerWith(IDOK, &message));
  startVelloro("velloro.exe " + pipeName);
  writer.join();
  ASSERT_TRUE(failure.answered());
  EXPECT_NE(message.find("'" + pipeName + "' konnte nicht vollständig gelesen werden"), std::string::npos) << message;
  EXPECT_EQ(documentNow(), documentAs("Unbenannt", " Ungespeichert", "Anfang", "", 1));
  // The partial text is not dropped or written anywhere without a question.
  EXPECT_TRUE(runAnswering(app::Close, "Schließen", answerWith(IDCANCEL)));
  EXPECT_EQ(editorText(), "Anfang");
}

// Loaded under its name; a missing file starts empty under its name and is not created; a name that
// is no file name is ignored; a file that cannot be read or a path that is too long is reported and
// left untitled.
TEST_F(VelloroTest, CommandLineFileOpensOrIsReported) {
  CreateDirectoryA((folder + "my notes").c_str(), nullptr);
  writeFile(folder + "my notes\\a b.txt", "mit Leerzeichen");
  CreateDirectoryA((folder + "ordner").c_str(), nullptr);
  const std::string longPath = folder + std::string(300 - folder.size(), 'l') + ".txt";
  const std::string untitled = documentAs("Unbenannt", "", "", "", 0);
  const struct {
    std::string argument;
    std::string message;  // how the report starts; empty: no report
    std::string document;
  } cases[] = {
      {"\"" + folder + "my notes\\a b.txt\"", "",
       documentAs("a b.txt", " Geöffnet", "mit Leerzeichen", folder + "my notes\\a b.txt", 0)},
      {folder + "neu.txt", "", documentAs("neu.txt", " Geöffnet", "", folder + "neu.txt", 0)},
      {folder, "", documentAs("Unbenannt", "", "", folder, 0)},
      {folder + "ordner", "Die Datei '" + folder + "ordner' konnte nicht geöffnet werden.", untitled},
      {longPath, document::pathTooLongMessage(longPath), untitled},
  };
  for (const auto& c : cases) {
    std::string message;
    DialogAnswerer report(titled("Öffnen"), answerWith(IDOK, &message), c.message.empty() ? 1500 : 10000);
    startVelloro("velloro.exe " + c.argument);
    EXPECT_EQ(report.answered(), !c.message.empty()) << c.argument;
    EXPECT_EQ(message.substr(0, c.message.size()), c.message);
    EXPECT_EQ(documentNow(), c.document);
    app::exitSequence();
  }
  EXPECT_FALSE(fileExists(folder + "neu.txt"));
}

}  // namespace
