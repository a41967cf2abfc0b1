#include "document/text_file_io.h"

#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/app_state.h"
#include "editor/line_number_gutter.h"
#include "platform/win_handles.h"

namespace document {

namespace {

// The stream's cookie: the open file, the first failure the callbacks met, and the line-end work.
struct StreamFile {
  HANDLE file;
  DWORD error;
  LineEndDetector* detector;  // reading
  LineEndWriter* writer;      // writing
  std::string converted;      // one chunk in the document's line ends
  bool carriedCr = false;     // reading: a CR held back from the end of the last chunk
};

// The control takes CR CR LF for a blank between two lines, not for two line ends, and a file's
// line ends would be lost with it. A CR that no LF follows ends one line, as an LF does, so the
// control is given an LF for it; the detector has seen the file's own bytes. A CR at the end of a
// chunk is followed by the carried one when there is one.
void endLoneCrsWithLf(LPBYTE buffer, DWORD filled, bool crCarried) {
  for (DWORD i = 0; i < filled; ++i) {
    if (buffer[i] != '\r') continue;
    const bool lone = i + 1 < filled ? buffer[i + 1] != '\n' : crCarried;
    if (lone) buffer[i] = '\n';
  }
}

// The control reads a CR at the end of one chunk and an LF at the start of the next as two line
// ends, so a chunk ends with a CR only where the file does: the CR moves to the head of the next one.
DWORD CALLBACK readChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  auto* stream = reinterpret_cast<StreamFile*>(cookie);
  *done = 0;
  DWORD filled = 0;
  if (stream->carriedCr && count > 0) {
    buffer[filled++] = '\r';
    stream->carriedCr = false;
  }
  DWORD read = 0;
  if (!ReadFile(stream->file, buffer + filled, static_cast<DWORD>(count) - filled, &read, nullptr)) {
    stream->error = GetLastError();
    return 1;
  }
  filled += read;
  if (read > 0 && filled > 1 && buffer[filled - 1] == '\r') {
    stream->carriedCr = true;
    --filled;
  }
  stream->detector->feed(reinterpret_cast<const char*>(buffer), filled);
  endLoneCrsWithLf(buffer, filled, stream->carriedCr);
  *done = static_cast<LONG>(filled);
  return 0;
}

// Writes all of the bytes or records why not.
bool writeAll(StreamFile& stream, const void* bytes, DWORD count) {
  DWORD written = 0;
  if (!WriteFile(stream.file, bytes, count, &written, nullptr)) {
    stream.error = GetLastError();
    return false;
  }
  if (written != count) {
    stream.error = ERROR_DISK_FULL;  // a short write without an error code
    return false;
  }
  return true;
}

DWORD CALLBACK writeChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  auto* stream = reinterpret_cast<StreamFile*>(cookie);
  *done = 0;
  bool written;
  if (stream->writer->passesThrough()) {
    written = writeAll(*stream, buffer, static_cast<DWORD>(count));
  } else {
    stream->writer->convert(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(count),
                            stream->converted);
    written = writeAll(*stream, stream->converted.data(), static_cast<DWORD>(stream->converted.size()));
  }
  if (!written) return 1;
  *done = count;
  return 0;
}

// Runs one stream message over the open file; the first error the stream met, or 0.
DWORD streamFile(StreamFile& stream, UINT message, EDITSTREAMCALLBACK callback, WPARAM format = SF_TEXT) {
  EDITSTREAM descriptor{};
  descriptor.dwCookie = reinterpret_cast<DWORD_PTR>(&stream);
  descriptor.dwError = 0;
  descriptor.pfnCallback = callback;
  SendMessageA(app::state.editorHandle, message, format, reinterpret_cast<LPARAM>(&descriptor));
  if (stream.error != 0) return stream.error;
  return descriptor.dwError != 0 ? ERROR_READ_FAULT : 0;
}

// A text in memory handed to the control; like a file's, a chunk never ends between CR and LF.
struct UnicodeSource {
  const std::u16string& text;
  std::size_t at = 0;
};

DWORD CALLBACK readUnicodeChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  auto* source = reinterpret_cast<UnicodeSource*>(cookie);
  std::size_t take = std::min(static_cast<std::size_t>(count) / 2, source->text.size() - source->at);
  const std::size_t end = source->at + take;
  if (take > 1 && end < source->text.size() && source->text[end - 1] == u'\r') --take;
  std::memcpy(buffer, source->text.data() + source->at, take * 2);
  source->at += take;
  *done = static_cast<LONG>(take * 2);
  return 0;
}

// The lines the file's text will have in the control; the file is read from its start and left
// there again. A read that fails stops the count, and the stream-in then reports the failure.
// Only a disk file can be read twice (a pipe cannot): 0 for any other.
long countLines(HANDLE file) {
  if (GetFileType(file) != FILE_TYPE_DISK) return 0;
  LineEndDetector counter;
  std::vector<char> buffer(1 << 16);
  DWORD read = 0;
  while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0) {
    counter.feed(buffer.data(), read);
  }
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return 0;
  return counter.lines();
}

