#include "settings/preferences_store.h"

#include <windows.h>

#include <new>

namespace settings {

namespace {

bool readWholeFile(HANDLE file, std::string& bytes) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) return false;
  try {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr)) return false;
    if (read == 0) break;  // the file became shorter since its size was taken
    done += read;
  }
  bytes.resize(done);
  return true;
}

bool writeAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0)
      return false;
    bytes.remove_prefix(written);
  }
  return true;
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : ".";
  return path.substr(0, slash + 1);
}

// An account that may write anything (an administrator under Wine) still opens a read-only file
// for writing; the attribute says the user wants it left alone.
bool isReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool isUtf16(std::string_view bytes) {
  const std::string_view start = bytes.substr(0, 2);
  return start == "\xFF\xFE" || start == "\xFE\xFF";
}

}  // namespace

bool PreferencesStore::openForReading(std::string_view name) {
  closeStore();
  std::string path(name);
  bool writable = true;
  platform::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    writable = false;
    file = platform::FileHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  if (!file.valid()) return false;
  if (isReadOnly(path)) writable = false;
  std::string bytes;
  if (!readWholeFile(file.get(), bytes)) return false;
  // A file in UTF-16 reads as fragments cut at its zero bytes; written back, only those would remain.
  if (isUtf16(bytes)) writable = false;
  model_ = PreferencesModel::parse(bytes);
  file_ = std::move(file);
  path_ = std::move(path);
  writable_ = writable;
  return true;
}

bool PreferencesStore::createForWriting(std::string_view name) {
  closeStore();
  std::string path(name);
  if (isReadOnly(path)) return false;
  platform::FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  file_ = std::move(file);
  path_ = std::move(path);
  writable_ = true;
  return true;
}

bool PreferencesStore::closeStore() {
  const bool written = !file_.valid() || !model_.changed() || (writable_ && writeBack());
  file_.close();
  path_.clear();
  writable_ = false;
  model_ = PreferencesModel();
  return written;
}

// The new text goes into a temporary file beside the old one and replaces it in one step, so
// the old file stays whole until the new one is complete on disk.
bool PreferencesStore::writeBack() {
  const std::string bytes = model_.serialize();
  char tempPath[MAX_PATH];
  if (GetTempFileNameA(folderOf(path_).c_str(), "vpf", 0, tempPath) == 0) return false;
  platform::FileHandle temp(
      CreateFileA(tempPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  bool done = temp.valid() && writeAll(temp.get(), bytes) && FlushFileBuffers(temp.get());
  done = temp.close() && done;
  if (done) {
    // Our own handle, which shares no deleting, would make the replacement fail.
    file_.close();
    done = MoveFileExA(tempPath, path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }
  if (!done) DeleteFileA(tempPath);
  return done;
}

PreferencesStore& preferencesStore() {
  static PreferencesStore store;
  return store;
}

}  // namespace settings
