#include "document/file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "document/titles.h"
#include "platform/file_names.h"
#include "platform/modal_windows.h"
#include "platform/system_library.h"

namespace document {

namespace {

// The record's shorter layout (OPENFILENAME_SIZE_VERSION_400A), which every version of the dialog
// understands.
constexpr DWORD shortRecordSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);
static_assert(shortRecordSize == 76);

constexpr DWORD dialogFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
static_assert(dialogFlags == 0x8080C);

constexpr std::size_t nameBufferSize = 10000;

int lastSelectedPattern = -1;

}  // namespace

PromptAnswer askSaveFirst(std::string_view purpose, const std::string& text) {
  switch (platform::showNamedMessageBox(text, dialogTitle(purpose), MB_YESNOCANCEL)) {
    case IDYES: return PromptAnswer::Yes;
    case IDNO: return PromptAnswer::No;
    default: return PromptAnswer::Cancel;
  }
}

std::string showFileDialog(const std::string& title, std::string_view defaultPath, std::string_view filter,
                           int typeIndex, bool saving) {
  const std::wstring filters = platform::wideFromCp1252(filterList(filter));
  const DialogStart start = dialogStart(defaultPath);
  const std::wstring folder = platform::wideFromUtf8(start.folder);
  const std::wstring wideTitle = platform::wideFromCp1252(title);
  const std::wstring initialName = platform::wideFromUtf8(start.name);
  std::vector<wchar_t> name(nameBufferSize, L'\0');
  initialName.copy(name.data(), std::min(initialName.size(), nameBufferSize - 1));

  OPENFILENAMEW dialog{};
  dialog.lStructSize = shortRecordSize;
  dialog.hwndOwner = platform::dialogOwner();
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(typeIndex + 1);
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = wideTitle.c_str();
  dialog.Flags = dialogFlags;

  BOOL chosen;
  {
    platform::DisabledProgramWindows disabled;
    chosen = saving ? platform::showSaveFileDialog(&dialog) : platform::showOpenFileDialog(&dialog);
  }
  if (!chosen) {
    lastSelectedPattern = -1;
    return {};
  }
  lastSelectedPattern = static_cast<int>(dialog.nFilterIndex) - 1;
  return platform::utf8FromWide(name.data());
}

int selectedPattern() { return lastSelectedPattern; }

void showFailure(std::string_view purpose, const std::string& text) {
  platform::showNamedMessageBox(text, dialogTitle(purpose), MB_OK | MB_ICONERROR);
}

std::string systemReason(unsigned long error) {
  wchar_t* text = nullptr;
  DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  const std::string described = length != 0 && text != nullptr ? platform::utf8FromWide({text, length}) : "";
  std::string reason = failureReason(error, described);
  if (text != nullptr) LocalFree(text);
  return reason;
}

}  // namespace document
