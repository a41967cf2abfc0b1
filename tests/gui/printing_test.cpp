// Printing through the real print dialog onto the PDF queue that scripts/setup-printer makes: the
// PDF files that come out, the progress window, the page loop's ends and the refused print steps.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/startup.h"
#include "document/titles.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

const std::string progressTitle = "Velloro v2.0 Beta 3  |  Drucken";
constexpr int twipsPerInch = 1440;

// --- The PDF files of the queue --------------------------------------------------------------

// Where the queue's backend writes files for the user running the tests: VELLORO_PDF_DIR (a Unix
// path) or "PDF" in the user's home folder, which Wine names in WINEHOMEDIR.
std::string pdfFolder() {
  char value[MAX_PATH] = {};
  std::string path;
  if (GetEnvironmentVariableA("VELLORO_PDF_DIR", value, MAX_PATH) > 0) {
    path = std::string("Z:") + value;
    std::replace(path.begin(), path.end(), '/', '\\');
  } else if (GetEnvironmentVariableA("WINEHOMEDIR", value, MAX_PATH) > 0) {
    path = value;
    if (path.rfind("\\??\\", 0) == 0) path.erase(0, 4);
    path += "\\PDF";
  }
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

std::set<std::string> pdfFiles() {
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((pdfFolder() + "*.pdf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.insert(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool complete(const std::string& pdf) {
  const auto end = pdf.find_last_not_of("\r\n");
  return end != std::string::npos && end >= 4 && pdf.compare(end - 4, 5, "%%EOF") == 0;
}

// The contents of a PDF that appeared since `before` with the stem in its name, or "" when none
// came in time. The queue converts the job some seconds after it was handed over.
std::string waitForPdf(const std::set<std::string>& before, const std::string& stem, int milliseconds = 60000) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < deadline) {
    for (const std::string& name : pdfFiles()) {
      if (before.count(name) != 0 || name.find(stem) == std::string::npos) continue;
      std::string pdf = readFile(pdfFolder() + name);
      if (complete(pdf)) return pdf;
    }
    Sleep(200);
  }
  return {};
}

// Names of the files with the stem in their name that appeared since `before`, after giving the
// queue the time it takes to produce one.
std::vector<std::string> newPdfsAfterWaiting(const std::set<std::string>& before, const std::string& stem) {
  Sleep(3000);
  std::vector<std::string> added;
  for (const std::string& name : pdfFiles()) {
    if (before.count(name) == 0 && name.find(stem) != std::string::npos) added.push_back(name);
  }
  return added;
}

// Page objects of the file: "/Type /Page" not followed by "s", blanks optional.
int pdfPageCount(const std::string& pdf) {
  int pages = 0;
  for (std::size_t at = pdf.find("/Type"); at != std::string::npos; at = pdf.find("/Type", at + 1)) {
    std::size_t i = at + 5;
    while (i < pdf.size() && (pdf[i] == ' ' || pdf[i] == '\r' || pdf[i] == '\n')) ++i;
    if (pdf.compare(i, 5, "/Page") != 0) continue;
    const std::size_t after = i + 5;
    if (after < pdf.size() && std::isalnum(static_cast<unsigned char>(pdf[after]))) continue;
    ++pages;
  }
  return pages;
}

// The document title the queue took from the job name.
std::string pdfTitle(const std::string& pdf) {
  const std::size_t at = pdf.find("/Title");
  if (at == std::string::npos) return {};
  const std::size_t open = pdf.find('(', at);
  const std::size_t close = open == std::string::npos ? open : pdf.find(')', open);
  if (close == std::string::npos) return {};
  return pdf.substr(open + 1, close - open - 1);
}

bool pdfPrinterInstalled() {
  HDC printer = CreateDCA("WINSPOOL", "PDF", nullptr, nullptr);
  if (printer == nullptr) return false;
  DeleteDC(printer);
  return true;
}

// Lines of the editor's font that fit on one page of the PDF queue's default paper.
int linesPerPage() {
  HDC printer = CreateDCA("WINSPOOL", "PDF", nullptr, nullptr);
  if (printer == nullptr) return 0;
  const int dpi = GetDeviceCaps(printer, LOGPIXELSY);
  const int pageTwips = MulDiv(GetDeviceCaps(printer, VERTRES), twipsPerInch, dpi) -
                        MulDiv(GetDeviceCaps(printer, PHYSICALOFFSETY), twipsPerInch, dpi);
  HFONT font = CreateFontA(-MulDiv(165, dpi, twipsPerInch), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                           "Courier");
  HGDIOBJ previous = SelectObject(printer, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(printer, &metrics);
  SelectObject(printer, previous);
  DeleteObject(font);
  DeleteDC(printer);
  const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
  return lineHeight > 0 ? MulDiv(pageTwips, dpi, twipsPerInch) / lineHeight : 0;
}

// "Zeile from" ... "Zeile to".
std::vector<std::string> numbered(int from, int to) {
  std::vector<std::string> lines;
  for (int i = from; i <= to; ++i) lines.push_back("Zeile " + std::to_string(i));
  return lines;
}

// "Zeile 1" ... "Zeile count", one paragraph each.
std::string numberedLines(int count) {
  std::string text;
  for (const std::string& line : numbered(1, count)) text += (text.empty() ? "" : "\r") + line;
  return text;
}

// --- Answering the dialogs -------------------------------------------------------------------

// Answers dialog windows (class "#32770") one after the other on a helper thread. Armed before
// the command that shows the first one; the progress window shares the message box's title, so
// the class tells them apart.
class DialogScript {
 public:
  struct Step {
    std::string title;
    std::function<void(HWND)> action;
  };

  explicit DialogScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    thread_ = std::thread([this] {
      HWND previous = nullptr;
      for (const Step& step : steps_) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        HWND window = nullptr;
        while (window == nullptr && std::chrono::steady_clock::now() < deadline) {
          HWND candidate = FindWindowA("#32770", step.title.c_str());
          if (candidate != nullptr && candidate != previous && IsWindowVisible(candidate)) {
            window = candidate;
          } else {
            Sleep(20);
          }
        }
        if (window == nullptr) return;
        Sleep(50);  // let the dialog finish its initialisation
        step.action(window);
        ++answered_;
        previous = window;
        while (IsWindow(previous) && std::chrono::steady_clock::now() < deadline) Sleep(20);
      }
    });
  }
  ~DialogScript() { wait(); }
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // How many of the steps found their dialog.
  int wait() {
    if (thread_.joinable()) thread_.join();
    return answered_;
  }

 private:
  std::vector<Step> steps_;
  std::atomic<int> answered_{0};
  std::thread thread_;
};

