// Benchmark driver: starts Velloro, the bare control and the system's own editors as separate
// processes, drives them only from outside (posted commands, window messages, reading their
// controls) and prints one table of medians, each as a ratio against the bare control measured in
// the same rounds.
//
//   velloro_bench.exe --velloro EXE --bare EXE --data FOLDER --work FOLDER [--runs N] [--timeout S]
//                     [--notepad EXE] [--wordpad EXE] [--needle TEXT] [--only LIST] [--raw FILE]
//                     [--document NAME] [--bare-editor WxH] [--peer-timeout S] [--open-timeout S]
//                     [--skip-variants LIST] [--subjects LIST]
// --document names the input that is paged, searched and saved (text-10mb.txt); --only takes case
// names (startup, open, drop, dialog, dialog-max, dialog-wrap, page, find, save, save-lf) or single inputs such as
// "open:1 MB", and so does
// --skip-variants (or "all"), for figures taken without the bare control's variants.
// --open-timeout bounds each run of the open figures (the --timeout when not given). --subjects
// takes the names the log uses (velloro, bare, notepad, wordpad, bare-bars-when-needed, ...) and runs only those.
// Start-up and open time a fresh process per sample; paging, Find Next and the saves start every
// subject once per figure with the document and time the operation on those processes, round by
// round.
#include <windows.h>
#include <richedit.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bare_protocol.h"
#include "bench/bench_process.h"

