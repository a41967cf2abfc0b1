#include "app/command_dispatch.h"

#include <array>
#include <string>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/insert_commands.h"
#include "app/menus.h"
#include "app/small_tools.h"
#include "app/window_modes.h"
#include "app/word_wrap.h"
#include "document/document_commands.h"
#include "document/document_paths.h"
#include "document/document_state.h"
#include "document/printing.h"
#include "document/recovery_copy.h"
#include "document/rename_window.h"
#include "document/titles.h"
#include "editor/editor_control.h"
#include "editor/go_to_line.h"
#include "editor/search_window.h"
#include "settings/settings.h"

namespace app {

namespace {

void printCurrentDocument() {
  document::writeRecoveryCopyNow();  // the printer driver runs inside this process
  document::printDocument(state.currentPath.empty() ? std::string(document::untitledName)
                                                    : document::filePart(state.currentPath));
}

constexpr std::array<CommandHandler, lastCommandId + 1> handlers = [] {
  std::array<CommandHandler, lastCommandId + 1> table{};
  table[New] = document::newDocument;
  table[Open] = document::openDocument;
  table[Save] = document::saveDocument;
  table[SaveAs] = document::saveDocumentAs;
  table[Print] = printCurrentDocument;
  table[Close] = document::closeDocument;
  table[Exit] = document::exitProgram;
  table[Undo] = editor::undo;
  table[Redo] = editor::redo;
  table[Cut] = editor::cut;
  table[Copy] = editor::copy;
  table[Paste] = editor::paste;
  table[SelectAll] = editor::selectAllText;
  table[GoToLine] = editor::goToLine;
  table[WordWrap] = toggleWordWrap;
  table[InsertDate] = insertDate;
  table[InsertTime] = insertTime;
  table[InsertTimeSeconds] = insertTimeSeconds;
  table[InsertRgbColour] = insertRgbColour;
  table[Calculator] = startCalculator;
  table[CharacterMap] = startCharacterMap;
  table[SettingsNote] = showSettingsNote;
  table[About] = showAboutWindow;
  table[Delete] = editor::deleteSelection;
  table[RestoreSettings] = settings::restoreDefaultSettings;
  table[Transparency] = toggleTransparency;
  table[MinimizeToTray] = toggleMinimizeToTray;
  table[AlwaysOnTop] = toggleAlwaysOnTop;
  table[InsertHtmlSkeleton] = insertHtmlSkeleton;
  table[RestoreFromTray] = restoreFromTray;
  table[SaveSettings] = settings::saveSettings;
  table[Rename] = document::openRenameWindow;
  table[Find] = editor::openSearchWindow;
  table[FindNext] = editor::findNext;
  return table;
}();

}  // namespace

CommandHandler commandHandler(unsigned commandId) {
  return commandId < handlers.size() ? handlers[commandId] : nullptr;
}

void dispatchCommand(unsigned commandId) {
  if (CommandHandler handler = commandHandler(commandId)) handler();
}

void closeRequested(WindowNumber window) {
  switch (window) {
    case WindowNumber::Main: document::exitProgram(); break;
    case WindowNumber::Search: editor::closeSearchWindow(); break;
    case WindowNumber::Rename: document::closeRenameWindow(); break;
    default: break;
  }
}

void fileDropped(const std::string& path) { document::openDroppedFile(path); }

bool sessionEndQueried() { return document::maySessionEnd(); }

void sessionEnds() { document::endSession(); }

void trayAction(unsigned type) {
  if (type == 2) restoreFromTray();
  if (type == 1) showPopupMenu(state.trayMenu);
}

void controlNotified(int control, unsigned /*code*/) {
  switch (control) {
    case editorControlId: document::checkModified(); break;
    case searchCloseButtonId: editor::closeSearchWindow(); break;
    case searchNextButtonId: editor::searchFromWindow(); break;
    case renameCancelButtonId: document::closeRenameWindow(); break;
    case renameOkButtonId: document::confirmRename(); break;
    default: break;
  }
}

}  // namespace app