DialogScript::Step printDialog(int button = IDOK) {
  return {"Print", [button](HWND dialog) { pressButton(dialog, button); }};
}

BOOL CALLBACK collectStaticText(HWND child, LPARAM text) {
  char className[16] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0) *reinterpret_cast<std::string*>(text) += windowText(child);
  return TRUE;
}

DialogScript::Step messageBox(std::shared_ptr<std::string> text) {
  return {progressTitle, [text](HWND box) {
            EnumChildWindows(box, collectStaticText, reinterpret_cast<LPARAM>(text.get()));
            pressButton(box, IDOK);
          }};
}

// --- What the program does while it prints ---------------------------------------------------

// Every text the progress window shows, and its shape, seen through a hook on the program's
// thread that watches the messages its windows receive.
class ProgressRecorder {
 public:
  struct Shape {
    RECT window{};
    RECT client{};
    LONG style = 0;
    LONG exStyle = 0;
    bool visible = false;
    RECT textControl{};
  };

  ProgressRecorder() {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, watch, nullptr, GetCurrentThreadId());
  }
  ~ProgressRecorder() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  ProgressRecorder(const ProgressRecorder&) = delete;
  ProgressRecorder& operator=(const ProgressRecorder&) = delete;

  std::vector<std::string> texts;
  int windowsCreated = 0;
  int windowsDestroyed = 0;
  HWND activeAtCreation = nullptr;
  RECT activeRectAtCreation{};
  Shape shape;

 private:
  // The message box of a refused job has the same title; it is a dialog, the progress window is not.
  static bool isProgressWindow(HWND window) {
    char className[16] = {};
    return window != nullptr && windowText(window) == progressTitle &&
           GetClassNameA(window, className, sizeof className) > 0 && std::strcmp(className, "#32770") != 0;
  }

  static LRESULT CALLBACK watch(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && current_ != nullptr) current_->see(*reinterpret_cast<CWPSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  void see(const CWPSTRUCT& message) {
    if (message.message == WM_CREATE) {
      if (isProgressWindow(message.hwnd)) {
        ++windowsCreated;
        activeAtCreation = GetActiveWindow();
        if (activeAtCreation != nullptr) GetWindowRect(activeAtCreation, &activeRectAtCreation);
      } else if (isProgressWindow(GetParent(message.hwnd))) {
        // The creation text is in place by now; the structure may hold it in the wrong width.
        texts.push_back(windowText(message.hwnd));
      }
    } else if (message.message == WM_SETTEXT && isProgressWindow(GetParent(message.hwnd))) {
      if (texts.size() == 1) record(GetParent(message.hwnd), message.hwnd);
      texts.push_back(reinterpret_cast<const char*>(message.lParam));
    } else if (message.message == WM_DESTROY && isProgressWindow(message.hwnd)) {
      ++windowsDestroyed;
    }
  }

  void record(HWND window, HWND text) {
    GetWindowRect(window, &shape.window);
    GetClientRect(window, &shape.client);
    shape.style = GetWindowLongA(window, GWL_STYLE);
    shape.exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    shape.visible = IsWindowVisible(window) != 0;
    GetWindowRect(text, &shape.textControl);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&shape.textControl), 2);
  }

  static inline ProgressRecorder* current_ = nullptr;
  HHOOK hook_ = nullptr;
};

