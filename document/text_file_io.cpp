#include "document/text_file_io.h"

#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "app/app_state.h"
#include "document/text_streams.h"
#include "document/work_progress.h"
#include "editor/editor_control.h"
#include "editor/line_number_gutter.h"
#include "platform/file_names.h"
#include "platform/win_handles.h"

namespace document {

namespace {

// The system's ANSI code page, looked up byte by byte once.
int systemAnsiCharacter(unsigned char byte) {
  const char single = static_cast<char>(byte);
  wchar_t character = 0;
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &single, 1, &character, 1) != 1) return -1;
  return character;
}

const AnsiCodePage& systemAnsi() {
  static const AnsiCodePage codePage(systemAnsiCharacter);
  return codePage;
}

// The stream's cookie: the open file, the first failure the callbacks met, and the conversion of one
// chunk at a time.
struct StreamFile {
  explicit StreamFile(HANDLE open) : file(open) {}
  HANDLE file;
  DWORD error = 0;
  // Reading: the file's encoding (unknown for a pipe until its first chunk) and its line ends.
  bool encodingKnown = false;
  TextEncoding encoding = TextEncoding::Ansi;
  LineEndDetector* detector = nullptr;
  std::optional<ControlTextFeed> feed;
  std::vector<char> bytes;
  bool ended = false;
  // A stream-in ends where the piece ends; the next one goes on from there.
  unsigned long long pieceEnd = 0;
  // Writing.
  FileTextOut* out = nullptr;
  bool mayLoseCharacters = true;
  bool lostCharacters = false;
  std::string converted;
  std::string unwritten;  // converted bytes held back until a block is full
  // How far the work is, for the status bar.
  ProgressShown shown = nullptr;
  std::optional<WorkProgress> progress;
  DWORD started = 0;
  unsigned long long done = 0;
};

void startProgress(StreamFile& stream, ProgressShown shown, unsigned long long total) {
  if (shown == nullptr) return;
  stream.shown = shown;
  stream.progress.emplace(total);
  stream.started = GetTickCount();
}

void showProgress(StreamFile& stream) {
  if (!stream.progress) return;
  const int percent = stream.progress->step(GetTickCount() - stream.started, stream.done);
  if (percent >= 0) stream.shown(percent);
}

// Reads, converts and hands over the file's text; the control gets whole characters and never a
// chunk that ends between a CR and its LF.
DWORD CALLBACK readChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  auto* stream = reinterpret_cast<StreamFile*>(cookie);
  *done = 0;
  const std::size_t room = static_cast<std::size_t>(count) / sizeof(char16_t);
  if (room == 0) return 0;
  stream->bytes.resize(std::max<std::size_t>(room, 4));
  while (!(stream->feed && stream->feed->hasText()) && !stream->ended && stream->done < stream->pieceEnd) {
    DWORD read = 0;
    if (!ReadFile(stream->file, stream->bytes.data(), static_cast<DWORD>(stream->bytes.size()), &read, nullptr)) {
      stream->error = GetLastError();
      return 1;
    }
    // A pipe is read once: its encoding is decided on its first chunk.
    if (!stream->encodingKnown) {
      EncodingDetector detector;
      detector.feed(stream->bytes.data(), read);
      stream->encoding = detector.encoding();
      stream->encodingKnown = true;
    }
    if (!stream->feed) stream->feed.emplace(stream->encoding, systemAnsi(), *stream->detector);
    if (read == 0) {
      stream->feed->end();
      stream->ended = true;
    } else {
      stream->feed->put(stream->bytes.data(), read);
      stream->done += read;
    }
  }
  if (stream->feed) *done = static_cast<LONG>(stream->feed->take(reinterpret_cast<char16_t*>(buffer), room) * 2);
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

// Stops at the first character the file's code page cannot hold unless the user allowed that.
bool refusesLoss(StreamFile& stream) {
  if (stream.mayLoseCharacters || !stream.out->lostCharacters()) return false;
  stream.lostCharacters = true;
  return true;
}

// The control hands its text out in chunks of a few kilobytes; a write for each of them made a save
// of 10 MB take a fifth longer than writing in blocks. Saves and recovery copies both write so.
constexpr std::size_t writeBlockBytes = 256 << 10;

bool writeInBlocks(StreamFile& stream, const char* bytes, std::size_t count, bool last) {
  stream.unwritten.append(bytes, count);
  if (!last && stream.unwritten.size() < writeBlockBytes) return true;
  const bool written = writeAll(stream, stream.unwritten.data(), static_cast<DWORD>(stream.unwritten.size()));
  stream.unwritten.clear();
  return written;
}

DWORD CALLBACK writeChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  auto* stream = reinterpret_cast<StreamFile*>(cookie);
  *done = 0;
  stream->out->convert(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(count), stream->converted);
  if (refusesLoss(*stream)) return 1;
  if (!writeInBlocks(*stream, stream->converted.data(), stream->converted.size(), false)) return 1;
  *done = count;
  stream->done += static_cast<unsigned long long>(count);
  showProgress(*stream);
  return 0;
}

