#include "document/recovery_copy.h"

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "document/document_state.h"
#include "document/file_dialogs.h"
#include "document/recovery_format.h"
#include "document/recovery_schedule.h"
#include "document/text_file_io.h"
#include "editor/editor_control.h"
#include "platform/file_names.h"
#include "platform/win_handles.h"

namespace document {

namespace {

using app::state;

constexpr std::string_view purpose = "Wiederherstellen";
// A copy is read whole into memory; one larger than the largest text with its header is cut there.
constexpr DWORD largestCopy = 4 * static_cast<DWORD>(maxOpenBytes) + 4096;

RecoverySchedule schedule;
bool requested = false;
bool copyWritten = false;      // this process's copy is on disk
std::string adoptedCopy;       // a restored copy that stays until its text is safe
bool failureShown = false;

RecoverySchedule::Millis nowMillis() {
  static DWORD last = GetTickCount();
  static RecoverySchedule::Millis total = 0;
  const DWORD now = GetTickCount();
  total += static_cast<DWORD>(now - last);  // carries over the counter's wrap
  last = now;
  return total;
}

std::uint64_t fileTimeValue(const FILETIME& time) {
  return static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

bool processStart(HANDLE process, std::uint64_t& started) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return false;
  started = fileTimeValue(created);
  return true;
}

CopyOwner thisProcess() {
  CopyOwner owner{GetCurrentProcessId(), 0};
  processStart(GetCurrentProcess(), owner.started);
  return owner;
}

// A process with the owner's id that started at the owner's time and has not ended. One that cannot
// be looked at (another user's) counts as running: its copy is not touched.
bool ownerRunning(const CopyOwner& owner) {
  if (owner == thisProcess()) return true;
  constexpr DWORD queryLimited = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION, from Vista on
  HANDLE opened = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, owner.processId);
  if (opened == nullptr) opened = OpenProcess(queryLimited, FALSE, owner.processId);
  if (opened == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  platform::FileHandle process(opened);
  DWORD exitCode = 0;
  std::uint64_t started = 0;
  if (!GetExitCodeProcess(process.get(), &exitCode) || exitCode != STILL_ACTIVE) return false;
  return processStart(process.get(), started) && started == owner.started;
}

// "%LOCALAPPDATA%\Velloro\Wiederherstellung\" in UTF-8, like every path of the program; empty when
// there is no such folder to name.
std::string recoveryFolder() {
  wchar_t base[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", base, MAX_PATH);
  if ((length == 0 || length >= MAX_PATH) &&
      FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, base))) {
    return {};
  }
  return platform::utf8FromWide(base) + "\\Velloro\\Wiederherstellung\\";
}

bool folderExists(const std::string& folder) {
  const DWORD attributes = platform::fileAttributes(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates the folder and its parent when first needed.
bool ensureFolder(const std::string& folder) {
  if (folder.empty()) return false;
  if (folderExists(folder)) return true;
  const std::string parent = folder.substr(0, folder.rfind('\\', folder.size() - 2));
  CreateDirectoryW(platform::wideFromUtf8(parent).c_str(), nullptr);
  return CreateDirectoryW(platform::wideFromUtf8(folder).c_str(), nullptr) || folderExists(folder);
}

std::string ownCopyPath() { return recoveryFolder() + copyFileName(thisProcess()); }

bool unsavedChanges() { return state.modifiedMarked != 0 || editor::readModifiedFlag(); }

LocalTime localTimeNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

bool writeAllTo(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// Header, text, then the text's length in its place in the header.
DWORD fillCopy(HANDLE file) {
  const CopyHeader header{state.currentPath, state.encoding, state.lineEnds, thisProcess(), localTimeNow()};
  const std::string head = formatCopyHeader(header, 0);
  if (!writeAllTo(file, head)) return GetLastError();
  if (const DWORD error = streamUnicodeTextTo(file)) return error;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) return GetLastError();
  const auto textBytes = static_cast<std::uint64_t>(size.QuadPart) - head.size();
  if (SetFilePointer(file, static_cast<LONG>(textLengthAt(head)), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
      !writeAllTo(file, textLengthField(textBytes))) {
    return GetLastError();
  }
  return 0;
}

// A folder or disk that refuses the copy is told once per session; the program works on.
bool writeCopy() {
  const RecoverySchedule::Millis started = nowMillis();
  const std::string folder = recoveryFolder();
  const bool written = ensureFolder(folder) &&
                       writeFileSafely(folder + copyFileName(thisProcess()),
                                       [](void* file) -> unsigned long { return fillCopy(file); })
                           .saved;
  schedule.written(nowMillis() - started);
  if (written) {
    copyWritten = true;
  } else if (!failureShown) {
    failureShown = true;
    setDocumentStatus(" Keine Sicherungskopie");
  }
  return written;
}

void writeIfNeeded() {
  if (unsavedChanges() && (schedule.pending() || !copyWritten)) writeCopy();
}

std::string readWhole(HANDLE file) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) return {};
  std::string bytes(static_cast<std::size_t>(std::min<LONGLONG>(size.QuadPart, largestCopy)), '\0');
  DWORD read = 0;
  if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
  bytes.resize(read);
  return bytes;
}

// The document as it was: its text, path and line ends, marked modified.
void restore(const ReadCopy& copy) {
  streamUnicodeTextIn(copy.text);
  state.currentPath = copy.header.path;
  state.lineEnds = copy.header.lineEnds;
  state.encoding = copy.header.encoding;
  showEncodingStatus();
  markClean();
  state.modifiedMarked = 1;
  setDocumentStatus(" Ungespeichert");
  if (state.currentPath.empty()) {
    showUntitledTitle();
  } else {
    showDocumentTitle(true);
  }
}

enum class Offered { Restored, Dropped, Kept };

Offered offer(const std::string& path) {
  // Held open alone while the user decides, so that a second program starting now leaves it be.
  platform::FileHandle file(platform::openFile(path, GENERIC_READ, 0, OPEN_EXISTING));
  if (!file.valid()) return Offered::Kept;
  const auto copy = readCopy(readWhole(file.get()));
  if (!copy) return Offered::Kept;  // not a copy: left alone
  const PromptAnswer answer = askSaveFirst(purpose, recoveryQuestion(copy->header.path, copy->header.written));
  if (answer == PromptAnswer::Cancel) return Offered::Kept;
  if (answer == PromptAnswer::Yes) restore(*copy);
  file.close();
  if (answer == PromptAnswer::No) {
    platform::deleteFile(path);
    return Offered::Dropped;
  }
  // The restored text gets this program's own copy; the old one goes only once that is written.
  if (writeCopy()) {
    platform::deleteFile(path);
  } else {
    adoptedCopy = path;
  }
  return Offered::Restored;
}

std::vector<std::string> copiesOfEndedPrograms(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(platform::wideFromUtf8(folder + std::string(copyFilePattern)).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = platform::utf8FromWide(found.cFileName);
    const auto owner = ownerOfCopyName(name);
    if (owner && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !ownerRunning(*owner)) names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

}  // namespace

void recoveryAfterEvent(bool userInput) {
  const RecoverySchedule::Millis now = nowMillis();
  if (userInput && unsavedChanges()) schedule.edited(now);
  if (requested) {
    requested = false;
    writeIfNeeded();
  } else if (schedule.dueIn(now) == 0) {
    writeIfNeeded();
  }
}

unsigned long recoveryWaitMillis() {
  if (requested) return 0;
  const RecoverySchedule::Millis due = schedule.dueIn(nowMillis());
  return due < 0 ? INFINITE : static_cast<unsigned long>(due);
}

void requestRecoveryCopy() { requested = true; }

void writeRecoveryCopyNow() { writeIfNeeded(); }

void clearRecoveryCopy() {
  schedule.cleared();
  requested = false;
  if (copyWritten) platform::deleteFile(ownCopyPath());
  copyWritten = false;
  if (!adoptedCopy.empty()) platform::deleteFile(adoptedCopy);
  adoptedCopy.clear();
}

bool offerRecoveryCopies() {
  schedule = RecoverySchedule{};
  requested = copyWritten = failureShown = false;
  adoptedCopy.clear();
  const std::string folder = recoveryFolder();
  if (folder.empty()) return false;
  // A single document: once one text is restored, the others wait for the next start.
  for (const std::string& name : copiesOfEndedPrograms(folder)) {
    if (offer(folder + name) == Offered::Restored) return true;
  }
  return false;
}

}  // namespace document
