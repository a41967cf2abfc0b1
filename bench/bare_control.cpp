// The baseline of the benchmarks: the same rich-edit control with the same styles, font and text
// limit, loading the file named on the command line at start and doing nothing but the one raw
// operation the driver asks for.
//
//   bare_control.exe [--op NAME] [--needle TEXT] [--steps N] [--out PATH] [--editor WxH] [FILE]
//
// Operations, each run once per bareRunMessage:
//   find             one EM_FINDTEXTEX downwards from the selection's end, the hit selected
//   find-inprocess   --steps of those in a row
//   save             EM_STREAMOUT into --out
//   save-replace     EM_STREAMOUT into a new file beside --out, flushed, then put in its place
//   page-inprocess   WM_VSCROLL SB_PAGEDOWN and UpdateWindow until the end of the text
//
// Two ways of loading, to show where the loading time goes:
//   --bars-when-needed the scroll bars appear only when the text needs them (no ES_DISABLENOSCROLL,
//                      the program's style before), so the text arriving changes the client size
//   --size-after-load  the control is created 0 x 0 and sized after the load, the order in which
//                      the program's start-up did it before
//
//   --maximised        the window is maximised before the control is made, and the control fills it
//   --wrap             word wrap on (EM_SETTARGETDEVICE with a line width of 0) before the text comes
//   --pieces           the file streamed in pieces of 2 MB, the first replacing the text and the
//                      rest added at its end (SFF_SELECTION) with undo off, as the program loads
//
//   --line-lookups     after every paint, the line numbers of the first and last visible rows, as a
//                      line-number gutter needs them; after every find step, the line and its start
//                      at the selection, as a cursor position display needs them
#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/bare_protocol.h"

namespace {

struct Options {
  std::string operation = "none";
  std::string needle;
  int steps = 10;
  std::string output;
  int editorWidth = bench::bareDefaultEditorWidth;
  int editorHeight = bench::bareDefaultEditorHeight;
  std::string file;
  bool barsWhenNeeded = false;
  bool sizeAfterLoad = false;
  bool lineLookups = false;
  bool maximised = false;
  bool wrap = false;
  bool pieces = false;
};

Options options;
HWND editor = nullptr;
WNDPROC editorProc = nullptr;

LRESULT lineAtPoint(LONG x, LONG y) {
  POINTL point{x, y};
  LRESULT character = SendMessageA(editor, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point));
  return SendMessageA(editor, EM_LINEFROMCHAR, static_cast<WPARAM>(character), 0);
}

// The rows a line-number gutter asks for on every paint.
LRESULT CALLBACK lookingUpEditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = CallWindowProcA(editorProc, window, message, wParam, lParam);
  if (message == WM_PAINT) {
    RECT client;
    GetClientRect(window, &client);
    lineAtPoint(0, 0);
    lineAtPoint(client.right, client.bottom);
  }
  return result;
}

// The line and its first character at the selection, as a cursor position display asks for them.
void lookUpCursorLine() {
  CHARRANGE selection{0, 0};
  SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  LRESULT line = SendMessageA(editor, EM_EXLINEFROMCHAR, 0, selection.cpMin);
  SendMessageA(editor, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
}

bool parseOptions(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string name = argv[i];
    bool hasValue = i + 1 < argc;
    if (name == "--op" && hasValue) {
      options.operation = argv[++i];
    } else if (name == "--needle" && hasValue) {
      options.needle = argv[++i];
    } else if (name == "--steps" && hasValue) {
      options.steps = std::atoi(argv[++i]);
    } else if (name == "--out" && hasValue) {
      options.output = argv[++i];
    } else if (name == "--editor" && hasValue) {
      if (std::sscanf(argv[++i], "%dx%d", &options.editorWidth, &options.editorHeight) != 2) return false;
    } else if (name == "--bars-when-needed") {
      options.barsWhenNeeded = true;
    } else if (name == "--size-after-load") {
      options.sizeAfterLoad = true;
    } else if (name == "--line-lookups") {
      options.lineLookups = true;
    } else if (name == "--maximised") {
      options.maximised = true;
    } else if (name == "--wrap") {
      options.wrap = true;
    } else if (name == "--pieces") {
      options.pieces = true;
    } else if (name.rfind("--", 0) == 0) {
      return false;
    } else {
      options.file = name;
    }
  }
  return true;
}

