// New, Open, Save, Save As, Close, Exit and the command-line file, run on the real windows with
// the real prompts and file dialogs answered.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/object_ids.h"
#include "app/startup.h"
#include "app/status_bar.h"
#include "document/document_state.h"
#include "document/titles.h"
#include "editor/editor_control.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

const std::string untitledTitle = "Velloro v2.0 Beta 3  -  Unbenannt";
std::string namedTitle(const std::string& name) { return "Velloro v2.0 Beta 3  -  " + name; }

std::string title() { return windowText(state.mainWindowHandle); }
std::string status() { return app::statusText(1); }

// The control reports edits when it loses or regains the focus.
void noticeEdits() {
  SetFocus(state.mainWindowHandle);
  SetFocus(state.editorHandle);
  settle();
}

void run(app::CommandId command) {
  app::dispatchCommand(command);
  settle();
}

// Answers a message box with a button and keeps its text.
struct BoxAnswer {
  std::shared_ptr<std::string> text = std::make_shared<std::string>();
  std::function<void(HWND)> press(int button) const {
    return [text = text, button](HWND box) {
      *text = dialogMessage(box);
      pressButton(box, button);
    };
  }
};

std::function<void(HWND)> chooseFile(const std::string& path, int typeIndex = -1) {
  return [path, typeIndex](HWND dialog) { answerFileDialog(dialog, path, typeIndex); };
}

std::function<void(HWND)> press(int button) {
  return [button](HWND dialog) { pressButton(dialog, button); };
}

std::string purposeTitle(const char* purpose) { return document::dialogTitle(purpose); }

bool folderHasOnly(const std::string& folder, std::initializer_list<std::string> names) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names.size() == 0;
  std::size_t count = 0;
  bool onlyExpected = true;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    ++count;
    bool expected = false;
    for (const std::string& n : names) expected = expected || n == name;
    if (!expected) {
      ADD_FAILURE() << "unexpected file " << name;
      onlyExpected = false;
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return onlyExpected && count == names.size();
}

// ---- Title and status follow the document ----

TEST_F(VelloroTest, UntitledEditMarksTheDocumentButKeepsTheUntitledTitle) {
  startVelloro();
  EXPECT_EQ(title(), untitledTitle);
  EXPECT_EQ(status(), "");
  typeIntoEditor("abc");
  EXPECT_EQ(state.modifiedMarked, 0) << "the control tells of edits only when the focus moves";
  noticeEdits();
  EXPECT_EQ(state.modifiedMarked, 1);
  EXPECT_EQ(status(), " Ungespeichert");
  EXPECT_EQ(title(), untitledTitle);
}

TEST_F(VelloroTest, NamedEditShowsTheMarkOnceUntilSaved) {
  writeFile(folder + "a.txt", "eins");
  startVelloro("velloro.exe " + folder + "a.txt");
  EXPECT_EQ(title(), namedTitle("a.txt"));
  EXPECT_EQ(status(), " Geöffnet");
  EXPECT_EQ(editorText(), "eins");
  EXPECT_EQ(GetFocus(), state.editorHandle);

  typeIntoEditor("x");
  noticeEdits();
  EXPECT_EQ(title(), namedTitle("a.txt*"));
  EXPECT_EQ(status(), " Ungespeichert");
  // Marked once: later edits do not write the status again.
  app::setStatusText(1, "probe");
  typeIntoEditor("y");
  noticeEdits();
  EXPECT_EQ(status(), "probe");

  run(app::Save);
  EXPECT_EQ(title(), namedTitle("a.txt"));
  EXPECT_EQ(status(), " Gespeichert");
  EXPECT_EQ(state.modifiedMarked, 0);
  EXPECT_FALSE(editor::readModifiedFlag());
  EXPECT_EQ(readFile(folder + "a.txt"), "xyeins");
}

