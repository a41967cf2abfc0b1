#pragma once
// The menu bar, the two popup menus and the check marks of the mode items.
#include <windows.h>

#include "app/command_ids.h"

namespace app {

// Whether the system version offers the translucency item (NT 5.0 to 5.2 only).
bool offersTransparency(bool versionKnown, DWORD platformId, DWORD major, DWORD minor);

void buildMenus(HWND mainWindow);
bool isMenuItemChecked(CommandId id);  // false when the item does not exist
void setMenuItemChecked(CommandId id, bool checked);

// Shows a popup menu at the mouse cursor, one pixel up and left of it.
void showPopupMenu(HMENU menu);

}  // namespace app
