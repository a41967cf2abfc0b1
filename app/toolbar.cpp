#include "app/toolbar.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/object_ids.h"

namespace app {

namespace {

struct ToolbarButton {
  unsigned id;  // 0: separator
  int image;
  const char* tooltip;
};

constexpr ToolbarButton buttons[] = {
    {New, STD_FILENEW, "Neu (Strg+N)"},
    {Open, STD_FILEOPEN, "Öffnen (Strg+O)"},
    {Save, STD_FILESAVE, "Speichern (Strg+S)"},
    {0, 0, nullptr},
    {Close, STD_DELETE, "Schließen (Strg+W)"},
    {0, 0, nullptr},
    {Undo, STD_UNDO, "Rückgängig (Strg+Z)"},
    {Redo, STD_REDOW, "Wiederholen (Strg+Y)"},
    {0, 0, nullptr},
    {Cut, STD_CUT, "Ausschneiden (Strg+X)"},
    {Copy, STD_COPY, "Kopieren (Strg+C)"},
    {Paste, STD_PASTE, "Einfügen (Strg+V)"},
};

void attachTooltip(HWND toolbar, HWND tooltips, const ToolbarButton& button) {
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.hwnd = toolbar;
  tool.uId = button.id;
  tool.hinst = nullptr;
  tool.lpszText = const_cast<char*>(button.tooltip);
  // The toolbar registers a tool per button itself; give it our text, or add the tool if it is missing.
  TOOLINFOA existing = tool;
  existing.lpszText = nullptr;
  if (SendMessageA(tooltips, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&existing))) {
    SendMessageA(tooltips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    SendMessageA(toolbar, TB_GETITEMRECT,
                 static_cast<WPARAM>(SendMessageA(toolbar, TB_COMMANDTOINDEX, button.id, 0)),
                 reinterpret_cast<LPARAM>(&tool.rect));
    tool.uFlags = TTF_SUBCLASS;
    SendMessageA(tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

}  // namespace

const char* toolbarTooltip(unsigned commandId) {
  for (const ToolbarButton& button : buttons) {
    if (button.id != 0 && button.id == commandId) return button.tooltip;
  }
  return nullptr;
}

void createToolbar(HWND mainWindow) {
  HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                                 WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, 0, 0, 0, 0, mainWindow,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(toolbarId)), state.instance, nullptr);
  state.toolbar = toolbar;
  if (toolbar == nullptr) return;
  SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

  TBADDBITMAP standardImages{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
  auto firstImage = static_cast<int>(SendMessageA(toolbar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standardImages)));

  TBBUTTON entries[std::size(buttons)] = {};
  for (std::size_t i = 0; i < std::size(buttons); ++i) {
    if (buttons[i].id == 0) {
      entries[i].fsStyle = BTNS_SEP;
    } else {
      entries[i].iBitmap = firstImage + buttons[i].image;
      entries[i].idCommand = static_cast<int>(buttons[i].id);
      entries[i].fsState = TBSTATE_ENABLED;
      entries[i].fsStyle = BTNS_BUTTON;
    }
    entries[i].iString = -1;
  }
  SendMessageA(toolbar, TB_ADDBUTTONSA, std::size(entries), reinterpret_cast<LPARAM>(entries));
  SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);

  HWND tooltips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
  if (tooltips == nullptr) return;
  // Under Wine a window that owns an always-on-top window drops out of the top band each time it is
  // activated or raised, so "Immer im Vordergrund" would not hold. The tooltip window is on top of
  // its own and the toolbar destroys it; it needs no owner.
  SetWindowLongPtrW(tooltips, GWLP_HWNDPARENT, 0);
  for (const ToolbarButton& button : buttons) {
    if (button.id != 0) attachTooltip(toolbar, tooltips, button);
  }
}

}  // namespace app