// The program's print calls, counted and refused on request, and the lines it draws itself: the
// import table entries of this executable are pointed at stand-ins that pass on to the real ones.
class PrintCalls {
 public:
  // 0: never refuse; n: refuse the n-th call.
  struct Refusals {
    int startDoc;
    int startPage;
    int endPage;
  };

  PrintCalls() : PrintCalls(Refusals{0, 0, 0}) {}
  explicit PrintCalls(Refusals refusals) {
    current_ = this;
    refusals_ = refusals;
    patch("StartDocA", reinterpret_cast<void*>(&startDoc), &realStartDoc_);
    patch("StartPage", reinterpret_cast<void*>(&startPage), &realStartPage_);
    patch("EndPage", reinterpret_cast<void*>(&endPage), &realEndPage_);
    patch("EndDoc", reinterpret_cast<void*>(&endDoc), &realEndDoc_);
    patch("AbortDoc", reinterpret_cast<void*>(&abortDoc), &realAbortDoc_);
    patch("TextOutA", reinterpret_cast<void*>(&textOut), &realTextOut_);
  }
  ~PrintCalls() {
    for (const auto& [slot, original] : patched_) write(slot, original);
    current_ = nullptr;
  }
  PrintCalls(const PrintCalls&) = delete;
  PrintCalls& operator=(const PrintCalls&) = delete;

  bool complete() const { return patched_.size() == 6; }

  // A line the program drew itself, on the page of that number.
  struct Line {
    int page;
    int x;
    int y;
    std::string text;
  };
  std::vector<Line> lines;

  std::vector<std::string> textOfPage(int page) const {
    std::vector<std::string> texts;
    for (const Line& line : lines) {
      if (line.page == page) texts.push_back(line.text);
    }
    return texts;
  }

  int startDocs = 0;
  int startPages = 0;
  int endPages = 0;
  int endDocs = 0;
  int abortDocs = 0;
  std::string jobName;

 private:
  using DocFunction = int(WINAPI*)(HDC, const DOCINFOA*);
  using DcFunction = int(WINAPI*)(HDC);
  using TextFunction = BOOL(WINAPI*)(HDC, int, int, LPCSTR, int);