// The control turns a CR LF split between two chunks into two line ends, so a chunk never ends
// with CR unless the file does: a final CR waits for the next chunk.
struct Reader {
  HANDLE file;
  bool carriedCr = false;
  unsigned long long left = ~0ull;  // bytes this stream-in may still take
  bool ended = false;
};

DWORD CALLBACK readChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  auto* reader = reinterpret_cast<Reader*>(cookie);
  LONG filled = 0;
  *done = 0;
  if (reader->left == 0) return 0;
  if (static_cast<unsigned long long>(count) > reader->left) count = static_cast<LONG>(reader->left);
  for (;;) {
    if (reader->carriedCr && filled < count) {
      buffer[filled++] = '\r';
      reader->carriedCr = false;
    }
    DWORD read = 0;
    if (!ReadFile(reader->file, buffer + filled, static_cast<DWORD>(count - filled), &read, nullptr)) return 1;
    filled += static_cast<LONG>(read);
    if (read == 0) reader->ended = !reader->carriedCr;
    if (read == 0 || buffer[filled - 1] != '\r') break;
    reader->carriedCr = true;
    --filled;
    // A chunk of nothing would end the load; a lone CR has to be read past.
    if (filled > 0) break;
  }
  *done = filled;
  reader->left -= static_cast<unsigned long long>(filled);
  return 0;
}

DWORD CALLBACK writeChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
  DWORD written = 0;
  BOOL ok = WriteFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(count), &written, nullptr);
  *done = static_cast<LONG>(written);
  return ok && written == static_cast<DWORD>(count) ? 0 : 1;
}

void stream(DWORD_PTR cookie, UINT message, EDITSTREAMCALLBACK callback, WPARAM more = 0) {
  EDITSTREAM descriptor{};
  descriptor.dwCookie = cookie;
  descriptor.pfnCallback = callback;
  SendMessageA(editor, message, SF_TEXT | more, reinterpret_cast<LPARAM>(&descriptor));
}

// As the program does it: the first piece replaces the text, every further one goes at its end,
// and with undo off the pieces leave no undo records to free.
void streamInPieces(Reader& reader) {
  constexpr unsigned long long pieceBytes = 2 << 20;
  SendMessageA(editor, EM_SETUNDOLIMIT, 0, 0);
  reader.left = pieceBytes;
  stream(reinterpret_cast<DWORD_PTR>(&reader), EM_STREAMIN, readChunk);
  while (!reader.ended) {
    reader.left = pieceBytes;
    CHARRANGE end{-1, -1};
    SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    stream(reinterpret_cast<DWORD_PTR>(&reader), EM_STREAMIN, readChunk, SFF_SELECTION);
  }
  SendMessageA(editor, EM_SETUNDOLIMIT, 100, 0);
  CHARRANGE start{0, 0};
  SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
}

void loadFile(const std::string& path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  Reader reader{file};
  if (options.pieces) {
    streamInPieces(reader);
  } else {
    stream(reinterpret_cast<DWORD_PTR>(&reader), EM_STREAMIN, readChunk);
  }
  CloseHandle(file);
}

LRESULT saveTo(const std::string& path, bool flush) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  stream(reinterpret_cast<DWORD_PTR>(file), EM_STREAMOUT, writeChunk);
  if (flush) FlushFileBuffers(file);
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  CloseHandle(file);
  return static_cast<LRESULT>(size.QuadPart);
}