namespace {

using bench::ChildProcess;
using bench::now;
using bench::RemoteBuffer;

// Command numbers of the program under test, as its menus send them.
constexpr WPARAM openCommand = 2;
constexpr WPARAM saveCommand = 3;
constexpr WPARAM wordWrapCommand = 15;
constexpr WPARAM findCommand = 34;
constexpr WPARAM findNextCommand = 35;
constexpr int velloroEditorId = 1;
constexpr int velloroStatusBarId = 101;
constexpr int velloroSearchFieldId = 5;
constexpr int findSteps = 10;

struct Config {
  std::string velloro, bare, notepad, wordpad, data, work, raw;
  std::string needle = "Quarzuhrwerkstatt";
  std::string document = "text-10mb.txt";  // paged, searched and saved
  int runs = 5;
  double timeout = 300;
  double peerTimeout = 120;  // the system's editors are not what is measured; they may give up sooner
  double openTimeout = -1;   // the open figures' runs; the timeout when not given
  std::set<std::string> skipVariants;  // figures shown without the bare control's variants
  std::set<std::string> subjects;      // only these subjects (their log names); all when empty
  std::set<std::string> only;
  std::string editorSize;  // the program's editor window, given to the bare control
};

Config config;

// The subjects after Wordpad are variants of the bare control that show where the time goes.
enum class Subject {
  Bare, Velloro, Notepad, Wordpad, BareInProcess, BareSafeSave, BareSizedLate, BareBarsWhenNeeded, BareLineLookups,
  BarePieces
};

bool isPeer(Subject subject) { return subject == Subject::Notepad || subject == Subject::Wordpad; }
bool isBareVariant(Subject subject) { return subject != Subject::Velloro && !isPeer(subject); }

const char* subjectName(Subject subject) {
  switch (subject) {
    case Subject::Bare: return "bare";
    case Subject::Velloro: return "velloro";
    case Subject::Notepad: return "notepad";
    case Subject::Wordpad: return "wordpad";
    case Subject::BareInProcess: return "bare-inprocess";
    case Subject::BareSafeSave: return "bare-save-replace";
    case Subject::BareSizedLate: return "bare-size-after-load";
    case Subject::BareBarsWhenNeeded: return "bare-bars-when-needed";
    case Subject::BareLineLookups: return "bare-line-lookups";
    case Subject::BarePieces: return "bare-pieces";
  }
  return "?";
}

struct Sample {
  bool ok = false;
  bool timedOut = false;
  double seconds = 0;
  SIZE_T peak = 0;
  std::string detail;  // what the run produced, compared across subjects
};

struct Input {
  std::string label;
  std::string file;
};

struct Session;

// A figure is taken either from a fresh process per sample (run), or from processes started once
// with the document (load) that do the operation once per round (operate).
struct Case {
  std::string name;    // also the key of --only (the part before ':')
  std::string figure;  // row label
  std::vector<Subject> subjects;
  std::function<Sample(Subject)> run;
  std::function<std::string(Subject, Session&)> load;  // empty when ready, else why not
  std::function<Sample(Subject, Session&)> operate;
};

std::string dataFile(const std::string& name) { return config.data + name; }
std::string workFile(const std::string& name) { return config.work + name; }

std::string programOf(Subject subject) {
  switch (subject) {
    case Subject::Velloro: return config.velloro;
    case Subject::Notepad: return config.notepad;
    case Subject::Wordpad: return config.wordpad;
    default: return config.bare;
  }
}

std::vector<std::string> bareArguments(const std::string& operation, Subject subject = Subject::Bare) {
  std::vector<std::string> arguments{"--op", operation, "--needle", config.needle};
  if (subject == Subject::BareSizedLate) arguments.push_back("--size-after-load");
  if (subject == Subject::BareBarsWhenNeeded) arguments.push_back("--bars-when-needed");
  if (subject == Subject::BareLineLookups) arguments.push_back("--line-lookups");
  if (subject == Subject::BarePieces) arguments.push_back("--pieces");
  if (!config.editorSize.empty()) {
    arguments.push_back("--editor");
    arguments.push_back(config.editorSize);
  }
  return arguments;
}

double peerLimit(double timeout) { return std::min(timeout, config.peerTimeout); }

// Starts a subject with an optional file and times it to the moment it is ready.
Sample launch(ChildProcess& child, Subject subject, std::vector<std::string> arguments, const std::string& file,
              double timeout) {
  Sample sample;
  if (!file.empty()) arguments.push_back(file);
  double started = now();
  if (!child.start(programOf(subject), arguments, config.work)) {
    sample.detail = "could not start";
    return sample;
  }
  if (!child.waitReady(isPeer(subject) ? peerLimit(timeout) : timeout)) {
    sample.detail = "not ready within the timeout";
    sample.timedOut = true;
    return sample;
  }
  sample.seconds = now() - started;
  sample.peak = child.peakWorkingSet();
  sample.ok = true;
  return sample;
}

HWND controlOf(const ChildProcess& child, int id) { return GetDlgItem(child.mainWindow(), id); }

std::string titleOf(HWND window) {
  char title[512] = {};
  GetWindowTextA(window, title, sizeof title);
  return title;
}

// The loaded text's length, or what the peer shows in its title, so that runs can be compared.
std::string loadedDetail(const ChildProcess& child, Subject subject, const std::string& file) {
  if (isBareVariant(subject) || subject == Subject::Velloro) {
    LRESULT length = 0;
    if (!bench::sendWithin(controlOf(child, velloroEditorId), WM_GETTEXTLENGTH, 0, 0, config.timeout, &length)) {
      return "no answer";
    }
    std::string detail = "chars=" + std::to_string(length);
    if (subject == Subject::Velloro) {
      RemoteBuffer buffer(child.handle(), 4096);
      std::string status = bench::statusText(buffer, controlOf(child, velloroStatusBarId), 1, config.timeout);
      if (!file.empty() && status != " Geöffnet") detail += " status='" + status + "'";
    }
    return detail;
  }
  std::string title = titleOf(child.mainWindow());
  std::string name = file.substr(file.find_last_of('\\') + 1);
  return title.find(name) == std::string::npos ? "title='" + title + "'" : "title ok";
}

Sample startupRun(Subject subject) {
  ChildProcess child;
  std::vector<std::string> arguments = subject == Subject::Bare ? bareArguments("none") : std::vector<std::string>{};
  return launch(child, subject, arguments, "", config.timeout);
}

Sample openRun(Subject subject, const std::string& file, const std::vector<std::string>& bareShape = {}) {
  ChildProcess child;
  std::vector<std::string> arguments;
  if (isBareVariant(subject)) {
    arguments = bareArguments("none", subject);
    arguments.insert(arguments.end(), bareShape.begin(), bareShape.end());
  }
  Sample sample = launch(child, subject, arguments, file, config.openTimeout);
  if (sample.ok) sample.detail = loadedDetail(child, subject, file);
  // A file the program refuses (over its size limit) is no open to time.
  if (sample.ok && sample.detail.find(" status=") != std::string::npos) sample.ok = false;
  return sample;
}

// How a file reaches a window that is already shown, and how that window looks when it comes.
struct Arrival {
  bool dialog = false;     // chosen in the Open dialog; else dropped on the window
  bool maximised = false;  // the window maximised first
  bool wrapped = false;    // word wrap on first
};

std::vector<std::string> bareShapeArguments(const Arrival& arrival) {
  std::vector<std::string> arguments;
  if (arrival.maximised) arguments.push_back("--maximised");
  if (arrival.wrapped) arguments.push_back("--wrap");
  return arguments;
}

// notepad keeps its word wrap in the registry and reads it at start; the driver sets it for the runs
// that want it and puts the old value back.
class NotepadWrap {
 public:
  explicit NotepadWrap(bool on) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Notepad", 0, nullptr, 0, KEY_READ | KEY_WRITE,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    DWORD size = sizeof old_;
    had_ = RegQueryValueExA(key_, "fWrap", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) == ERROR_SUCCESS;
    DWORD value = on ? 1 : 0;
    RegSetValueExA(key_, "fWrap", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  ~NotepadWrap() {
    if (key_ == nullptr) return;
    if (had_) {
      RegSetValueExA(key_, "fWrap", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
    } else {
      RegDeleteValueA(key_, "fWrap");
    }
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool had_ = false;
};

// notepad's File > Open command, as its menu sends it.
constexpr WPARAM notepadOpenCommand = 0x101;

struct DialogSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<DialogSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (owner != search->processId || !IsWindowVisible(window) || std::strcmp(name, "#32770") != 0) return TRUE;
  search->found = window;
  return FALSE;
}

// The process's shown dialog box, waited for; null when none came before the deadline.
HWND dialogOf(const ChildProcess& child, double deadline) {
  while (now() < deadline) {
    DialogSearch search{child.id(), nullptr};
    EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    Sleep(5);
  }
  return nullptr;
}

// The window put in the state the figure asks for, then every message and paint that brought handled.
std::string prepareWindow(const ChildProcess& child, Subject subject, const Arrival& arrival, double deadline) {
  HWND window = child.mainWindow();
  LRESULT ignored = 0;
  if (arrival.maximised) {
    ShowWindowAsync(window, SW_MAXIMIZE);
    while (!IsZoomed(window) && now() < deadline) Sleep(5);
    if (!IsZoomed(window)) return "not maximised";
  }
  if (arrival.wrapped && subject == Subject::Velloro) {
    PostMessageA(window, WM_COMMAND, wordWrapCommand, 0);
  }
  if (!bench::sendWithin(window, WM_NULL, 0, 0, deadline - now(), &ignored)) return "no answer";
  UpdateWindow(window);
  if (!bench::sendWithin(window, WM_NULL, 0, 0, deadline - now(), &ignored)) return "no answer";
  return {};
}

// The file handed over; the time the hand-over ends, which is when the load begins, or 0.
double handOver(const ChildProcess& child, Subject subject, const Arrival& arrival, const std::string& file,
                double deadline, std::string& failed) {
  const HWND window = child.mainWindow();
  if (arrival.dialog) {
    PostMessageA(window, WM_COMMAND, subject == Subject::Velloro ? openCommand : notepadOpenCommand, 0);
    HWND dialog = dialogOf(child, deadline);
    if (dialog == nullptr) {
      failed = "no Open dialog";
      return 0;
    }
    // The file name field: a combo box in the dialog of today, an edit field in the old one.
    HWND field = GetDlgItem(dialog, 0x47C);
    if (field == nullptr) field = GetDlgItem(dialog, 0x480);
    LRESULT ignored = 0;
    if (field == nullptr ||
        !bench::sendWithin(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()), deadline - now(), &ignored)) {
      failed = "no file name field";
      return 0;
    }
    const double started = now();
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return started;
  }
  // A drop: a DROPFILES block written into the process's memory (a fixed block, which is what a
  // drop handle is). The receiver frees it; the buffer is left to it.
  std::vector<char> block(sizeof(DROPFILES) + file.size() + 2, '\0');
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  std::memcpy(block.data(), &header, sizeof header);
  std::memcpy(block.data() + sizeof header, file.data(), file.size());
  void* remote = VirtualAllocEx(child.handle(), nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  SIZE_T written = 0;
  if (remote == nullptr || !WriteProcessMemory(child.handle(), remote, block.data(), block.size(), &written)) {
    failed = "no memory in the process";
    return 0;
  }
  const double started = now();
  PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
  return started;
}

// Done when Velloro's status bar reads " Geöffnet", or when the peer's title names the file and its
// thread answers again; empty then, else what was seen.
std::string waitLoaded(const ChildProcess& child, Subject subject, const std::string& file, double deadline) {
  if (subject == Subject::Velloro) {
    RemoteBuffer text(child.handle(), 4096);
    const HWND statusBar = controlOf(child, velloroStatusBarId);
    std::string status;
    while (now() < deadline) {
      status = bench::statusText(text, statusBar, 1, deadline - now());
      if (status == " Geöffnet") return {};
      Sleep(5);
    }
    return "status='" + status + "'";
  }
  const std::string name = file.substr(file.find_last_of('\\') + 1);
  while (now() < deadline) {
    if (titleOf(child.mainWindow()).find(name) != std::string::npos) {
      LRESULT ignored = 0;
      if (bench::sendWithin(child.mainWindow(), WM_NULL, 0, 0, deadline - now(), &ignored)) return {};
    }
    Sleep(5);
  }
  return "title='" + titleOf(child.mainWindow()) + "'";
}

// Velloro and notepad started without a file and ready, the window maximised or wrapping where the
// figure says so, then the file dropped on it or chosen in the Open dialog: timed from the drop or
// the dialog's OK until the file is shown. The bare control, already sized when its text streams in,
// is the same case for it and is timed from the command line.
Sample shownWindowRun(Subject subject, const std::string& file, const Arrival& arrival) {
  if (isBareVariant(subject)) return openRun(subject, file, bareShapeArguments(arrival));
  std::optional<NotepadWrap> wrap;
  if (subject == Subject::Notepad) wrap.emplace(arrival.wrapped);
  ChildProcess child;
  Sample sample = launch(child, subject, {}, "", config.timeout);
  if (!sample.ok) return sample;
  sample.ok = false;
  const double deadline = now() + config.openTimeout;
  std::string failed = prepareWindow(child, subject, arrival, deadline);
  const double started = failed.empty() ? handOver(child, subject, arrival, file, deadline, failed) : 0;
  if (failed.empty()) failed = waitLoaded(child, subject, file, deadline);
  if (!failed.empty()) {
    sample.detail = failed;
    sample.timedOut = now() >= deadline;
    return sample;
  }
  sample.seconds = now() - started;
  sample.peak = child.peakWorkingSet();
  sample.detail = loadedDetail(child, subject, file);
  sample.ok = sample.detail.find(" status=") == std::string::npos && sample.detail.find("title=") == std::string::npos;
  return sample;
}

// ---- figures taken from processes loaded once ----

// A subject started once for a figure, with the document loaded, and kept through its rounds.
struct Session {
  ChildProcess child;
  std::string failure;  // why it is not ready for the rounds; empty when it is
  std::string loaded;   // the loaded text's length, part of every sample's detail
  std::string output;   // the file it writes in the save figures
};

// The bare control and its variants load in the program's order: sized first, then the text, so
// that both hold the same text in the same layout when the rounds begin.
std::vector<std::string> loadedBareArguments(const std::string& operation, Subject subject = Subject::Bare) {
  return bareArguments(operation, subject);
}

// Starts the subject with the file and waits until it is ready; the load is not a sample.
std::string loadSession(Session& session, Subject subject, const std::vector<std::string>& arguments,
                        const std::string& file) {
  Sample started = launch(session.child, subject, arguments, file, config.timeout);
  if (!started.ok) return "not loaded: " + started.detail;
  LRESULT length = 0;
  if (!bench::sendWithin(controlOf(session.child, velloroEditorId), WM_GETTEXTLENGTH, 0, 0, config.timeout, &length)) {
    return "not loaded: no answer";
  }
  session.loaded = "chars=" + std::to_string(length);
  std::fprintf(stderr, "loaded  %-18s %9.1f ms %s\n", subjectName(subject), started.seconds * 1000,
               session.loaded.c_str());
  return {};
}

// A sample that failed; it counts as timed out when the time given to it ran out.
Sample failure(const std::string& detail, double deadline) {
  Sample sample;
  sample.detail = detail;
  sample.timedOut = now() >= deadline;
  return sample;
}

// The subject's window in front and active, every paint done: several subjects are open at once,
// and a covered window would paint less than one alone on the screen.
bool bringToFront(const ChildProcess& child, double deadline) {
  HWND window = child.mainWindow();
  SetForegroundWindow(window);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  LRESULT ignored = 0;
  if (!bench::sendWithin(window, WM_NULL, 0, 0, deadline - now(), &ignored)) return false;
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return bench::sendWithin(window, WM_NULL, 0, 0, deadline - now(), &ignored) && GetForegroundWindow() == window;
}

// The view back at the top with its paints done, as right after the load; empty when it is there.
std::string backToTop(const RemoteBuffer& buffer, HWND editor, double deadline) {
  LRESULT ignored = 0;
  POINT position{-1, -1};
  if (!bench::sendWithin(editor, WM_VSCROLL, SB_TOP, 0, deadline - now(), &ignored)) return "no answer";
  UpdateWindow(editor);
  if (!bench::scrollPositionOf(buffer, editor, &position, deadline - now())) return "no answer";
  if (position.y != 0) return "not back at the top (y=" + std::to_string(position.y) + ")";
  return {};
}

std::string loadForPaging(Subject subject, Session& session, const std::string& file) {
  std::vector<std::string> arguments;
  if (subject != Subject::Velloro) {
    arguments = loadedBareArguments(subject == Subject::BareInProcess ? "page-inprocess" : "none", subject);
  }
  return loadSession(session, subject, arguments, file);
}

// From the top, page down and paint, from outside, until the scroll position stays: the same for
// both subjects.
Sample pageOnce(Subject subject, Session& session) {
  const double deadline = now() + config.timeout;
  HWND editor = controlOf(session.child, velloroEditorId);
  RemoteBuffer buffer(session.child.handle(), 64);
  if (!bringToFront(session.child, deadline)) return failure("not brought to the front", deadline);
  if (std::string wrong = backToTop(buffer, editor, deadline); !wrong.empty()) return failure(wrong, deadline);
  double started = now();
  long pages = 0;
  if (subject == Subject::BareInProcess) {
    LRESULT result = 0;
    if (!bench::sendWithin(session.child.mainWindow(), bench::bareRunMessage, 0, 0, deadline - now(), &result)) {
      return failure("no answer", deadline);
    }
    pages = static_cast<long>(result);
  } else {
    POINT before{}, after{};
    if (!bench::scrollPositionOf(buffer, editor, &before, deadline - now())) {
      return failure("scroll position unreadable", deadline);
    }
    for (;;) {
      LRESULT ignored = 0;
      if (!bench::sendWithin(editor, WM_VSCROLL, SB_PAGEDOWN, 0, deadline - now(), &ignored)) {
        return failure("no answer", deadline);
      }
      UpdateWindow(editor);
      if (!bench::scrollPositionOf(buffer, editor, &after, deadline - now())) return failure("no answer", deadline);
      if (after.y == before.y) break;
      before = after;
      ++pages;
    }
  }
  Sample sample;
  sample.seconds = now() - started;
  sample.detail = "pages=" + std::to_string(pages) + " " + session.loaded;
  sample.ok = pages > 0;
  return sample;
}

// Types the text into the program's Find window and closes it, so that Find Next has a text.
bool rememberSearchText(ChildProcess& child) {
  PostMessageA(child.mainWindow(), WM_COMMAND, findCommand, 0);
  const double deadline = now() + 10;
  const std::string searchTitle = "|  Suchen";
  HWND window = nullptr;
  while ((window = child.windowEndingWith(searchTitle)) == nullptr) {
    if (now() > deadline) return false;
    Sleep(1);
  }
  LRESULT ignored = 0;
  if (!bench::sendWithin(GetDlgItem(window, velloroSearchFieldId), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(config.needle.c_str()), 10, &ignored)) {
    return false;
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
  while (IsWindow(window)) {
    if (now() > deadline) return false;
    Sleep(1);
  }
  return bench::sendWithin(child.mainWindow(), WM_NULL, 0, 0, 10, &ignored);
}

std::string loadForFinding(Subject subject, Session& session, const std::string& file) {
  std::vector<std::string> arguments;
  if (subject == Subject::Bare || subject == Subject::BareLineLookups || subject == Subject::BarePieces) {
    arguments = loadedBareArguments("find", subject);
  }
  if (subject == Subject::BareInProcess) arguments = loadedBareArguments("find-inprocess");
  std::string failed = loadSession(session, subject, arguments, file);
  if (failed.empty() && subject == Subject::Velloro && !rememberSearchText(session.child)) {
    return "Find window did not take the text";
  }
  return failed;
}

// From the selection at 0 and the view at the top, ten Find Next.
Sample findOnce(Subject subject, Session& session) {
  const double deadline = now() + config.timeout;
  HWND editor = controlOf(session.child, velloroEditorId);
  RemoteBuffer buffer(session.child.handle(), 64);
  if (!bringToFront(session.child, deadline)) return failure("not brought to the front", deadline);
  LRESULT ignored = 0;
  CHARRANGE selection{-1, -1};
  if (!bench::sendWithin(editor, EM_SETSEL, 0, 0, deadline - now(), &ignored)) return failure("no answer", deadline);
  if (std::string wrong = backToTop(buffer, editor, deadline); !wrong.empty()) return failure(wrong, deadline);
  if (!bench::selectionOf(buffer, editor, &selection, deadline - now())) return failure("no answer", deadline);
  if (selection.cpMin != 0 || selection.cpMax != 0) {
    return failure("selection not at 0 (" + std::to_string(selection.cpMin) + "," + std::to_string(selection.cpMax) +
                       ")",
                   deadline);
  }
  double started = now();
  if (subject == Subject::Velloro) {
    for (int step = 0; step < findSteps; ++step) {
      LONG previous = selection.cpMin;
      PostMessageA(session.child.mainWindow(), WM_COMMAND, findNextCommand, 0);
      do {
        if (now() > deadline || !bench::selectionOf(buffer, editor, &selection, deadline - now())) {
          return failure("step " + std::to_string(step + 1) + " found nothing", deadline);
        }
      } while (selection.cpMin == previous);
    }
  } else {
    int messages = subject == Subject::BareInProcess ? 1 : findSteps;
    LRESULT found = -1;
    for (int step = 0; step < messages; ++step) {
      if (!bench::sendWithin(session.child.mainWindow(), bench::bareRunMessage, 0, 0, deadline - now(), &found) ||
          found == -1) {
        return failure("step " + std::to_string(step + 1) + " found nothing", deadline);
      }
    }
    selection.cpMin = static_cast<LONG>(found);
  }
  Sample sample;
  sample.seconds = now() - started;
  sample.detail = "last hit=" + std::to_string(selection.cpMin) + " " + session.loaded;
  sample.ok = true;
  return sample;
}

std::string savedFile(const std::string& figure, Subject subject) {
  return workFile("saved-" + figure + "-" + subjectName(subject) + ".txt");
}

// The program saves over the file it opened, so it opens a copy; the replacing bare variant finds a
// file in place, as the program does.
std::string loadForSaving(Subject subject, Session& session, const std::string& figure, const std::string& file) {
  session.output = savedFile(figure, subject);
  std::string opened = file;
  std::vector<std::string> arguments;
  if (subject == Subject::Velloro) {
    opened = session.output;
    if (!CopyFileA(file.c_str(), opened.c_str(), FALSE)) return "could not copy the input";
  } else {
    arguments = loadedBareArguments(subject == Subject::BareSafeSave ? "save-replace" : "save", subject);
    arguments.push_back("--out");
    arguments.push_back(session.output);
    if (subject == Subject::BareSafeSave && !CopyFileA(file.c_str(), session.output.c_str(), FALSE)) {
      return "could not copy the input";
    }
  }
  return loadSession(session, subject, arguments, opened);
}

// Before every save an existing output gets this old time, so a newer one shows that this save
// wrote it.
constexpr unsigned long long staleWriteTime = 125911584000000000ull;  // 2000-01-01

// keepsInput: the program must write the input back byte for byte (its own line ends), while the
// bare control writes CR LF; otherwise the files must equal the bare control's.
Sample saveOnce(Subject subject, Session& session, const std::string& figure, const std::string& file,
                bool keepsInput) {
  const double deadline = now() + config.timeout;
  const std::string& output = session.output;
  if (!bringToFront(session.child, deadline)) return failure("not brought to the front", deadline);
  if (bench::fileExists(output) && !bench::setLastWriteTime(output, staleWriteTime)) {
    return failure("could not date the output back", deadline);
  }
  double started = now();
  if (subject == Subject::Velloro) {
    // The status already reads " Gespeichert" from the save before; only once the file was seen
    // replaced does a status read (answered by the program's thread after the command) belong to
    // this save.
    RemoteBuffer buffer(session.child.handle(), 4096);
    HWND statusBar = controlOf(session.child, velloroStatusBarId);
    PostMessageA(session.child.mainWindow(), WM_COMMAND, saveCommand, 0);
    bool rewritten = false;
    std::string status;
    for (;;) {
      rewritten = rewritten || bench::lastWriteTime(output) > staleWriteTime;
      status = bench::statusText(buffer, statusBar, 1, deadline - now());
      if (rewritten && status == " Gespeichert") break;
      if (now() > deadline) {
        return failure(rewritten ? "status stayed '" + status + "'" : "file not written again", deadline);
      }
    }
  } else {
    LRESULT written = -1;
    if (!bench::sendWithin(session.child.mainWindow(), bench::bareRunMessage, 0, 0, deadline - now(), &written) ||
        written < 0) {
      return failure("save failed", deadline);
    }
  }
  Sample sample;
  sample.seconds = now() - started;
  sample.detail = "bytes=" + std::to_string(bench::fileSize(output)) + " " + session.loaded;
  if (bench::lastWriteTime(output) <= staleWriteTime) {
    sample.detail += " file not written again";
    return sample;
  }
  if (keepsInput && subject == Subject::Velloro && !bench::sameContents(output, file)) {
    sample.detail += " differs from the input";
    return sample;
  }
  std::string bareOutput = savedFile(figure, Subject::Bare);
  if (!keepsInput && subject != Subject::Bare && bench::fileExists(bareOutput) &&
      !bench::sameContents(output, bareOutput)) {
    sample.detail += " content differs from the bare control's";
  }
  sample.ok = true;
  return sample;
}

std::vector<Input> inputs() {
  return {{"1 MB", "text-1mb.txt"},
          {"1 MB UTF-8", "text-1mb-utf8.txt"},
          {"10 MB", "text-10mb.txt"},
          {"10 MB UTF-8", "text-10mb-utf8.txt"},
          {"50 MB", "text-50mb.txt"},
          {"1 MB line", "line-1mb.txt"}};
}

std::string labelOf(const std::string& file) {
  for (const Input& input : inputs()) {
    if (input.file == file) return input.label;
  }
  return file;
}

std::vector<Case> cases() {
  const std::vector<Subject> all{Subject::Bare, Subject::Velloro, Subject::Notepad, Subject::Wordpad};
  std::vector<Subject> everyone;
  for (Subject subject : all) {
    if (!programOf(subject).empty()) everyone.push_back(subject);
  }
  const std::string big = dataFile(config.document);
  const std::string bigLabel = labelOf(config.document);
  std::vector<Subject> opening = everyone;
  opening.push_back(Subject::BareSizedLate);
  opening.push_back(Subject::BareBarsWhenNeeded);
  opening.push_back(Subject::BarePieces);
  std::vector<Case> list;
  list.push_back({"startup", "Start-up to idle", everyone, [](Subject s) { return startupRun(s); }, nullptr, nullptr});
  for (const Input& input : inputs()) {
    std::string file = dataFile(input.file);
    list.push_back({"open:" + input.label, "Open " + input.label + " from the command line", opening,
                    [file](Subject s) { return openRun(s, file); }, nullptr, nullptr});
  }
  // A file arriving at the shown window, by each way and in each look the figures name.
  struct Way {
    std::string key, how;
    Arrival arrival;
  };
  const std::vector<Way> ways{{"drop", "dropped on the shown window", {false, false, false}},
                              {"dialog", "chosen in the Open dialog", {true, false, false}},
                              {"dialog-max", "chosen in the Open dialog, window maximised", {true, true, false}},
                              {"dialog-wrap", "chosen in the Open dialog, word wrap on", {true, false, true}}};
  std::vector<Subject> arriving{Subject::Bare, Subject::Velloro};
  if (!config.notepad.empty()) arriving.push_back(Subject::Notepad);
  for (const Way& way : ways) {
    for (const Input& input : inputs()) {
      std::string file = dataFile(input.file);
      Arrival arrival = way.arrival;
      list.push_back({way.key + ":" + input.label, "Open " + input.label + " " + way.how, arriving,
                      [file, arrival](Subject s) { return shownWindowRun(s, file, arrival); }, nullptr, nullptr});
    }
  }
  const std::vector<Subject> paging{Subject::Bare, Subject::Velloro, Subject::BareInProcess, Subject::BareLineLookups,
                                    Subject::BarePieces};
  list.push_back({"page", "Paging through " + bigLabel, paging, nullptr,
                  [big](Subject s, Session& session) { return loadForPaging(s, session, big); }, pageOnce});
  list.push_back({"find", "Find Next to the 10th of 10 hits, " + bigLabel, paging, nullptr,
                  [big](Subject s, Session& session) { return loadForFinding(s, session, big); }, findOnce});
  list.push_back({"save", "Save " + bigLabel, {Subject::Bare, Subject::Velloro, Subject::BareSafeSave, Subject::BarePieces},
                  nullptr,
                  [big](Subject s, Session& session) { return loadForSaving(s, session, "save", big); },
                  [big](Subject s, Session& session) { return saveOnce(s, session, "save", big, false); }});
  const std::string lfOnly = dataFile("text-10mb-lf.txt");
  list.push_back({"save-lf", "Save 10 MB LF", {Subject::Bare, Subject::Velloro}, nullptr,
                  [lfOnly](Subject s, Session& session) { return loadForSaving(s, session, "save-lf", lfOnly); },
                  [lfOnly](Subject s, Session& session) { return saveOnce(s, session, "save-lf", lfOnly, true); }});
  std::vector<Case> chosen;
  for (Case& c : list) {
    std::string key = c.name.substr(0, c.name.find(':'));
    if (!config.only.empty() && config.only.count(key) == 0 && config.only.count(c.name) == 0) continue;
    if (config.skipVariants.count("all") != 0 || config.skipVariants.count(key) != 0 ||
        config.skipVariants.count(c.name) != 0) {
      std::erase_if(c.subjects, [](Subject s) { return s != Subject::Bare && isBareVariant(s); });
    }
    if (!config.subjects.empty()) {
      std::erase_if(c.subjects, [](Subject s) { return config.subjects.count(subjectName(s)) == 0; });
    }
    chosen.push_back(c);
  }
  return chosen;
}

// ---- results and the table ----

using Samples = std::map<Subject, std::vector<Sample>>;

struct Summary {
  int good = 0, total = 0, timedOut = 0;
  double seconds = 0;
  double peak = 0;
  std::set<std::string> details;
};

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

Summary summarise(const std::vector<Sample>& samples) {
  Summary summary;
  std::vector<double> seconds, peaks;
  for (const Sample& sample : samples) {
    ++summary.total;
    summary.details.insert(sample.detail);
    if (sample.timedOut) ++summary.timedOut;
    if (!sample.ok) continue;
    ++summary.good;
    seconds.push_back(sample.seconds);
    peaks.push_back(static_cast<double>(sample.peak));
  }
  summary.seconds = median(seconds);
  summary.peak = median(peaks);
  return summary;
}

std::string format(const char* pattern, double value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

std::string milliseconds(double seconds) {
  double ms = seconds * 1000;
  return format(ms >= 100 ? "%.0f ms" : ms >= 10 ? "%.1f ms" : "%.2f ms", ms);
}

std::string megabytes(double bytes) { return format("%.1f MB", bytes / (1024.0 * 1024.0)); }

std::string cell(const Summary& summary, const Summary& base, bool memory, bool isBase, double timeout) {
  if (summary.total == 0) return "-";
  if (summary.good == 0 && summary.timedOut == summary.total) return memory ? "-" : format("> %g s", timeout);
  if (summary.good == 0) return "failed";
  double value = memory ? summary.peak : summary.seconds;
  double baseValue = memory ? base.peak : base.seconds;
  std::string text = memory ? megabytes(value) : milliseconds(value);
  if (!isBase && base.good > 0 && baseValue > 0) text += format(" (x%.2f)", value / baseValue);
  if (summary.good < summary.total) {
    text += " [" + std::to_string(summary.good) + "/" + std::to_string(summary.total) + " ok]";
  }
  return text;
}

struct Row {
  std::string figure;
  Samples samples;
  bool memory;
  std::string target;  // empty: no target
  double limit;        // ratio to the bare control; 0: compared with wordpad instead
  double timeout;      // of each run, shown for a subject that ran out of it
  double notepadLimit = 0;  // ratio to notepad as well; 0: none
};

// The figures that time a file being opened, by whichever way.
bool isOpening(const std::string& key) {
  return key == "open" || key == "drop" || key == "dialog" || key == "dialog-max" || key == "dialog-wrap";
}

double timeoutOf(const Case& c) {
  return isOpening(c.name.substr(0, c.name.find(':'))) ? config.openTimeout : config.timeout;
}

std::string verdict(const Row& row) {
  if (row.target.empty()) return "";
  Summary velloro = summarise(row.samples.count(Subject::Velloro) ? row.samples.at(Subject::Velloro)
                                                                    : std::vector<Sample>{});
  Subject against = row.limit > 0 ? Subject::Bare : Subject::Wordpad;
  Summary other = summarise(row.samples.count(against) ? row.samples.at(against) : std::vector<Sample>{});
  // A bare control that ran out of time in every run took longer than the timeout: a program that
  // finished every run within the allowed multiple of that timeout has met the target.
  if (!row.memory && row.limit > 0 && other.total > 0 && other.timedOut == other.total && velloro.good > 0 &&
      velloro.good == velloro.total && velloro.seconds <= row.timeout * row.limit) {
    return format("met (bare control > %g s)", row.timeout);
  }
  if (velloro.good == 0 || other.good == 0) return "not measured";
  double mine = row.memory ? velloro.peak : velloro.seconds;
  double theirs = row.memory ? other.peak : other.seconds;
  double allowed = row.limit > 0 ? theirs * row.limit : theirs;
  std::string said = mine <= allowed ? "met" : format("**missed** (x%.2f)", mine / theirs);
  if (row.notepadLimit <= 0) return said;
  Summary notepad = summarise(row.samples.count(Subject::Notepad) ? row.samples.at(Subject::Notepad)
                                                                    : std::vector<Sample>{});
  if (notepad.good == 0) return said + "; notepad not measured";
  double versus = velloro.seconds / notepad.seconds;
  return said + (versus <= row.notepadLimit ? format("; notepad met (x%.2f)", versus)
                                            : format("; notepad **missed** (x%.2f)", versus));
}

void printTable(const std::vector<Row>& rows) {
  const std::vector<Subject> columns{Subject::Bare, Subject::Velloro, Subject::Notepad, Subject::Wordpad};
  std::printf("| Figure (median of %d) | bare control | Velloro | notepad | wordpad | Target for Velloro | |\n",
              config.runs);
  std::printf("|---|---|---|---|---|---|---|\n");
  for (const Row& row : rows) {
    Summary base = summarise(row.samples.count(Subject::Bare) ? row.samples.at(Subject::Bare) : std::vector<Sample>{});
    std::printf("| %s |", row.figure.c_str());
    for (Subject subject : columns) {
      Summary summary =
          summarise(row.samples.count(subject) ? row.samples.at(subject) : std::vector<Sample>{});
      double timeout = isPeer(subject) ? peerLimit(row.timeout) : row.timeout;
      std::printf(" %s |", cell(summary, base, row.memory, subject == Subject::Bare, timeout).c_str());
    }
    std::printf(" %s | %s |\n", row.target.c_str(), verdict(row).c_str());
  }
}

const char* variantDescription(Subject variant) {
  switch (variant) {
    case Subject::BareSafeSave: return "new file beside the target, flushed, replaced";
    case Subject::BareInProcess: return "the whole loop inside its own process";
    case Subject::BareSizedLate: return "control created 0 x 0, sized after the load (the program's order before)";
    case Subject::BareBarsWhenNeeded: return "scroll bars only when needed (without ES_DISABLENOSCROLL)";
    case Subject::BareLineLookups: return "with the line lookups of a line-number gutter and a cursor position";
    case Subject::BarePieces: return "file streamed in pieces of 2 MB, as the program loads";
    default: return "";
  }
}

void printVariants(const std::vector<Row>& rows) {
  bool header = false;
  for (const Row& row : rows) {
    if (row.memory) continue;
    for (Subject variant :
         {Subject::BareInProcess, Subject::BareSafeSave, Subject::BareSizedLate, Subject::BareBarsWhenNeeded,
          Subject::BareLineLookups, Subject::BarePieces}) {
      if (!row.samples.count(variant)) continue;
      if (!header) {
        std::printf("\n| Bare control variant (where the time goes) | median | against the plain bare control |\n");
        std::printf("|---|---|---|\n");
        header = true;
      }
      Summary base = summarise(row.samples.at(Subject::Bare));
      Summary summary = summarise(row.samples.at(variant));
      const char* what = variantDescription(variant);
      std::string ratio = base.good > 0 && summary.good > 0 ? format("x%.2f", summary.seconds / base.seconds) : "";
      std::string median = cell(summary, base, false, true, row.timeout);
      std::printf("| %s: %s | %s | %s |\n", row.figure.c_str(), what, median.c_str(),
                  ratio.c_str());
    }
  }
}

// Runs that should have produced the same text, hit or file but did not.
void printMismatches(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    if (row.memory) continue;
    std::set<std::string> seen;
    for (const auto& [subject, samples] : row.samples) {
      if (isPeer(subject)) continue;
      for (const std::string& detail : summarise(samples).details) seen.insert(detail);
    }
    if (seen.size() > 1) {
      std::string all;
      for (const std::string& detail : seen) all += " [" + detail + "]";
      std::printf("\nNOTE: %s: runs differ:%s\n", row.figure.c_str(), all.c_str());
    }
  }
}

bool parseArguments(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string name = argv[i];
    if (i + 1 >= argc) return false;
    std::string value = argv[++i];
    if (name == "--velloro") config.velloro = value;
    else if (name == "--bare") config.bare = value;
    else if (name == "--notepad") config.notepad = value;
    else if (name == "--wordpad") config.wordpad = value;
    else if (name == "--data") config.data = value;
    else if (name == "--work") config.work = value;
    else if (name == "--raw") config.raw = value;
    else if (name == "--needle") config.needle = value;
    else if (name == "--bare-editor") config.editorSize = value;
    else if (name == "--document") config.document = value;
    else if (name == "--runs") config.runs = std::max(1, std::atoi(value.c_str()));
    else if (name == "--timeout") config.timeout = std::atof(value.c_str());
    else if (name == "--peer-timeout") config.peerTimeout = std::atof(value.c_str());
    else if (name == "--open-timeout") config.openTimeout = std::atof(value.c_str());
    else if (name == "--only" || name == "--skip-variants" || name == "--subjects") {
      std::stringstream list(value);
      std::string item;
      std::set<std::string>& into =
          name == "--only" ? config.only : name == "--subjects" ? config.subjects : config.skipVariants;
      while (std::getline(list, item, ',')) into.insert(item);
    } else {
      return false;
    }
  }
  if (config.openTimeout <= 0) config.openTimeout = config.timeout;
  for (std::string* folder : {&config.data, &config.work}) {
    if (!folder->empty() && folder->back() != '\\') *folder += '\\';
  }
  return !config.velloro.empty() && !config.bare.empty() && !config.data.empty() && !config.work.empty();
}

std::string firstExisting(const std::vector<std::string>& candidates) {
  for (const std::string& path : candidates) {
    if (bench::fileExists(path)) return path;
  }
  return {};
}

void findPeers() {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  std::string root = windows;
  if (config.notepad.empty()) {
    config.notepad = firstExisting({root + "\\notepad.exe", root + "\\system32\\notepad.exe"});
  }
  if (config.wordpad.empty()) {
    char programs[MAX_PATH] = {};
    GetEnvironmentVariableA("ProgramFiles", programs, MAX_PATH);
    config.wordpad = firstExisting({std::string(programs) + "\\Windows NT\\Accessories\\wordpad.exe",
                                    root + "\\system32\\wordpad.exe", root + "\\wordpad.exe"});
  }
}

// The program's editor window size, so that the bare control pages through the same view.
void measureEditorSize() {
  ChildProcess child;
  if (!child.start(config.velloro, {}, config.work) || !child.waitReady(config.timeout)) return;
  RECT frame{};
  if (GetWindowRect(controlOf(child, velloroEditorId), &frame)) {
    config.editorSize = std::to_string(frame.right - frame.left) + "x" + std::to_string(frame.bottom - frame.top);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (!parseArguments(argc, argv)) {
    std::fprintf(stderr,
                 "usage: velloro_bench --velloro EXE --bare EXE --data FOLDER --work FOLDER [--runs N] [--timeout S]\n"
                 "       [--notepad EXE] [--wordpad EXE] [--needle TEXT] [--only startup,open,page,find,save]"
                 " [--raw FILE]\n       [--document NAME] [--bare-editor WxH] [--peer-timeout S] [--open-timeout S]\n"
                 "       [--skip-variants LIST] [--subjects LIST]\n");
    return 2;
  }
  findPeers();
  if (config.editorSize.empty()) measureEditorSize();
  std::fprintf(stderr, "editor %s; notepad %s; wordpad %s\n", config.editorSize.c_str(), config.notepad.c_str(),
               config.wordpad.c_str());

  std::vector<Case> list = cases();
  std::map<std::string, Samples> results;
  FILE* raw = config.raw.empty() ? nullptr : std::fopen(config.raw.c_str(), "w");
  if (raw != nullptr) std::fprintf(raw, "case,subject,round,ok,seconds,peak_bytes,detail\n");

  // The inputs are read once beforehand so that no subject pays for the disk. Within a round the
  // subjects take turns, starting one further along each time, so that drift hits all alike.
  for (const Input& input : inputs()) bench::sameContents(dataFile(input.file), dataFile(input.file));
  auto record = [&](const Case& c, Subject subject, int round, const Sample& sample) {
    std::fprintf(stderr, "round %d %-10s %-18s %s %9.1f ms %s\n", round, c.name.c_str(), subjectName(subject),
                 sample.ok ? "ok  " : "FAIL", sample.seconds * 1000, sample.detail.c_str());
    if (round == 0) return;
    results[c.name][subject].push_back(sample);
    if (raw != nullptr) {
      std::fprintf(raw, "%s,%s,%d,%d,%.6f,%lu,%s\n", c.name.c_str(), subjectName(subject), round, sample.ok ? 1 : 0,
                   sample.seconds, static_cast<unsigned long>(sample.peak), sample.detail.c_str());
      std::fflush(raw);
    }
  };
  // A subject that ran into the timeout once is not run again for that figure; its later samples
  // repeat the one that timed out.
  std::map<std::pair<std::string, Subject>, Sample> givenUp;

  // Fresh processes: round 0 starts every program once to warm the system's libraries and is not
  // counted.
  for (int round = 0; round <= config.runs; ++round) {
    for (const Case& c : list) {
      if (!c.run || (round == 0 && c.name != "startup")) continue;
      std::size_t count = c.subjects.size();
      for (std::size_t k = 0; k < count; ++k) {
        Subject subject = c.subjects[(k + static_cast<std::size_t>(round)) % count];
        Sample sample;
        if (givenUp.count({c.name, subject}) != 0) {
          sample = givenUp[{c.name, subject}];
        } else {
          sample = c.run(subject);
          if (sample.timedOut) givenUp[{c.name, subject}] = sample;
        }
        record(c, subject, round, sample);
      }
    }
  }

  // Loaded once per figure: every subject loads the document, then the rounds run on those
  // processes; each process's first operation (round 0) is not counted. They end with the figure.
  for (const Case& c : list) {
    if (c.run) continue;
    std::map<Subject, Session> sessions;
    for (Subject subject : c.subjects) sessions[subject].failure = c.load(subject, sessions[subject]);
    std::size_t count = c.subjects.size();
    for (int round = 0; round <= config.runs; ++round) {
      for (std::size_t k = 0; k < count; ++k) {
        Subject subject = c.subjects[(k + static_cast<std::size_t>(round)) % count];
        Session& session = sessions[subject];
        Sample sample;
        if (!session.failure.empty()) {
          sample.detail = session.failure;
        } else if (givenUp.count({c.name, subject}) != 0) {
          sample = givenUp[{c.name, subject}];
        } else {
          sample = c.operate(subject, session);
          if (sample.timedOut) {
            givenUp[{c.name, subject}] = sample;
            session.child.stop();
          }
        }
        record(c, subject, round, sample);
      }
    }
  }
  if (raw != nullptr) std::fclose(raw);

  std::vector<Row> rows;
  for (const Case& c : list) {
    const Samples& samples = results[c.name];
    std::string key = c.name.substr(0, c.name.find(':'));
    const double timeout = timeoutOf(c);
    if (key == "startup") rows.push_back({c.figure, samples, false, "no slower than wordpad", 0, timeout});
    if (isOpening(key)) {
      rows.push_back({c.figure, samples, false, "<= 1.10 x bare, <= 1.00 x notepad", 1.10, timeout, 1.00});
    }
    if (key == "page") rows.push_back({c.figure, samples, false, "<= 1.25 x bare", 1.25, timeout});
    if (key == "find" || key == "save" || key == "save-lf") {
      rows.push_back({c.figure, samples, false, "<= 1.10 x bare", 1.10, timeout});
    }
  }
  for (const Case& c : list) {
    const double timeout = timeoutOf(c);
    if (c.name == "startup") rows.push_back({"Peak working set at start-up", results[c.name], true, "", 0, timeout});
    if (c.name.rfind("open:", 0) != 0) continue;
    rows.push_back(
        {"Peak working set after open " + c.name.substr(5), results[c.name], true, "<= 1.10 x bare", 1.10, timeout});
  }
  printTable(rows);
  std::printf("| Size of velloro.exe | | %lld bytes | | | | |\n", bench::fileSize(config.velloro));
  printVariants(rows);
  printMismatches(rows);
  return 0;
}