  static int WINAPI startDoc(HDC dc, const DOCINFOA* job) {
    ++current_->startDocs;
    current_->printer_ = dc;
    current_->jobName = job->lpszDocName != nullptr ? job->lpszDocName : "";
    if (current_->startDocs == current_->refusals_.startDoc) return SP_ERROR;
    return reinterpret_cast<DocFunction>(current_->realStartDoc_)(dc, job);
  }
  static int WINAPI startPage(HDC dc) {
    if (++current_->startPages == current_->refusals_.startPage) return SP_ERROR;
    return reinterpret_cast<DcFunction>(current_->realStartPage_)(dc);
  }
  static int WINAPI endPage(HDC dc) {
    const int result = reinterpret_cast<DcFunction>(current_->realEndPage_)(dc);
    return ++current_->endPages == current_->refusals_.endPage ? SP_ERROR : result;
  }
  static int WINAPI endDoc(HDC dc) {
    ++current_->endDocs;
    return reinterpret_cast<DcFunction>(current_->realEndDoc_)(dc);
  }
  static int WINAPI abortDoc(HDC dc) {
    ++current_->abortDocs;
    return reinterpret_cast<DcFunction>(current_->realAbortDoc_)(dc);
  }

  static BOOL WINAPI textOut(HDC dc, int x, int y, LPCSTR text, int length) {
    // The gutter draws its numbers on the screen meanwhile.
    if (dc == current_->printer_) current_->lines.push_back({current_->startPages, x, y, std::string(text, static_cast<std::size_t>(length))});
    return reinterpret_cast<TextFunction>(current_->realTextOut_)(dc, x, y, text, length);
  }

  static void write(void** slot, void* value) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
  }

  void patch(const char* name, void* replacement, void** original) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* module = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         module->Name != 0; ++module) {
      if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), "gdi32.dll") != 0) continue;
      auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
      for (; names->u1.AddressOfData != 0; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0) continue;
        auto** slot = reinterpret_cast<void**>(&slots->u1.Function);
        *original = *slot;
        patched_.push_back({slot, *slot});
        write(slot, replacement);
        return;
      }
    }
  }

  static inline PrintCalls* current_ = nullptr;
  Refusals refusals_;
  void* realStartDoc_ = nullptr;
  void* realStartPage_ = nullptr;
  void* realEndPage_ = nullptr;
  void* realEndDoc_ = nullptr;
  void* realAbortDoc_ = nullptr;
  void* realTextOut_ = nullptr;
  HDC printer_ = nullptr;
  std::vector<std::pair<void**, void*>> patched_;
};

// A text control that lays out pages: the editor answers EM_FORMATRANGE from a script instead
// of the platform control, which cannot. Records what it was asked.
class PageLayoutControl {
 public:
  struct Request {
    WPARAM render;
    bool cleared;  // lParam 0: the cache is dropped
    CHARRANGE range;
    RECT rc;
    RECT rcPage;
    bool sameDevices;
  };

  static constexpr std::size_t spinLimit = 50;

  explicit PageLayoutControl(std::function<LRESULT(LONG start)> answer) : answer_(std::move(answer)) {
    current_ = this;
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(state.editorHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure)));
  }
  ~PageLayoutControl() {
    SetWindowLongPtrA(state.editorHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    current_ = nullptr;
  }
  PageLayoutControl(const PageLayoutControl&) = delete;
  PageLayoutControl& operator=(const PageLayoutControl&) = delete;

  std::vector<Request> requests;
  int bands = 0;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PageLayoutControl& self = *current_;
    if (message == EM_FORMATRANGE) {
      if (lParam == 0) {
        self.requests.push_back({wParam, true, {}, {}, {}, false});
        return 0;
      }
      const auto* range = reinterpret_cast<const FORMATRANGE*>(lParam);
      self.requests.push_back({wParam, false, range->chrg, range->rc, range->rcPage, range->hdc == range->hdcTarget});
      // A loop that would never end is ended here, so that the test can tell.
      if (self.requests.size() >= spinLimit) return -1;
      return self.answer_(range->chrg.cpMin);
    }
    if (message == EM_DISPLAYBAND) {
      ++self.bands;
      return TRUE;
    }
    return CallWindowProcA(self.previous_, window, message, wParam, lParam);
  }

  static inline PageLayoutControl* current_ = nullptr;
  std::function<LRESULT(LONG)> answer_;
  WNDPROC previous_ = nullptr;
};