TEST_F(VelloroTest, NewAndCloseEmptyTheDocumentWithTheirStatus) {
  struct Case {
    app::CommandId command;
    bool named;
    const char* status;
  } cases[] = {
      {app::New, true, " Geschlossen"},
      {app::New, false, ""},
      {app::Close, true, " Geschlossen"},
      {app::Close, false, " Geschlossen"},
  };
  writeFile(folder + "a.txt", "text");
  for (const Case& c : cases) {
    startVelloro(c.named ? "velloro.exe " + folder + "a.txt" : "velloro.exe");
    setEditorText("text");
    editor::clearModifiedFlag();
    app::setStatusText(1, "before");
    run(c.command);
    EXPECT_EQ(title(), untitledTitle) << c.command << " " << c.named;
    EXPECT_EQ(status(), c.status) << c.command << " " << c.named;
    EXPECT_EQ(editorText(), "");
    EXPECT_EQ(state.currentPath, "");
    EXPECT_EQ(state.modifiedMarked, 0);
    app::exitSequence();
  }
  EXPECT_EQ(readFile(folder + "a.txt"), "text");
}

TEST_F(VelloroTest, CancelledDialogsChangeNothingButTheFocus) {
  writeFile(folder + "a.txt", "eins");
  startVelloro("velloro.exe " + folder + "a.txt");
  typeIntoEditor("x");
  noticeEdits();
  auto expectUnchanged = [&](const char* command) {
    EXPECT_EQ(title(), namedTitle("a.txt*")) << command;
    EXPECT_EQ(status(), " Ungespeichert") << command;
    EXPECT_EQ(state.currentPath, folder + "a.txt") << command;
    EXPECT_EQ(state.modifiedMarked, 1) << command;
    EXPECT_EQ(editorText(), "xeins") << command;
    EXPECT_EQ(GetFocus(), state.editorHandle) << command;
  };

  DialogAnswerer cancelSaveAs(purposeTitle("Speichern unter"), press(IDCANCEL));
  run(app::SaveAs);
  ASSERT_TRUE(cancelSaveAs.answered());
  expectUnchanged("Save As");

  // Open on a marked document asks first: No, then cancel the dialog.
  std::atomic<bool> dialogCancelled{false};
  DialogAnswerer promptThenCancel(purposeTitle("Öffnen"), [&](HWND box) {
    pressButton(box, IDNO);
    dialogCancelled = answerNext(box, purposeTitle("Öffnen"), press(IDCANCEL));
  });
  run(app::Open);
  ASSERT_TRUE(promptThenCancel.answered());
  EXPECT_TRUE(dialogCancelled);
  expectUnchanged("Open");
}

// ---- Loading and saving ----

TEST_F(VelloroTest, EmptyTextSavesAsZeroBytesAndLoadsBackEmpty) {
  writeFile(folder + "e.txt", "old contents");
  startVelloro("velloro.exe " + folder + "e.txt");
  setEditorText("");
  run(app::Save);
  EXPECT_TRUE(fileExists(folder + "e.txt"));
  EXPECT_EQ(readFile(folder + "e.txt"), "");
  app::exitSequence();
  startVelloro("velloro.exe " + folder + "e.txt");
  EXPECT_EQ(editorText(), "");
  EXPECT_EQ(status(), " Geöffnet");
}

TEST_F(VelloroTest, EveryByteFromBlankUpAndTheUmlautsSurviveOpenAndSaveAs) {
  std::string bytes = "ÄÖÜäöüß\r\n";
  for (int c = 0x20; c <= 0xFF; ++c) bytes += static_cast<char>(c);
  bytes += "\r\nzweite Zeile\r\n\r\nvierte";
  writeFile(folder + "in.txt", bytes);
  startVelloro();
  DialogAnswerer open(purposeTitle("Öffnen"), chooseFile(folder + "in.txt"));
  run(app::Open);
  ASSERT_TRUE(open.answered());
  EXPECT_EQ(title(), namedTitle("in.txt"));
  EXPECT_EQ(status(), " Geöffnet");
  EXPECT_EQ(editor::cursorLine(), 1);
  EXPECT_EQ(editor::cursorColumn(), 1);
  DialogAnswerer save(purposeTitle("Speichern unter"), chooseFile(folder + "out.txt"));
  run(app::SaveAs);
  ASSERT_TRUE(save.answered());
  EXPECT_EQ(readFile(folder + "out.txt"), bytes);
  EXPECT_EQ(title(), namedTitle("out.txt"));
  EXPECT_EQ(state.currentPath, folder + "out.txt");
  EXPECT_EQ(readFile(folder + "in.txt"), bytes);
}

