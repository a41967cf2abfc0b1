#pragma once
// Control identifiers and private message numbers shared by the windows of the program.

namespace app {

// Control identifiers; a control's number is also its identifier in WM_COMMAND.
constexpr int editorControlId = 1;
constexpr int statusBarId = 101;  // the status bar and toolbar are told apart by handle, not number
constexpr int toolbarId = 100;

constexpr int aboutBannerId = 0;
constexpr int aboutNoticeId = 2;
constexpr int printProgressTextId = 2;

constexpr int searchCloseButtonId = 3;
constexpr int searchNextButtonId = 4;
constexpr int searchFieldId = 5;
constexpr int searchLabelId = 6;
constexpr int searchDirectionGroupId = 7;
constexpr int searchUpwardOptionId = 8;
constexpr int searchDownwardOptionId = 9;

constexpr int renameCancelButtonId = 10;
constexpr int renameOkButtonId = 11;
constexpr int renamePathFieldId = 12;
constexpr int renameLabelId = 13;

// Message that the notification-area icon sends to the main window.
constexpr unsigned trayCallbackMessage = 0x30D5;

// Event kinds of the main loop.
enum class EventKind : unsigned {
  Size = 5,
  Close = 16,
  RightButtonDown = 516,
  Control = 13100,
  Menu = 13101,
  Tray = 13102,
};

// Window numbers as events name them.
enum class WindowNumber : int { Main = 0, AboutOrProgress = 1, Search = 2, Rename = 3, Other = -1 };

}  // namespace app