class PrintingTest : public VelloroTest {
 protected:
  void SetUp() override {
    VelloroTest::SetUp();
    ASSERT_TRUE(pdfPrinterInstalled()) << "no printer \"PDF\": run scripts/setup-printer before the tests";
    before = pdfFiles();
  }

  // Starts the program on a file of this text, so that the job gets a name of this test alone.
  void startWithFile(const std::string& stem, const std::string& text) {
    jobName = stem + "-" + std::to_string(GetCurrentProcessId()) + ".txt";
    writeFile(folder + jobName, text);
    startVelloro("velloro.exe \"" + folder + jobName + "\"");
  }

  // The part of the job name that the queue keeps in the file name.
  std::string jobStem() const { return jobName.substr(0, jobName.find('.')); }

  void print() {
    app::dispatchCommand(app::Print);
    settle();
  }

  std::set<std::string> before;
  std::string jobName;
};

// --- Jobs through the dialog onto the queue --------------------------------------------------

TEST_F(PrintingTest, EmptyUntitledDocumentGivesOneEmptyPageNamedUnbenannt) {
  startVelloro();
  ProgressRecorder progress;
  PrintCalls calls;
  ASSERT_TRUE(calls.complete());
  DialogScript answers({printDialog()});
  print();
  EXPECT_EQ(answers.wait(), 1);

  EXPECT_EQ(calls.jobName, "Unbenannt");
  EXPECT_EQ(calls.startPages, 1);
  EXPECT_EQ(calls.endDocs, 1);
  EXPECT_EQ(calls.abortDocs, 0);
  EXPECT_EQ(progress.texts, (std::vector<std::string>{"Drucke Seite", "Drucken wird vorbereitet...",
                                                       "Drucke Seite 1", "Fertig!"}));
  const std::string pdf = waitForPdf(before, "Unbenannt");
  ASSERT_FALSE(pdf.empty()) << "no PDF named after the job in " << pdfFolder();
  EXPECT_EQ(pdfPageCount(pdf), 1);
  EXPECT_EQ(pdfTitle(pdf), "Unbenannt");
}

TEST_F(PrintingTest, TwoAndAHalfPagesGiveThreePagesWithTheirProgressTexts) {
  const int perPage = linesPerPage();
  ASSERT_GT(perPage, 10);
  const int lines = perPage * 5 / 2;
  startWithFile("zweieinhalb", numberedLines(lines));
  ProgressRecorder progress;
  PrintCalls calls;
  DialogScript answers({printDialog()});
  print();
  EXPECT_EQ(answers.wait(), 1);

  EXPECT_EQ(calls.jobName, jobName);
  EXPECT_EQ(progress.texts, (std::vector<std::string>{"Drucke Seite", "Drucken wird vorbereitet...", "Drucke Seite 1",
                                                       "Drucke Seite 2", "Drucke Seite 3", "Fertig!"}));
  EXPECT_EQ(progress.windowsCreated, 1);
  EXPECT_EQ(progress.windowsDestroyed, 1);
  EXPECT_EQ(state.aboutWindow, nullptr);
  EXPECT_EQ(FindWindowA(nullptr, progressTitle.c_str()), nullptr);

  // Every line once, in order, down from the top of its page at the left edge.
  EXPECT_EQ(calls.textOfPage(1), numbered(1, perPage));
  EXPECT_EQ(calls.textOfPage(2), numbered(perPage + 1, 2 * perPage));
  EXPECT_EQ(calls.textOfPage(3), numbered(2 * perPage + 1, lines));
  ASSERT_FALSE(calls.lines.empty());
  EXPECT_EQ(calls.lines[0].y, 0);
  for (std::size_t i = 1; i < calls.lines.size(); ++i) {
    EXPECT_EQ(calls.lines[i].x, 0);
    if (calls.lines[i].page == calls.lines[i - 1].page) {
      EXPECT_GT(calls.lines[i].y, calls.lines[i - 1].y);
    }
  }

  const std::string pdf = waitForPdf(before, jobStem());
  ASSERT_FALSE(pdf.empty()) << "no PDF named after " << jobName << " in " << pdfFolder();
  EXPECT_EQ(pdfPageCount(pdf), 3);
  EXPECT_EQ(pdfTitle(pdf), jobName);
}