TEST_F(VelloroTest, SaveWritesTheControlsLineEndsAndEndsWhereTheTextEnds) {
  writeFile(folder + "a.txt", std::string(5000, 'o'));
  startVelloro("velloro.exe " + folder + "a.txt");
  setEditorText("");
  typeIntoEditor("ab\ncd");
  run(app::Save);
  EXPECT_EQ(readFile(folder + "a.txt"), "ab\r\ncd");
  EXPECT_TRUE(folderHasOnly(folder, {"a.txt"})) << "the temporary file must not stay behind";
}

TEST_F(VelloroTest, SaveAsAppendsTxtOnlyForTheTextType) {
  struct Case {
    const char* typed;
    int type;
    const char* saved;
  } cases[] = {
      {"notiz", 0, "notiz.txt"}, {"Notiz.TXT", 0, "Notiz.TXT.txt"}, {"fertig.txt", 0, "fertig.txt"},
      {"roh", 3, "roh"},         {"skript", 1, "skript"},
  };
  startVelloro();
  for (const Case& c : cases) {
    setEditorText(c.typed);
    DialogAnswerer save(purposeTitle("Speichern unter"), chooseFile(folder + c.typed, c.type));
    run(app::SaveAs);
    ASSERT_TRUE(save.answered()) << c.typed;
    EXPECT_EQ(state.currentPath, folder + c.saved) << c.typed;
    EXPECT_EQ(readFile(folder + c.saved), c.typed) << c.typed;
    EXPECT_EQ(title(), namedTitle(c.saved));
  }
}

TEST_F(VelloroTest, SaveAsReplacesAnExistingFileWithoutAQuestion) {
  writeFile(folder + "da.txt", "a much longer old text that must be gone completely");
  startVelloro();
  setEditorText("neu");
  DialogAnswerer save(purposeTitle("Speichern unter"), chooseFile(folder + "da.txt"));
  run(app::SaveAs);
  ASSERT_TRUE(save.answered());
  EXPECT_EQ(readFile(folder + "da.txt"), "neu");
  EXPECT_EQ(status(), " Gespeichert");
  EXPECT_EQ(GetFocus(), state.editorHandle);
}

TEST_F(VelloroTest, SaveOnAnUntitledDocumentAsksForAName) {
  startVelloro();
  setEditorText("x");
  DialogAnswerer save(purposeTitle("Speichern unter"), chooseFile(folder + "u.txt"));
  run(app::Save);
  ASSERT_TRUE(save.answered());
  EXPECT_EQ(readFile(folder + "u.txt"), "x");
  EXPECT_EQ(title(), namedTitle("u.txt"));
}

// ---- A failed save is reported and loses nothing ----

void expectFailedSaveReported(const std::string& path, const std::string& oldBytes, const std::string& name) {
  BoxAnswer box;
  DialogAnswerer failure(purposeTitle("Speichern"), box.press(IDOK));
  run(app::Save);
  ASSERT_TRUE(failure.answered()) << "no failure message";
  EXPECT_NE(box.text->find("'" + path + "' konnte nicht gespeichert werden"), std::string::npos) << *box.text;
  EXPECT_NE(box.text->find("Systemfehler"), std::string::npos) << *box.text;
  if (!oldBytes.empty()) {
    EXPECT_EQ(readFile(path), oldBytes);
  }
  EXPECT_EQ(title(), namedTitle(name + "*"));
  EXPECT_EQ(status(), " Ungespeichert");
  EXPECT_EQ(state.modifiedMarked, 1);
  EXPECT_EQ(editorText(), "neu");
}

