#include "app/menus.h"

#include <initializer_list>
#include <span>

#include "app/app_state.h"

namespace app {

namespace {

struct MenuItem {
  unsigned id;        // 0: separator
  const char* label;  // for a submenu: its title
  bool insertSubmenu = false;
};

constexpr MenuItem separator{0, nullptr};

void appendItems(HMENU menu, std::span<const MenuItem> items);

void appendItems(HMENU menu, std::initializer_list<MenuItem> items) {
  appendItems(menu, std::span(items.begin(), items.size()));
}

HMENU buildInsertSubmenu() {
  HMENU submenu = CreatePopupMenu();
  appendItems(submenu, {{InsertDate, "Datum einfügen"},
                        {InsertTime, "Uhrzeit (ohne Sekunden) einfügen"},
                        {InsertTimeSeconds, "Uhrzeit (mit Sekunden) einfügen"},
                        separator,
                        {InsertRgbColour, "RGB-Farbe einfügen..."},
                        separator,
                        {InsertHtmlSkeleton, "HTML-Standard-Gerüst einfügen"}});
  return submenu;
}

void appendItems(HMENU menu, std::span<const MenuItem> items) {
  for (const MenuItem& item : items) {
    if (item.insertSubmenu) {
      AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(buildInsertSubmenu()), item.label);
    } else if (item.id == 0) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(menu, MF_STRING, item.id, item.label);
    }
  }
}

HMENU appendSubmenu(HMENU bar, const char* title, std::span<const MenuItem> items) {
  HMENU submenu = CreatePopupMenu();
  appendItems(submenu, items);
  AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), title);
  return submenu;
}

HMENU appendSubmenu(HMENU bar, const char* title, std::initializer_list<MenuItem> items) {
  return appendSubmenu(bar, title, std::span(items.begin(), items.size()));
}

constexpr MenuItem insertExtras{0, "Einfügen (Extras)", true};

// The editing items that the Bearbeiten menu and the editor's context menu share.
constexpr MenuItem editingItems[] = {{Undo, "Rückgängig\tStrg+Z"},
                                     {Redo, "Wiederholen\tStrg+Y"},
                                     separator,
                                     {Cut, "Ausschneiden\tStrg+X"},
                                     {Copy, "Kopieren\tStrg+C"},
                                     {Paste, "Einfügen\tStrg+V"},
                                     separator,
                                     insertExtras,
                                     separator,
                                     {Delete, "Löschen\tEntf"},
                                     separator,
                                     {SelectAll, "Alles markieren\tStrg+A"}};

bool systemOffersTransparency() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  bool known = GetVersionExA(&version) != 0;
  return offersTransparency(known, version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
}

void buildMenuBar(HWND mainWindow) {
  HMENU bar = CreateMenu();
  appendSubmenu(bar, "Datei",
                {{New, "Neu\tStrg+N"},
                 {Open, "Öffnen...\tStrg+O"},
                 {Close, "Schließen\tStrg+W"},
                 separator,
                 {Save, "Speichern\tStrg+S"},
                 {SaveAs, "Speichern unter...\tStrg+Alt+S"},
                 {Rename, "Umbenennen..."},
                 separator,
                 {Print, "Drucken...\tStrg+P"},
                 separator,
                 {Exit, "Beenden\tStrg+B"}});
  appendSubmenu(bar, "Bearbeiten", editingItems);
  appendSubmenu(bar, "Suchen",
                {{Find, "Suchen...\tStrg+F"}, {FindNext, "Weitersuchen\tF3"}, separator,
                 {GoToLine, "Gehe zu Zeile...\tStrg+G"}});
  appendSubmenu(bar, "Konfiguration",
                {{SettingsNote, "Einstellungen..."}, {SaveSettings, "Einstellungen speichern"}, separator,
                 {RestoreSettings, "Einstellungen wiederherstellen"}});
  HMENU extras = appendSubmenu(bar, "Extras", {{WordWrap, "Zeilenumbruch"}, separator});
  if (systemOffersTransparency()) appendItems(extras, {{Transparency, "Transparenz"}, separator});
  appendItems(extras, {{MinimizeToTray, "In Tray minimieren"},
                       separator,
                       {AlwaysOnTop, "Immer im Vordergrund"},
                       separator,
                       {Calculator, "Rechner..."},
                       separator,
                       {CharacterMap, "Zeichentabelle..."}});
  appendSubmenu(bar, "Hilfe", {{About, "Über Velloro..."}});

  SetMenu(mainWindow, bar);
  state.menuBar = bar;
}

}  // namespace

bool offersTransparency(bool versionKnown, DWORD platformId, DWORD major, DWORD minor) {
  return versionKnown && platformId == VER_PLATFORM_WIN32_NT && major == 5 && minor <= 2;
}

void buildMenus(HWND mainWindow) {
  buildMenuBar(mainWindow);

  state.trayMenu = CreatePopupMenu();
  appendItems(state.trayMenu, {{RestoreFromTray, "Velloro wiederherstellen"},
                               separator,
                               {About, "Über Velloro..."},
                               separator,
                               {Exit, "Beenden"}});

  state.editorMenu = CreatePopupMenu();
  appendItems(state.editorMenu, editingItems);
  appendItems(state.editorMenu, {separator, {GoToLine, "Gehe zu Zeile...\tStrg+G"}});
}

bool isMenuItemChecked(CommandId id) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  if (state.menuBar == nullptr || !GetMenuItemInfoA(state.menuBar, id, FALSE, &info)) return false;
  return (info.fState & MFS_CHECKED) != 0;
}

void setMenuItemChecked(CommandId id, bool checked) {
  if (state.menuBar == nullptr) return;
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  if (!GetMenuItemInfoA(state.menuBar, id, FALSE, &info)) return;
  info.fState = checked ? (info.fState | MFS_CHECKED) : (info.fState & ~static_cast<UINT>(MFS_CHECKED));
  SetMenuItemInfoA(state.menuBar, id, FALSE, &info);
}

void showPopupMenu(HMENU menu) {
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  SetForegroundWindow(state.mainWindowHandle);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x - 1, cursor.y - 1, 0, state.mainWindowHandle, nullptr);
}

}  // namespace app