// The page's last line is where the next page begins: one line more starts a page of its own.
TEST_F(PrintingTest, PageBreaksFallAfterTheLastWholeLine) {
  const int perPage = linesPerPage();
  ASSERT_GT(perPage, 10);
  struct Case {
    int lines;
    int pages;
  };
  for (const Case& c : {Case{1, 1}, Case{perPage, 1}, Case{perPage + 1, 2}, Case{2 * perPage, 2}}) {
    SCOPED_TRACE(c.lines);
    startVelloro();
    setEditorText(numberedLines(c.lines));
    PrintCalls calls;
    DialogScript answers({printDialog()});
    print();
    EXPECT_EQ(answers.wait(), 1);
    EXPECT_EQ(calls.startPages, c.pages);
    EXPECT_EQ(calls.endPages, c.pages);
    EXPECT_EQ(calls.endDocs, 1);
    app::exitSequence();
  }
}

TEST_F(PrintingTest, ProgressWindowIsASmallTopmostCaptionCentredOverTheActiveWindow) {
  startVelloro();
  setEditorText("Kurz");
  ProgressRecorder progress;
  DialogScript answers({printDialog()});
  print();
  EXPECT_EQ(answers.wait(), 1);

  ASSERT_EQ(progress.windowsCreated, 1);
  const ProgressRecorder::Shape& shape = progress.shape;
  EXPECT_TRUE(shape.visible);
  EXPECT_EQ(shape.client.right, 200);
  EXPECT_EQ(shape.client.bottom, 40);
  EXPECT_EQ(shape.style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_CAPTION);
  EXPECT_TRUE(shape.exStyle & WS_EX_TOPMOST);
  EXPECT_EQ(shape.textControl.left, 10);
  EXPECT_EQ(shape.textControl.top, 10);
  EXPECT_EQ(shape.textControl.right - shape.textControl.left, 180);
  EXPECT_EQ(shape.textControl.bottom - shape.textControl.top, 20);

  ASSERT_NE(progress.activeAtCreation, nullptr);
  const RECT& over = progress.activeRectAtCreation;
  const int width = shape.window.right - shape.window.left;
  const int height = shape.window.bottom - shape.window.top;
  EXPECT_EQ(shape.window.left, std::max<LONG>(0, over.left + (over.right - over.left - width) / 2));
  EXPECT_EQ(shape.window.top, std::max<LONG>(0, over.top + (over.bottom - over.top - height) / 2));
}

TEST_F(PrintingTest, ProgressWindowStaysOnScreenOverAWindowPartlyOffIt) {
  startVelloro();
  SetWindowPos(state.mainWindowHandle, nullptr, -600, -500, 400, 300, SWP_NOZORDER);
  settle();
  ProgressRecorder progress;
  DialogScript answers({printDialog()});
  print();
  EXPECT_EQ(answers.wait(), 1);
  ASSERT_EQ(progress.windowsCreated, 1);
  EXPECT_EQ(progress.shape.window.left, 0);
  EXPECT_EQ(progress.shape.window.top, 0);
}

