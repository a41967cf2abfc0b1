#include "app/insert_commands.h"

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <string>

#include "app/app_state.h"
#include "app/date_time_format.h"
#include "editor/editor_control.h"
#include "platform/modal_windows.h"
#include "platform/system_library.h"

namespace app {

namespace {

constexpr char htmlSkeleton[] = "<html>\r<head>\r  <title></title>\r</head>\r<body>\r\r</body>\r</html>";

// The colour dialog's own custom colours, kept for the program's run.
std::array<COLORREF, 16> customColours{};

void insertNow(const char* format) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  DateTime when{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  editor::insertText(formatDateTime(format, when).c_str());
}

// -1 when the dialog was cancelled.
int pickColour() {
  customColours[0] = RGB(0, 0, 0);
  CHOOSECOLORA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = platform::dialogOwner();
  dialog.rgbResult = RGB(0, 0, 0);
  dialog.lpCustColors = customColours.data();
  dialog.Flags = CC_RGBINIT;
  platform::DisabledProgramWindows disabled;
  return platform::showColourDialog(&dialog) ? static_cast<int>(dialog.rgbResult) : -1;
}

}  // namespace

void insertDate() { insertNow("%dd.%mm.%yyyy"); }
void insertTime() { insertNow("%hh:%ii"); }
void insertTimeSeconds() { insertNow("%hh:%ii:%ss"); }

void insertRgbColour() {
  state.pickedColour = pickColour();
  if (state.pickedColour == -1) return;
  auto colour = static_cast<COLORREF>(state.pickedColour);
  std::string text = std::to_string(GetRValue(colour)) + "," + std::to_string(GetGValue(colour)) + "," +
                     std::to_string(GetBValue(colour));
  editor::insertText(text.c_str());
}

void insertHtmlSkeleton() { editor::insertText(htmlSkeleton); }

}  // namespace app