// The control's UTF-16 as it comes.
DWORD CALLBACK writeRawChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  auto* stream = reinterpret_cast<StreamFile*>(cookie);
  *done = 0;
  if (!writeInBlocks(*stream, reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(count), false)) return 1;
  *done = count;
  return 0;
}

// Runs one stream message over the open file; the first error the stream met, or 0.
DWORD streamFile(StreamFile& stream, UINT message, EDITSTREAMCALLBACK callback, WPARAM more = 0) {
  EDITSTREAM descriptor{};
  descriptor.dwCookie = reinterpret_cast<DWORD_PTR>(&stream);
  descriptor.dwError = 0;
  descriptor.pfnCallback = callback;
  SendMessageA(app::state.editorHandle, message, SF_TEXT | SF_UNICODE | more, reinterpret_cast<LPARAM>(&descriptor));
  if (stream.error != 0) return stream.error;
  return descriptor.dwError != 0 ? ERROR_READ_FAULT : 0;
}

// A text in memory handed to the control; like a file's, a chunk never ends between CR and LF nor
// inside a surrogate pair.
struct UnicodeSource {
  const std::u16string& text;
  std::size_t at = 0;
};

DWORD CALLBACK readUnicodeChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  auto* source = reinterpret_cast<UnicodeSource*>(cookie);
  std::size_t take = std::min(static_cast<std::size_t>(count) / 2, source->text.size() - source->at);
  const std::size_t end = source->at + take;
  const char16_t last = take > 1 && end < source->text.size() ? source->text[end - 1] : 0;
  if (last == u'\r' || (last >= 0xD800 && last < 0xDC00)) --take;
  std::memcpy(buffer, source->text.data() + source->at, take * 2);
  source->at += take;
  *done = static_cast<LONG>(take * 2);
  return 0;
}

// The control lays out what a stream-in brought only when that stream-in ends, and that takes most
// of a load: 10 MB came through the reads in 0.24 s and were laid out in 5.7 s. A file therefore
// comes in pieces, the first replacing the text and every further one added at its end, and the
// progress is shown between them. Each piece costs a little (10 MB: about 5 % in pieces of 2 MB,
// 13 % in pieces of 1 MB).
constexpr unsigned long long loadPieceBytes = 2 << 20;

// The pieces added at the end are no edits to undo. With undo on, the control keeps a record for
// every line they bring, and freeing those records afterwards leaves its heap so fragmented that
// paging, finding and saving in the loaded text took two to three times as long (10 MB).
constexpr WPARAM usualUndoLimit = 100;