TEST_F(PrintingTest, CancelledDialogPrintsNothing) {
  startWithFile("abgebrochen", "Nicht drucken");
  ProgressRecorder progress;
  PrintCalls calls;
  DialogScript answers({printDialog(IDCANCEL)});
  print();
  EXPECT_EQ(answers.wait(), 1);
  EXPECT_EQ(progress.windowsCreated, 0);
  EXPECT_TRUE(progress.texts.empty());
  EXPECT_EQ(calls.startDocs, 0);
  EXPECT_EQ(newPdfsAfterWaiting(before, jobStem()), std::vector<std::string>{});
}

// --- A control that lays out pages itself ----------------------------------------------------

TEST_F(PrintingTest, ControlThatLaysOutPagesPrintsItsOwnPagesOnThePageRectangle) {
  startWithFile("steuerelement", std::string(350, 'x'));
  GETTEXTLENGTHEX characters{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
  const LONG end = static_cast<LONG>(
      SendMessageA(state.editorHandle, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&characters), 0));
  PageLayoutControl control([](LONG start) { return std::min<LONG>(start + 100, 350); });
  PrintCalls calls;
  DialogScript answers({printDialog()});
  print();
  EXPECT_EQ(answers.wait(), 1);

  // Pages from 0, 100, 200 and 300; the last answer, 350, reaches the end of the text.
  ASSERT_EQ(end, 350);
  ASSERT_EQ(control.requests.size(), 5u);
  for (int page = 0; page < 4; ++page) {
    SCOPED_TRACE(page);
    const PageLayoutControl::Request& request = control.requests[page];
    EXPECT_EQ(request.render, 1u);
    EXPECT_EQ(request.range.cpMin, page * 100);
    EXPECT_EQ(request.range.cpMax, -1);
    EXPECT_TRUE(request.sameDevices);
    EXPECT_TRUE(EqualRect(&request.rc, &request.rcPage));
  }
  EXPECT_TRUE(control.requests.back().cleared);
  EXPECT_EQ(control.requests.back().render, 0u);
  EXPECT_EQ(control.bands, 4);
  EXPECT_EQ(calls.startPages, 4);

  // The printable area in twips, from the printer's own size.
  HDC printer = CreateDCA("WINSPOOL", "PDF", nullptr, nullptr);
  ASSERT_NE(printer, nullptr);
  const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
  const RECT expected{MulDiv(GetDeviceCaps(printer, PHYSICALOFFSETX), twipsPerInch, dpiX),
                      MulDiv(GetDeviceCaps(printer, PHYSICALOFFSETY), twipsPerInch, dpiY),
                      MulDiv(GetDeviceCaps(printer, HORZRES), twipsPerInch, dpiX),
                      MulDiv(GetDeviceCaps(printer, VERTRES), twipsPerInch, dpiY)};
  DeleteDC(printer);
  // Twips as the printer maps them: from its paper size in whole millimetres.
  constexpr int millimetre = 57;
  const RECT& rc = control.requests[0].rc;
  EXPECT_NEAR(rc.left, expected.left, millimetre);
  EXPECT_NEAR(rc.top, expected.top, millimetre);
  EXPECT_NEAR(rc.right, expected.right, millimetre);
  EXPECT_NEAR(rc.bottom, expected.bottom, millimetre);

  const std::string pdf = waitForPdf(before, jobStem());
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(pdfPageCount(pdf), 4);
}

// A last page that holds only the final character is printed too: the end is the control's own
// character count, not its window-text length less its line count (one short per line break).
TEST_F(PrintingTest, ControlPathPrintsALastPageWithOnlyTheFinalCharacter) {
  std::string text;
  for (int line = 0; line < 4; ++line) text += std::string(100, 'a' + line) + (line < 3 ? "\r\n" : "");
  startWithFile("letzteszeichen", text);  // 403 characters, the breaks counted once
  PageLayoutControl control([](LONG start) { return std::min<LONG>(start + 134, 403); });
  PrintCalls calls;
  DialogScript answers({printDialog()});
  print();
  EXPECT_EQ(answers.wait(), 1);
  EXPECT_EQ(calls.startPages, 4);
  ASSERT_GE(control.requests.size(), 4u);
  EXPECT_EQ(control.requests[3].range.cpMin, 402);
}

