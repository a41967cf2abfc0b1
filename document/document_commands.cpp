#include "document/document_commands.h"

#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "document/document_paths.h"
#include "document/document_rules.h"
#include "document/document_state.h"
#include "document/file_dialogs.h"
#include "document/recovery_copy.h"
#include "document/shell_calls.h"
#include "document/text_file_io.h"
#include "document/titles.h"
#include "document/work_progress.h"
#include "editor/editor_control.h"
#include "platform/modal_windows.h"
#include "platform/unicode_text.h"
#include "settings/settings.h"

namespace document {

namespace {

using app::state;

constexpr std::string_view openPurpose = "Öffnen";
constexpr std::string_view savePurpose = "Speichern";

void focusEditor() { SetFocus(state.editorHandle); }

bool refusedAsTooLong(std::string_view purpose, const std::string& path) {
  if (!pathTooLong(path)) return false;
  showFailure(purpose, pathTooLongMessage(path));
  return true;
}

// How far a long load or save is. Only the status bar is painted: the rest of the window waits
// until the work is done.
void showProgress(std::string_view verb, int percent) {
  setDocumentStatus(progressText(verb, percent));
  UpdateWindow(state.statusBar);
}
void showLoadProgress(int percent) { showProgress("Lädt", percent); }
void showSaveProgress(int percent) { showProgress("Speichert", percent); }

// Saves in the encoding given. Where ANSI cannot hold a character the user decides: UTF-8 from now
// on, ANSI with the character replaced, or no save at all.
SaveResult saveInEncoding(const std::string& path, TextEncoding& encoding) {
  SaveResult result = saveTextFile(path, state.lineEnds, encoding, false, showSaveProgress);
  if (!result.lostCharacters) return result;
  switch (askSaveFirst(savePurpose, platform::utf8FromProgramText(lostCharactersQuestion))) {
    case PromptAnswer::Yes:
      encoding = TextEncoding::Utf8;
      return saveTextFile(path, state.lineEnds, encoding, false, showSaveProgress);
    case PromptAnswer::No: return saveTextFile(path, state.lineEnds, encoding, true, showSaveProgress);
    case PromptAnswer::Cancel: break;
  }
  return result;
}

// On success the document takes the path and encoding and is clean. On failure nothing about it
// changes except that an edit not yet noticed is marked now: the text is not on disk.
bool writeDocument(const std::string& path, TextEncoding encoding) {
  std::string failure;
  bool cancelled = false;
  const std::string previousStatus = shellCalls().status();
  if (pathTooLong(path)) {
    failure = pathTooLongMessage(path);
  } else if (const SaveResult result = saveInEncoding(path, encoding); !result.saved) {
    cancelled = result.lostCharacters;
    if (!cancelled) failure = saveFailedMessage(path, systemReason(result.error));
  }
  if (cancelled || !failure.empty()) {
    setDocumentStatus(previousStatus);  // not a progress left standing
    checkModified();
    if (!cancelled) showFailure(savePurpose, failure);
    return false;
  }
  state.currentPath = path;
  state.encoding = encoding;
  setDocumentStatus(" Gespeichert");
  showDocumentTitle(false);
  showEncodingStatus();
  markClean();
  clearRecoveryCopy();
  return true;
}

bool saveAs() {
  TextEncoding encoding = state.encoding;
  const std::string chosen = showFileDialog(dialogTitle("Speichern unter"), pathPart(state.currentPath), saveAsFilter,
                                            initialTypeIndex, true, &encoding);
  if (chosen.empty()) {
    focusEditor();
    return false;
  }
  const bool saved = writeDocument(withDefaultExtension(chosen, selectedPattern()), encoding);
  focusEditor();
  return saved;
}

bool save() { return state.currentPath.empty() ? saveAs() : writeDocument(state.currentPath, state.encoding); }

// The control tells of edits only when the focus moves, so the check runs here first. True when
// the command may go on and drop the text.
bool mayDropText(PromptCommand command) {
  checkModified();
  if (state.modifiedMarked == 0) return true;
  const SavePrompt prompt = savePrompt(command, state.currentPath);
  const PromptAnswer answer = askSaveFirst(prompt.purpose, prompt.text);
  const bool saved = answer == PromptAnswer::Yes && save();
  return goesOnAfterPrompt(answer, saved);
}

void emptyDocumentText() {
  editor::clearAllText();
  state.lineEnds = LineEndStyle::CrLf;
  state.encoding = TextEncoding::Ansi;
  showEncodingStatus();
  markClean();
  clearRecoveryCopy();
}

// Streams the file in and brings path, title, status and mark in line with what happened.
void loadDocument(LoadSource source, const std::string path) {
  const std::string previousStatus = shellCalls().status();
  setDocumentStatus(" Lädt...");
  const LoadResult result = loadTextFile(path, showLoadProgress);
  const AfterLoad after = afterLoad(source, result.outcome);
  if (!after.changesDocument) {
    setDocumentStatus(previousStatus);
  } else {
    clearRecoveryCopy();
    state.lineEnds = result.lineEnds;
    state.encoding = result.encoding;
    showEncodingStatus();
    if (after.keepsPath) {
      state.currentPath = path;
      showDocumentTitle(false);
    } else {
      state.currentPath.clear();
      showUntitledTitle();
    }
    if (source == LoadSource::OpenDialog && result.outcome == LoadOutcome::Loaded) editor::moveCursorTo(1, 1);
    markClean();
    // A partial text must never replace the file unasked.
    if (after.marked) state.modifiedMarked = 1;
    setDocumentStatus(std::string(after.status));
  }
  focusEditor();
  if (after.reported) {
    const std::string reason =
        result.outcome != LoadOutcome::TooLarge ? systemReason(result.error)
        : result.lines > 0                      ? tooManyLinesReason(result.bytes, result.lines)
                                                : tooLargeReason(result.bytes);
    showFailure(openPurpose, result.outcome == LoadOutcome::BrokenOff ? readBrokenOffMessage(path, reason)
                                                                       : openFailedMessage(path, reason));
  }
}

}  // namespace

void newDocument() {
  if (!mayDropText(PromptCommand::New)) return;
  if (!state.currentPath.empty()) {
    showUntitledTitle();
    state.currentPath.clear();
    setDocumentStatus(" Geschlossen");
  } else {
    setDocumentStatus("");
  }
  emptyDocumentText();
}

void openDocument() {
  if (!mayDropText(PromptCommand::Open)) return;
  const std::string path =
      showFileDialog(dialogTitle(openPurpose), openDefaultPath, openFilter, initialTypeIndex, false);
  if (path.empty() || refusedAsTooLong(openPurpose, path)) {
    focusEditor();
    return;
  }
  loadDocument(LoadSource::OpenDialog, path);
}

void openDroppedFile(const std::string& path) {
  if (!mayDropText(PromptCommand::Open)) return;
  if (refusedAsTooLong(openPurpose, path)) {
    focusEditor();
    return;
  }
  loadDocument(LoadSource::OpenDialog, path);
}

void saveDocument() { save(); }

void saveDocumentAs() { saveAs(); }

void closeDocument() {
  if (!mayDropText(PromptCommand::Close)) return;
  focusEditor();
  showUntitledTitle();
  state.currentPath.clear();
  setDocumentStatus(" Geschlossen");
  emptyDocumentText();
}

void exitProgram() {
  if (!mayDropText(PromptCommand::Exit)) return;
  clearRecoveryCopy();
  settings::saveSettingsAtExit();
  shellCalls().exitSequence();
}

bool maySessionEnd() {
  checkModified();
  if (state.modifiedMarked == 0) return true;
  // A prompt on top of an open dialog would run a second save inside the first; the user finishes
  // that dialog and ends the session again.
  if (platform::modalWindowOpen()) return false;
  return mayDropText(PromptCommand::Exit);
}

void endSession() {
  clearRecoveryCopy();
  settings::saveSettingsAtExit();
  shellCalls().exitSequence();
}

void openCommandLineFile() {
  if (pathTooLong(state.currentPath)) {
    const std::string refused = std::move(state.currentPath);
    state.currentPath.clear();
    showFailure(openPurpose, pathTooLongMessage(refused));
    return;
  }
  loadDocument(LoadSource::CommandLine, state.currentPath);
}

}  // namespace document