bool isMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// A new, empty file next to the target; its name goes into tempPath.
platform::FileHandle createTempFileBeside(const std::string& target, std::string& tempPath, DWORD& error) {
  const std::string folder = saveFolderOf(target);
  const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
  for (DWORD attempt = 0; attempt < 64; ++attempt) {
    tempPath = folder + saveTempName(folder, seed + attempt * 40503u);
    platform::FileHandle file(CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                     nullptr));
    if (file.valid()) return file;
    error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  tempPath.clear();
  return platform::FileHandle();
}

// An existing target must be one the user may overwrite: a read-only file, a folder or a file held
// open by another program is refused before anything moves. The rename alone does not check all of
// these everywhere (a privileged account may rename over a read-only file). 0 when the target may be
// replaced or does not exist.
DWORD targetRefusal(const std::string& target) {
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ACCESS_DENIED;
  platform::FileHandle probe(CreateFileA(target.c_str(), GENERIC_WRITE | DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  return probe.valid() ? 0 : GetLastError();
}

// A hidden or system file stays so: the new file takes those marks from the one it replaces.
void keepMarks(const std::string& target, const std::string& tempPath) {
  constexpr DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const DWORD old = GetFileAttributesA(target.c_str());
  const DWORD fresh = GetFileAttributesA(tempPath.c_str());
  if (old == INVALID_FILE_ATTRIBUTES || fresh == INVALID_FILE_ATTRIBUTES || (old & kept) == 0) return;
  SetFileAttributesA(tempPath.c_str(), fresh | (old & kept));
}

// Puts the finished file in place of the target in one step; the target is never deleted first.
DWORD replaceTarget(const std::string& target, const std::string& tempPath) {
  if (const DWORD refusal = targetRefusal(target)) return refusal;
  keepMarks(target, tempPath);
  if (MoveFileExA(tempPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
  return GetLastError();
}

}  // namespace

LoadResult loadTextFile(const std::string& path) {
  // Shared for writing too, so that a file another program is still writing (a log) can be read.
  platform::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    return {isMissing(error) ? LoadOutcome::Missing : LoadOutcome::Unreadable, error, LineEndStyle::CrLf};
  }
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.get(), &size) && static_cast<unsigned long long>(size.QuadPart) > maxOpenBytes) {
    return {LoadOutcome::TooLarge, 0, LineEndStyle::CrLf, static_cast<unsigned long long>(size.QuadPart)};
  }
  const editor::GutterPreset gutter(countLines(file.get()));
  LineEndDetector detector;
  StreamFile stream{file.get(), 0, &detector, nullptr, {}};
  const DWORD error = streamFile(stream, EM_STREAMIN, readChunk);
  if (error != 0) return {LoadOutcome::BrokenOff, error, detector.style()};
  return {LoadOutcome::Loaded, 0, detector.style()};
}

SaveResult saveTextFile(const std::string& path, LineEndStyle lineEnds) {
  return writeFileSafely(path, [lineEnds](void* file) -> unsigned long {
    LineEndWriter writer(lineEnds);
    StreamFile stream{file, 0, nullptr, &writer, {}};
    DWORD error = streamFile(stream, EM_STREAMOUT, writeChunk);
    if (const std::string rest = writer.finish(); error == 0 && !rest.empty()) {
      if (!writeAll(stream, rest.data(), static_cast<DWORD>(rest.size()))) error = stream.error;
    }
    return error;
  });
}

SaveResult writeFileSafely(const std::string& path, const std::function<unsigned long(void* file)>& fill) {
  if (pathTooLong(path)) return {false, ERROR_FILENAME_EXCED_RANGE};
  std::string tempPath;
  DWORD error = 0;
  platform::FileHandle file = createTempFileBeside(path, tempPath, error);
  if (!file.valid()) return {false, error};

  error = fill(file.get());
  if (error == 0 && !FlushFileBuffers(file.get())) error = GetLastError();
  if (!file.close() && error == 0) error = GetLastError();
  if (error == 0) error = replaceTarget(path, tempPath);
  if (error != 0) {
    DeleteFileA(tempPath.c_str());
    return {false, error};
  }
  return {true, 0};
}

unsigned long streamUnicodeTextTo(void* file) {
  LineEndWriter writer(LineEndStyle::CrLf);  // passes the bytes through
  StreamFile stream{file, 0, nullptr, &writer, {}};
  return streamFile(stream, EM_STREAMOUT, writeChunk, SF_TEXT | SF_UNICODE);
}

void streamUnicodeTextIn(const std::u16string& text) {
  UnicodeSource source{text};
  EDITSTREAM descriptor{};
  descriptor.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  descriptor.pfnCallback = readUnicodeChunk;
  SendMessageA(app::state.editorHandle, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&descriptor));
}

}  // namespace document