TEST_F(VelloroTest, SaveIntoAReadOnlyFileIsReportedAndKeepsTheOldBytes) {
  const std::string path = folder + "ro.txt";
  writeFile(path, "alt");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  startVelloro("velloro.exe " + path);
  typeOver("neu");
  expectFailedSaveReported(path, "alt", "ro.txt");
  EXPECT_TRUE(folderHasOnly(folder, {"ro.txt"}));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(VelloroTest, SaveOntoAFileHeldOpenWithoutSharingIsReportedAndKeepsTheOldBytes) {
  const std::string path = folder + "busy.txt";
  writeFile(path, "alt");
  startVelloro("velloro.exe " + path);
  typeOver("neu");
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  expectFailedSaveReported(path, "", "busy.txt");
  CloseHandle(held);
  EXPECT_EQ(readFile(path), "alt");
  EXPECT_TRUE(folderHasOnly(folder, {"busy.txt"}));
}

TEST_F(VelloroTest, SaveIntoAFolderThatDoesNotExistIsReported) {
  const std::string path = folder + "fehlt\\neu.txt";
  startVelloro("velloro.exe " + path);
  EXPECT_EQ(title(), namedTitle("neu.txt"));
  typeOver("neu");
  expectFailedSaveReported(path, "", "neu.txt");
  EXPECT_FALSE(fileExists(path));
}

// ---- The prompts see every edit, and "Ja" means saved ----

TEST_F(VelloroTest, TypingThenACommandThatDropsTheTextAsksFirst) {
  struct Case {
    app::CommandId command;
    const char* purpose;
  } cases[] = {{app::Exit, "Beenden"}, {app::Close, "Schließen"}, {app::Open, "Öffnen"}, {app::New, "Neu"}};
  startVelloro();
  for (const Case& c : cases) {
    document::markClean();
    typeIntoEditor("z");  // no focus change: the control has not reported it
    DialogAnswerer prompt(purposeTitle(c.purpose), press(IDCANCEL));
    run(c.command);
    EXPECT_TRUE(prompt.answered()) << c.purpose;
    EXPECT_EQ(exitCalls, 0);
    EXPECT_EQ(state.modifiedMarked, 1);
  }
  EXPECT_EQ(editorText(), "zzzz");
}

TEST_F(VelloroTest, ExitAfterTypingAnsweredNoEndsWithoutSaving) {
  writeFile(folder + "a.txt", "alt");
  startVelloro("velloro.exe " + folder + "a.txt");
  typeIntoEditor("neu");
  BoxAnswer box;
  DialogAnswerer prompt(purposeTitle("Beenden"), box.press(IDNO));
  run(app::Exit);
  ASSERT_TRUE(prompt.answered());
  EXPECT_EQ(*box.text, "Möchten Sie vor dem Beenden die Datei 'a.txt' speichern?");
  EXPECT_EQ(exitCalls, 1);
  EXPECT_EQ(lastExitCode, 0u);
  EXPECT_EQ(readFile(folder + "a.txt"), "alt");
}

TEST_F(VelloroTest, CloseBoxOfTheMainWindowAsksLikeExit) {
  startVelloro();
  typeIntoEditor("neu");
  BoxAnswer box;
  DialogAnswerer prompt(purposeTitle("Beenden"), box.press(IDCANCEL));
  SendMessageA(state.mainWindowHandle, WM_CLOSE, 0, 0);
  settle();
  ASSERT_TRUE(prompt.answered());
  EXPECT_EQ(*box.text, "Möchten Sie vor dem Beenden die Datei 'Unbenannt' speichern?");
  EXPECT_EQ(exitCalls, 0);
  EXPECT_TRUE(IsWindow(state.mainWindowHandle));
}

TEST_F(VelloroTest, YesThenCancellingSaveAsStopsTheCommand) {
  struct Case {
    app::CommandId command;
    const char* purpose;
  } cases[] = {{app::Close, "Schließen"}, {app::Exit, "Beenden"}, {app::New, "Neu"}, {app::Open, "Öffnen"}};
  startVelloro();
  typeIntoEditor("bleibt");
  for (const Case& c : cases) {
    DialogAnswerer prompt(purposeTitle(c.purpose), press(IDYES));
    DialogAnswerer saveAs(purposeTitle("Speichern unter"), press(IDCANCEL));
    run(c.command);
    EXPECT_TRUE(prompt.answered()) << c.purpose;
    EXPECT_TRUE(saveAs.answered()) << c.purpose;
    EXPECT_EQ(editorText(), "bleibt") << c.purpose;
    EXPECT_EQ(state.modifiedMarked, 1) << c.purpose;
    EXPECT_EQ(exitCalls, 0) << c.purpose;
  }
}

TEST_F(VelloroTest, YesWithAFailedSaveStopsTheCommand) {
  const std::string path = folder + "ro.txt";
  writeFile(path, "alt");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  startVelloro("velloro.exe " + path);
  typeOver("neu");
  DialogAnswerer prompt(purposeTitle("Schließen"), press(IDYES));
  DialogAnswerer failure(purposeTitle("Speichern"), press(IDOK));
  run(app::Close);
  EXPECT_TRUE(prompt.answered());
  EXPECT_TRUE(failure.answered());
  EXPECT_EQ(editorText(), "neu");
  EXPECT_EQ(state.currentPath, path);
  EXPECT_EQ(title(), namedTitle("ro.txt*"));
  EXPECT_EQ(readFile(path), "alt");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(VelloroTest, YesSavesBeforeTheCommandGoesOn) {
  writeFile(folder + "a.txt", "alt");
  startVelloro("velloro.exe " + folder + "a.txt");
  typeOver("neu");
  BoxAnswer box;
  DialogAnswerer prompt(purposeTitle("Neu"), box.press(IDYES));
  run(app::New);
  ASSERT_TRUE(prompt.answered());
  EXPECT_EQ(*box.text, "Möchten Sie die Datei 'a.txt' speichern, bevor ein neues Dokument angelegt wird?");
  EXPECT_EQ(readFile(folder + "a.txt"), "neu");
  EXPECT_EQ(editorText(), "");
  EXPECT_EQ(title(), untitledTitle);
  EXPECT_EQ(status(), " Geschlossen");
}

TEST_F(VelloroTest, NewOnAModifiedUntitledDocumentAsksAndNoDropsTheText) {
  startVelloro();
  typeOver("weg");
  BoxAnswer box;
  DialogAnswerer prompt(purposeTitle("Neu"), box.press(IDNO));
  run(app::New);
  ASSERT_TRUE(prompt.answered());
  EXPECT_EQ(*box.text, "Möchten Sie die Datei 'Unbenannt' speichern, bevor ein neues Dokument angelegt wird?");
  EXPECT_EQ(editorText(), "");
  EXPECT_EQ(state.modifiedMarked, 0);
  EXPECT_EQ(status(), "");
}

TEST_F(VelloroTest, ClosePromptNamesOnlyTheFilePart) {
  writeFile(folder + "a.txt", "alt");
  startVelloro("velloro.exe " + folder + "a.txt");
  typeIntoEditor("x");
  BoxAnswer box;
  DialogAnswerer prompt(purposeTitle("Schließen"), box.press(IDCANCEL));
  run(app::Close);
  ASSERT_TRUE(prompt.answered());
  EXPECT_EQ(*box.text, "Möchten Sie die Datei 'a.txt' vor dem Schließen speichern?");
  EXPECT_EQ(editorText(), "xalt");
  EXPECT_EQ(title(), namedTitle("a.txt*"));
}

// ---- Opening a file that cannot be read changes nothing ----

TEST_F(VelloroTest, OpenOfAFileThatCannotBeReadIsReportedAndChangesNothing) {
  writeFile(folder + "a.txt", "eins");
  writeFile(folder + "busy.txt", "gesperrt");
  struct Case {
    std::string path;
  } cases[] = {{folder + "fehlt.txt"}, {folder + "busy.txt"}};
  HANDLE held = CreateFileA((folder + "busy.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  startVelloro("velloro.exe " + folder + "a.txt");
  app::setStatusText(1, "vorher");
  for (const Case& c : cases) {
    BoxAnswer box;
    DialogAnswerer open(purposeTitle("Öffnen"), [&](HWND dialog) {
      answerFileDialog(dialog, c.path);
      answerNext(dialog, purposeTitle("Öffnen"), box.press(IDOK));
    });
    run(app::Open);
    ASSERT_TRUE(open.answered()) << c.path;
    EXPECT_EQ(box.text->rfind("Die Datei '" + c.path + "' konnte nicht geöffnet werden.\n\n", 0), 0u) << *box.text;
    EXPECT_NE(box.text->find("Systemfehler"), std::string::npos) << *box.text;
    EXPECT_EQ(editorText(), "eins") << c.path;
    EXPECT_EQ(state.currentPath, folder + "a.txt") << c.path;
    EXPECT_EQ(title(), namedTitle("a.txt")) << c.path;
    EXPECT_EQ(status(), "vorher") << c.path;
    EXPECT_EQ(state.modifiedMarked, 0) << c.path;
  }
  CloseHandle(held);
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
  BoxAnswer box;
  DialogAnswerer failure(purposeTitle("Öffnen"), box.press(IDOK));
  startVelloro("velloro.exe " + pipeName);
  writer.join();
  ASSERT_TRUE(failure.answered());
  EXPECT_NE(box.text->find("'" + pipeName + "' konnte nicht vollständig gelesen werden"), std::string::npos)
      << *box.text;
  EXPECT_EQ(editorText(), "Anfang");
  EXPECT_EQ(state.currentPath, "");
  EXPECT_EQ(title(), untitledTitle);
  EXPECT_EQ(state.modifiedMarked, 1);
  EXPECT_EQ(status(), " Ungespeichert");
  // The partial text is not dropped or written anywhere without a question.
  DialogAnswerer prompt(purposeTitle("Schließen"), press(IDCANCEL));
  run(app::Close);
  EXPECT_TRUE(prompt.answered());
  EXPECT_EQ(editorText(), "Anfang");
}

// ---- The command-line file ----

TEST_F(VelloroTest, CommandLineOpensAQuotedPathWithBlanks) {
  CreateDirectoryA((folder + "my notes").c_str(), nullptr);
  const std::string path = folder + "my notes\\a b.txt";
  writeFile(path, "mit Leerzeichen");
  startVelloro("velloro.exe \"" + path + "\"");
  EXPECT_EQ(state.currentPath, path);
  EXPECT_EQ(title(), namedTitle("a b.txt"));
  EXPECT_EQ(status(), " Geöffnet");
  EXPECT_EQ(editorText(), "mit Leerzeichen");
  EXPECT_FALSE(editor::readModifiedFlag());
  EXPECT_EQ(state.modifiedMarked, 0);
}

TEST_F(VelloroTest, CommandLineFileThatDoesNotExistStartsAnEmptyDocumentUnderItsName) {
  const std::string path = folder + "neu.txt";
  DialogAnswerer noBox(purposeTitle("Öffnen"), press(IDOK), 1500);
  startVelloro("velloro.exe " + path);
  EXPECT_FALSE(noBox.answered());
  EXPECT_EQ(state.currentPath, path);
  EXPECT_EQ(title(), namedTitle("neu.txt"));
  EXPECT_EQ(status(), " Geöffnet");
  EXPECT_EQ(editorText(), "");
  EXPECT_FALSE(fileExists(path));
  typeIntoEditor("erster Satz");
  run(app::Save);
  EXPECT_EQ(readFile(path), "erster Satz");
}

TEST_F(VelloroTest, CommandLineArgumentsThatNameNoFileOpenNothing) {
  struct Case {
    std::string argument;
  } cases[] = {{folder}, {folder + "was?.txt"}};
  for (const Case& c : cases) {
    DialogAnswerer noBox(purposeTitle("Öffnen"), press(IDOK), 1000);
    startVelloro("velloro.exe " + c.argument);
    EXPECT_FALSE(noBox.answered()) << c.argument;
    EXPECT_EQ(state.currentPath, c.argument);
    EXPECT_EQ(title(), untitledTitle) << c.argument;
    EXPECT_EQ(status(), "") << c.argument;
    app::exitSequence();
  }
}

TEST_F(VelloroTest, CommandLineFileThatExistsButCannotBeReadIsReportedAndLeftUntitled) {
  CreateDirectoryA((folder + "ordner").c_str(), nullptr);
  writeFile(folder + "busy.txt", "gesperrt");
  HANDLE held = CreateFileA((folder + "busy.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  for (const std::string& path : {folder + "ordner", folder + "busy.txt"}) {
    BoxAnswer box;
    DialogAnswerer failure(purposeTitle("Öffnen"), box.press(IDOK));
    startVelloro("velloro.exe " + path);
    ASSERT_TRUE(failure.answered()) << path;
    EXPECT_EQ(box.text->rfind("Die Datei '" + path + "' konnte nicht geöffnet werden.", 0), 0u) << *box.text;
    EXPECT_EQ(state.currentPath, "") << path;
    EXPECT_EQ(title(), untitledTitle) << path;
    EXPECT_EQ(editorText(), "");
    EXPECT_EQ(state.modifiedMarked, 0);
    app::exitSequence();
  }
  CloseHandle(held);
}

TEST_F(VelloroTest, OverlongPathsAreRefusedNotCut) {
  const std::string longPath = folder + std::string(300 - folder.size(), 'l') + ".txt";
  BoxAnswer box;
  DialogAnswerer refused(purposeTitle("Öffnen"), box.press(IDOK));
  startVelloro("velloro.exe " + longPath);
  ASSERT_TRUE(refused.answered());
  EXPECT_NE(box.text->find("zu lang"), std::string::npos) << *box.text;
  EXPECT_NE(box.text->find(longPath), std::string::npos);
  EXPECT_EQ(state.currentPath, "");
  EXPECT_EQ(title(), untitledTitle);
}

}  // namespace