// The same steps as a careful save: a new file beside the target, flushed, then swapped in.
LRESULT saveReplacing(const std::string& path) {
  std::string temporary = path + ".bare-tmp";
  LRESULT size = saveTo(temporary, true);
  if (size < 0) return -1;
  BOOL replaced = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES
                      ? ReplaceFileA(path.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                     nullptr, nullptr)
                      : MoveFileExA(temporary.c_str(), path.c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  return replaced ? size : -1;
}

LRESULT findOnce() {
  CHARRANGE selection{0, 0};
  SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  FINDTEXTEXA query{};
  query.chrg.cpMin = selection.cpMax;
  query.chrg.cpMax = -1;
  query.lpstrText = options.needle.c_str();
  LRESULT found = SendMessageA(editor, EM_FINDTEXTEX, FR_DOWN, reinterpret_cast<LPARAM>(&query));
  if (found != -1) SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&query.chrgText));
  if (options.lineLookups) lookUpCursorLine();
  return found;
}

LRESULT pageToEnd() {
  LRESULT pages = 0;
  POINT before{}, after{};
  SendMessageA(editor, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&before));
  for (;;) {
    SendMessageA(editor, WM_VSCROLL, SB_PAGEDOWN, 0);
    UpdateWindow(editor);
    SendMessageA(editor, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&after));
    if (after.y == before.y) return pages;
    before = after;
    ++pages;
  }
}

LRESULT runOperation() {
  const std::string& operation = options.operation;
  if (operation == "find") return findOnce();
  if (operation == "find-inprocess") {
    LRESULT found = -1;
    for (int step = 0; step < options.steps; ++step) found = findOnce();
    return found;
  }
  if (operation == "save") return saveTo(options.output, false);
  if (operation == "save-replace") return saveReplacing(options.output);
  if (operation == "page-inprocess") return pageToEnd();
  return -1;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case bench::bareRunMessage:
      return runOperation();
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void setCharacterFormat() {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE;
  std::strcpy(format.szFaceName, "Courier");
  format.yHeight = 165;
  SendMessageA(editor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

}  // namespace

int main(int argc, char** argv) {
  if (!parseOptions(argc, argv)) return 2;
  HINSTANCE instance = GetModuleHandleA(nullptr);

  char systemFolder[MAX_PATH] = {};
  UINT length = GetSystemDirectoryA(systemFolder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH - 16) return 3;
  std::string library = std::string(systemFolder) + "\\riched20.dll";
  if (LoadLibraryA(library.c_str()) == nullptr) return 3;

  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "BareControlWindow";
  if (RegisterClassExA(&windowClass) == 0) return 4;

  const DWORD style = WS_OVERLAPPEDWINDOW;
  RECT frame{0, 0, options.editorWidth + 8, options.editorHeight + 56};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Bare control", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                nullptr);
  if (window == nullptr) return 4;
  if (options.maximised) {
    // The control takes the maximised window's client area less the program's bars, as the
    // program's editor does.
    ShowWindow(window, SW_MAXIMIZE);
    RECT client{};
    GetClientRect(window, &client);
    options.editorWidth = client.right - 8;
    options.editorHeight = client.bottom - 56;
  }
  const DWORD editorStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE |
                            ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN |
                            (options.barsWhenNeeded ? 0 : ES_DISABLENOSCROLL);
  const int createdWidth = options.sizeAfterLoad ? 0 : options.editorWidth;
  const int createdHeight = options.sizeAfterLoad ? 0 : options.editorHeight;
  editor = CreateWindowExA(WS_EX_CLIENTEDGE, "RichEdit20A", "", editorStyle, 4, 28, createdWidth, createdHeight, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(bench::bareEditorId)), instance, nullptr);
  if (editor == nullptr) return 5;
  if (options.lineLookups) {
    editorProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&lookingUpEditorProc)));
  }
  SendMessageA(editor, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  setCharacterFormat();
  SendMessageA(editor, EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(24, 0));
  if (options.wrap) SendMessageA(editor, EM_SETTARGETDEVICE, 0, 0);
  if (!options.maximised) ShowWindow(window, SW_SHOWNORMAL);
  SetFocus(editor);

  if (!options.file.empty()) loadFile(options.file);
  if (options.sizeAfterLoad) MoveWindow(editor, 4, 28, options.editorWidth, options.editorHeight, TRUE);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
