#include "document/file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

#include "app/app_state.h"
#include "document/titles.h"
#include "platform/modal_windows.h"
#include "platform/system_library.h"
#include "resources/resource_ids.h"

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

constexpr TextEncoding offeredEncodings[] = {TextEncoding::Ansi, TextEncoding::Utf8, TextEncoding::Utf8Bom,
                                             TextEncoding::Utf16Le, TextEncoding::Utf16Be};

// The hook of the dialog's added part: fills the encoding field and follows its selection into the
// encoding that the record's custom data points to.
UINT_PTR CALLBACK encodingFieldHook(HWND part, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* encoding = reinterpret_cast<TextEncoding*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
    SetWindowLongPtrA(part, DWLP_USER, reinterpret_cast<LONG_PTR>(encoding));
    HWND field = GetDlgItem(part, IDC_ENCODING);
    for (TextEncoding offered : offeredEncodings) {
      const std::string name(encodingName(offered));
      const auto index = SendMessageA(field, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
      if (offered == *encoding) SendMessageA(field, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
  } else if (message == WM_COMMAND && LOWORD(wParam) == IDC_ENCODING && HIWORD(wParam) == CBN_SELCHANGE) {
    auto* encoding = reinterpret_cast<TextEncoding*>(GetWindowLongPtrA(part, DWLP_USER));
    const auto index = SendDlgItemMessageA(part, IDC_ENCODING, CB_GETCURSEL, 0, 0);
    if (encoding != nullptr && index >= 0 && index < static_cast<LRESULT>(std::size(offeredEncodings)))
      *encoding = offeredEncodings[index];
  }
  return 0;
}

}  // namespace

PromptAnswer askSaveFirst(std::string_view purpose, const std::string& text) {
  switch (platform::showMessageBox(text.c_str(), dialogTitle(purpose).c_str(), MB_YESNOCANCEL)) {
    case IDYES: return PromptAnswer::Yes;
    case IDNO: return PromptAnswer::No;
    default: return PromptAnswer::Cancel;
  }
}

std::string showFileDialog(const std::string& title, std::string_view defaultPath, std::string_view filter,
                           int typeIndex, bool saving, TextEncoding* encoding) {
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
  // The field works on a copy that only an OK hands back.
  TextEncoding chosenEncoding = encoding != nullptr ? *encoding : TextEncoding::Ansi;
  if (encoding != nullptr) {
    dialog.Flags |= OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    dialog.hInstance = app::state.instance;
    dialog.lpTemplateName = MAKEINTRESOURCEA(IDD_SAVE_ENCODING);
    dialog.lpfnHook = encodingFieldHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(&chosenEncoding);
  }

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
  if (encoding != nullptr) *encoding = chosenEncoding;
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
