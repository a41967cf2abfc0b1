#include "document/file_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

#include "app/app_state.h"
#include "document/titles.h"
#include "platform/file_names.h"
#include "platform/modal_windows.h"
#include "platform/system_library.h"
#include "resources/resource_ids.h"

namespace document {

namespace {

// The record's shorter layout (OPENFILENAME_SIZE_VERSION_400A), which every version of the dialog
// understands.
constexpr DWORD shortRecordSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);
static_assert(shortRecordSize == (sizeof(void*) == 4 ? 76 : 136));

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
    auto* encoding = reinterpret_cast<TextEncoding*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
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
  switch (platform::showNamedMessageBox(text, dialogTitle(purpose), MB_YESNOCANCEL)) {
    case IDYES: return PromptAnswer::Yes;
    case IDNO: return PromptAnswer::No;
    default: return PromptAnswer::Cancel;
  }
}

std::string showFileDialog(const std::string& title, std::string_view defaultPath, std::string_view filter,
                           int typeIndex, bool saving, TextEncoding* encoding) {
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
  // The field works on a copy that only an OK hands back.
  TextEncoding chosenEncoding = encoding != nullptr ? *encoding : TextEncoding::Ansi;
  if (encoding != nullptr) {
    dialog.Flags |= OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    dialog.hInstance = app::state.instance;
    dialog.lpTemplateName = MAKEINTRESOURCEW(IDD_SAVE_ENCODING);
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
