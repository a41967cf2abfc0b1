#include "document/file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "document/titles.h"
#include "platform/modal_windows.h"
#include "platform/system_library.h"

namespace document {

namespace {

// The record's shorter layout (OPENFILENAME_SIZE_VERSION_400A), which every version of the dialog
// understands.
constexpr DWORD shortRecordSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
static_assert(shortRecordSize == 76);

constexpr DWORD dialogFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
static_assert(dialogFlags == 0x8080C);

constexpr std::size_t nameBufferSize = 10000;

int lastSelectedPattern = -1;

}  // namespace

PromptAnswer askSaveFirst(std::string_view purpose, const std::string& text) {
  switch (platform::showMessageBox(text.c_str(), dialogTitle(purpose).c_str(), MB_YESNOCANCEL)) {
    case IDYES: return PromptAnswer::Yes;
    case IDNO: return PromptAnswer::No;
    default: return PromptAnswer::Cancel;
  }
}

std::string showFileDialog(const std::string& title, std::string_view defaultPath, std::string_view filter,
                           int typeIndex, bool saving) {
  const std::string filters = filterList(filter);
  const DialogStart start = dialogStart(defaultPath);
  std::vector<char> name(nameBufferSize, '\0');
  start.name.copy(name.data(), std::min(start.name.size(), nameBufferSize - 1));

  OPENFILENAMEA dialog{};
  dialog.lStructSize = shortRecordSize;
  dialog.hwndOwner = platform::dialogOwner();
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(typeIndex + 1);
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrInitialDir = start.folder.empty() ? nullptr : start.folder.c_str();
  dialog.lpstrTitle = title.c_str();
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
  return std::string(name.data());
}

int selectedPattern() { return lastSelectedPattern; }

void showFailure(std::string_view purpose, const std::string& text) {
  platform::showMessageBox(text.c_str(), dialogTitle(purpose).c_str(), MB_OK | MB_ICONERROR);
}

std::string systemReason(unsigned long error) {
  char* text = nullptr;
  DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string reason = failureReason(error, length != 0 && text != nullptr ? std::string_view(text, length) : "");
  if (text != nullptr) LocalFree(text);
  return reason;
}

}  // namespace document