DWORD streamInPieces(StreamFile& stream) {
  SendMessageA(app::state.editorHandle, EM_SETUNDOLIMIT, 0, 0);
  stream.pieceEnd = loadPieceBytes;
  DWORD error = streamFile(stream, EM_STREAMIN, readChunk);
  while (error == 0 && !(stream.ended && !(stream.feed && stream.feed->hasText()))) {
    showProgress(stream);
    stream.pieceEnd = stream.done + loadPieceBytes;
    CHARRANGE end{-1, -1};
    SendMessageA(app::state.editorHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    error = streamFile(stream, EM_STREAMIN, readChunk, SFF_SELECTION);
  }
  SendMessageA(app::state.editorHandle, EM_EMPTYUNDOBUFFER, 0, 0);
  SendMessageA(app::state.editorHandle, EM_SETUNDOLIMIT, usualUndoLimit, 0);
  CHARRANGE start{0, 0};
  SendMessageA(app::state.editorHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
  return error;
}

// One pass over a disk file before the load: its encoding, and the lines its text will have in the
// control. The file is read from its start and left there again. A read that fails stops the pass,
// and the stream-in then reports the failure. Only a disk file can be read twice (a pipe cannot).
struct FileScan {
  bool done = false;
  TextEncoding encoding = TextEncoding::Ansi;
  long lines = 0;
};
FileScan scanFile(HANDLE file) {
  if (GetFileType(file) != FILE_TYPE_DISK) return {};
  EncodingDetector encoding;
  LineEndDetector counter;
  // A UTF-16 file's line ends are counted in its characters, any other file's in its bytes.
  std::optional<TextDecoder> utf16;
  std::u16string text;
  std::vector<char> buffer(1 << 16);
  DWORD read = 0;
  bool first = true;
  while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0) {
    encoding.feed(buffer.data(), read);
    if (first && read >= 2) {
      const TextEncoding marked = encoding.encoding();
      if (marked == TextEncoding::Utf16Le || marked == TextEncoding::Utf16Be) utf16.emplace(marked, systemAnsi());
    }
    first = false;
    if (utf16) {
      text.clear();
      utf16->decode(buffer.data(), read, text);
      counter.feed(text.data(), text.size());
    } else {
      counter.feed(buffer.data(), read);
    }
  }
  if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return {};
  return {true, encoding.encoding(), counter.lines()};
}

bool isMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// A new, empty file next to the target; its name goes into tempPath.
platform::FileHandle createTempFileBeside(const std::string& target, std::string& tempPath, DWORD& error) {
  const std::string folder = saveFolderOf(target);
  const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
  for (DWORD attempt = 0; attempt < 64; ++attempt) {
    tempPath = folder + saveTempName(folder, seed + attempt * 40503u);
    platform::FileHandle file(platform::openFile(tempPath, GENERIC_WRITE, 0, CREATE_NEW));
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
  const DWORD attributes = platform::fileAttributes(target);
  if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ACCESS_DENIED;
  platform::FileHandle probe(platform::openFile(target, GENERIC_WRITE | DELETE,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING));
  return probe.valid() ? 0 : GetLastError();
}

// A hidden or system file stays so: the new file takes those marks from the one it replaces.
void keepMarks(const std::string& target, const std::string& tempPath) {
  constexpr DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const DWORD old = platform::fileAttributes(target);
  const DWORD fresh = platform::fileAttributes(tempPath);
  if (old == INVALID_FILE_ATTRIBUTES || fresh == INVALID_FILE_ATTRIBUTES || (old & kept) == 0) return;
  platform::setFileAttributes(tempPath, fresh | (old & kept));
}

// Puts the finished file in place of the target in one step; the target is never deleted first.
DWORD replaceTarget(const std::string& target, const std::string& tempPath) {
  if (const DWORD refusal = targetRefusal(target)) return refusal;
  keepMarks(target, tempPath);
  if (platform::moveFile(tempPath, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
  return GetLastError();
}

}  // namespace

LoadResult loadTextFile(const std::string& path, ProgressShown shown) {
  // Shared for writing too, so that a file another program is still writing (a log) can be read.
  platform::FileHandle file(platform::openFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    return {isMissing(error) ? LoadOutcome::Missing : LoadOutcome::Unreadable, error, LineEndStyle::CrLf};
  }
  LARGE_INTEGER size{};
  const auto bytes = GetFileSizeEx(file.get(), &size) ? static_cast<unsigned long long>(size.QuadPart) : 0;
  if (bytes > maxOpenBytes) return {LoadOutcome::TooLarge, 0, LineEndStyle::CrLf, bytes};
  const FileScan scan = scanFile(file.get());
  const auto lines = static_cast<unsigned long long>(scan.lines);
  if (scan.done && !fitsInMemory(bytes, lines)) {
    return {LoadOutcome::TooLarge, 0, LineEndStyle::CrLf, bytes, TextEncoding::Ansi, lines};
  }
  // The old text goes first, so that a margin made to fit the new one is not laid out for it too.
  editor::clearAllText();
  const editor::GutterPreset gutter(scan.lines);
  LineEndDetector detector;
  StreamFile stream{file.get()};
  startProgress(stream, shown, bytes);
  stream.encodingKnown = scan.done;
  stream.encoding = scan.encoding;
  stream.detector = &detector;
  const DWORD error = streamInPieces(stream);
  if (error != 0) return {LoadOutcome::BrokenOff, error, detector.style(), 0, stream.encoding};
  return {LoadOutcome::Loaded, 0, detector.style(), 0, stream.encoding};
}

SaveResult saveTextFile(const std::string& path, LineEndStyle lineEnds, TextEncoding encoding,
                        bool mayLoseCharacters, ProgressShown shown) {
  bool lost = false;
  const SaveResult result = writeFileSafely(path, [&](void* file) -> unsigned long {
    FileTextOut out(encoding, lineEnds, systemAnsi());
    StreamFile stream{file};
    stream.out = &out;
    stream.mayLoseCharacters = mayLoseCharacters;
    // The control hands out its text in UTF-16.
    const auto length = static_cast<unsigned long long>(GetWindowTextLengthW(app::state.editorHandle));
    startProgress(stream, shown, length * 2);
    DWORD error = streamFile(stream, EM_STREAMOUT, writeChunk);
    if (error == 0 && !stream.lostCharacters) {
      out.finish(stream.converted);
      if (!refusesLoss(stream) && !writeInBlocks(stream, stream.converted.data(), stream.converted.size(), true))
        error = stream.error;
    }
    lost = stream.lostCharacters;
    return lost ? ERROR_CANCELLED : error;
  });
  if (lost) return {false, 0, true};
  return result;
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
    platform::deleteFile(tempPath);
    return {false, error};
  }
  return {true, 0};
}

unsigned long streamUnicodeTextTo(void* file) {
  StreamFile stream{file};
  const DWORD error = streamFile(stream, EM_STREAMOUT, writeRawChunk);
  if (error == 0 && !writeInBlocks(stream, nullptr, 0, true)) return stream.error;
  return error;
}

void streamUnicodeTextIn(const std::u16string& text) {
  UnicodeSource source{text};
  EDITSTREAM descriptor{};
  descriptor.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  descriptor.pfnCallback = readUnicodeChunk;
  SendMessageA(app::state.editorHandle, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&descriptor));
}

}  // namespace document