// Without the stop on a page that did not advance these jobs would never end.
TEST_F(PrintingTest, PageLoopEndsWhenAPageDoesNotAdvance) {
  struct Case {
    const char* name;
    std::function<LRESULT(LONG)> answer;
    int pages;
  };
  const Case cases[] = {
      {"stalls after one page", [](LONG) { return 100; }, 2},
      {"goes back", [](LONG start) { return start == 0 ? 200 : 50; }, 2},
      {"answers -1 on the second page", [](LONG start) { return start == 0 ? 100 : -1; }, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    startVelloro();
    setEditorText(std::string(1000, 'y'));
    PageLayoutControl control(c.answer);
    PrintCalls calls;
    DialogScript answers({printDialog()});
    print();
    EXPECT_EQ(answers.wait(), 1);
    EXPECT_EQ(calls.startPages, c.pages);
    EXPECT_EQ(calls.endDocs, 1);
    app::exitSequence();
  }
}

// The platform control answers every page with 0: the program lays the text out itself.
TEST_F(PrintingTest, ControlWithoutPageLayoutStillPrintsEveryPageOnce) {
  const int perPage = linesPerPage();
  ASSERT_GT(perPage, 10);
  struct Case {
    std::string text;
    int pages;
    std::size_t lines;  // 0: not counted
    std::string drawn;  // all lines drawn, joined
  };
  const Case cases[] = {
      {"", 1, 0, ""},
      {"x", 1, 1, "x"},
      {"a\tb", 1, 1, "a       b"},
      {std::string(perPage * 3, '\r'), 3, static_cast<std::size_t>(perPage) * 3, ""},
      // One paragraph without blanks, far wider than the page, broken between characters.
      {std::string(1000, 'w'), 1, 0, std::string(1000, 'w')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.size());
    startVelloro();
    setEditorText(c.text);
    PageLayoutControl control([](LONG) { return 0; });
    PrintCalls calls;
    DialogScript answers({printDialog()});
    print();
    EXPECT_EQ(answers.wait(), 1);
    EXPECT_EQ(calls.startPages, c.pages);
    EXPECT_EQ(calls.endDocs, 1);
    std::string drawn;
    for (const PrintCalls::Line& line : calls.lines) drawn += line.text;
    EXPECT_EQ(drawn, c.drawn);
    if (c.lines != 0) {
      EXPECT_EQ(calls.lines.size(), c.lines);
    }
    // The control is asked once, for the first page, and told to drop its cache at the end.
    ASSERT_EQ(control.requests.size(), 2u);
    EXPECT_TRUE(control.requests.back().cleared);
    app::exitSequence();
  }
}

// --- Refused print steps ---------------------------------------------------------------------

TEST_F(PrintingTest, RefusedPrintStepEndsTheJobWithAMessage) {
  struct Case {
    const char* name;
    PrintCalls::Refusals refusals;
    std::string message;
    int startPages;
  };
  const Case cases[] = {
      {"job refused", {1, 0, 0}, "Der Druckauftrag konnte nicht gestartet werden.", 0},
      {"second page refused at its start", {0, 2, 0}, "Die Seite 2 konnte nicht gedruckt werden.", 2},
      {"first page refused at its end", {0, 0, 1}, "Die Seite 1 konnte nicht gedruckt werden.", 1},
  };
  const int perPage = linesPerPage();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    startWithFile("abgelehnt", numberedLines(perPage * 5 / 2));
    auto message = std::make_shared<std::string>();
    PrintCalls calls(c.refusals);
    DialogScript answers({printDialog(), messageBox(message)});
    print();
    EXPECT_EQ(answers.wait(), 2);
    EXPECT_EQ(*message, c.message);
    EXPECT_EQ(calls.startPages, c.startPages);
    EXPECT_EQ(calls.abortDocs, 1);
    EXPECT_EQ(calls.endDocs, 0);
    EXPECT_EQ(state.aboutWindow, nullptr);
    app::exitSequence();
  }
  EXPECT_EQ(newPdfsAfterWaiting(before, "abgelehnt"), std::vector<std::string>{});
}

}  // namespace
