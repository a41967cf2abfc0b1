// Printing through the real print dialog onto the PDF queue that scripts/setup-printer makes: what
// the program hands the printer, the progress window, the page loop's ends and the refused print
// steps. The PDF files that come out are checked by the end-to-end print test.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/startup.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

const std::string progressTitle = "Velloro v2.0 Beta 3  |  Drucken";
constexpr int twipsPerInch = 1440;

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

void pressOk(HWND dialog) { pressButton(dialog, IDOK); }

// Every text the progress window shows and where it stood, seen through a hook on the program's
// thread that watches the messages its windows receive.
class ProgressRecorder {
 public:
  ProgressRecorder() : hook_(SetWindowsHookExA(WH_CALLWNDPROC, watch, nullptr, GetCurrentThreadId())) {
    current_ = this;
  }
  ~ProgressRecorder() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }

  std::vector<std::string> texts;
  int windowsCreated = 0;
  int windowsDestroyed = 0;
  RECT activeRectAtCreation{};
  RECT window{};  // once it shows its first text

 private:
  static bool isProgressWindow(HWND window) { return window != nullptr && windowText(window) == progressTitle; }

  static LRESULT CALLBACK watch(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && current_ != nullptr) current_->see(*reinterpret_cast<CWPSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  void see(const CWPSTRUCT& message) {
    HWND parent = GetParent(message.hwnd);
    if (message.message == WM_CREATE && isProgressWindow(message.hwnd)) {
      ++windowsCreated;
      GetWindowRect(GetActiveWindow(), &activeRectAtCreation);
    } else if (message.message == WM_CREATE && isProgressWindow(parent)) {
      // The creation text is in place by now; the structure may hold it in the wrong width.
      texts.push_back(windowText(message.hwnd));
    } else if (message.message == WM_SETTEXT && isProgressWindow(parent)) {
      if (texts.size() == 1) GetWindowRect(parent, &window);
      texts.push_back(reinterpret_cast<const char*>(message.lParam));
    } else if (message.message == WM_DESTROY && isProgressWindow(message.hwnd)) {
      ++windowsDestroyed;
    }
  }

  static inline ProgressRecorder* current_ = nullptr;
  HHOOK hook_;
};

// The program's print calls, counted and refused on request, and the lines it draws itself: the
// import table entries of this executable are pointed at stand-ins that pass on to the real ones.
class PrintCalls {
 public:
  // 0: never refuse; n: refuse the n-th call.
  struct Refusals {
    int startDoc, startPage, endPage;
  };
  // A line the program drew itself, on the page of that number.
  struct Line {
    int page, x, y;
    std::string text;
  };

  explicit PrintCalls(Refusals refusals = {}) : refusals_(refusals) {
    current_ = this;
    patch("StartDocA", reinterpret_cast<void*>(&startDoc));
    patch("StartPage", reinterpret_cast<void*>(&startPage));
    patch("EndPage", reinterpret_cast<void*>(&endPage));
    patch("EndDoc", reinterpret_cast<void*>(&endDoc));
    patch("AbortDoc", reinterpret_cast<void*>(&abortDoc));
    patch("TextOutA", reinterpret_cast<void*>(&textOut));
    EXPECT_EQ(patched_.size(), 6u) << "the print calls are not all watched";
  }
  ~PrintCalls() {
    for (const auto& [slot, original] : patched_) write(slot, original);
    current_ = nullptr;
  }

  std::vector<std::string> textOfPage(int page) const {
    std::vector<std::string> texts;
    for (const Line& line : lines) {
      if (line.page == page) texts.push_back(line.text);
    }
    return texts;
  }

  std::vector<Line> lines;
  int startDocs = 0, startPages = 0, endPages = 0, endDocs = 0, abortDocs = 0;
  std::string jobName;

 private:
  using DcFunction = int(WINAPI*)(HDC);
  template <class Function>
  static Function real(const char* name) {
    return reinterpret_cast<Function>(current_->originals_.at(name));
  }

  static int WINAPI startDoc(HDC dc, const DOCINFOA* job) {
    current_->printer_ = dc;
    current_->jobName = job->lpszDocName != nullptr ? job->lpszDocName : "";
    if (++current_->startDocs == current_->refusals_.startDoc) return SP_ERROR;
    return real<int(WINAPI*)(HDC, const DOCINFOA*)>("StartDocA")(dc, job);
  }
  static int WINAPI startPage(HDC dc) {
    if (++current_->startPages == current_->refusals_.startPage) return SP_ERROR;
    return real<DcFunction>("StartPage")(dc);
  }
  static int WINAPI endPage(HDC dc) {
    const int result = real<DcFunction>("EndPage")(dc);
    return ++current_->endPages == current_->refusals_.endPage ? SP_ERROR : result;
  }
  static int WINAPI endDoc(HDC dc) {
    ++current_->endDocs;
    return real<DcFunction>("EndDoc")(dc);
  }
  static int WINAPI abortDoc(HDC dc) {
    ++current_->abortDocs;
    return real<DcFunction>("AbortDoc")(dc);
  }
  static BOOL WINAPI textOut(HDC dc, int x, int y, LPCSTR text, int length) {
    // The gutter draws its numbers on the screen meanwhile.
    if (dc == current_->printer_) current_->lines.push_back({current_->startPages, x, y, std::string(text, length)});
    return real<BOOL(WINAPI*)(HDC, int, int, LPCSTR, int)>("TextOutA")(dc, x, y, text, length);
  }

  static void write(void** slot, void* value) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
  }

  void patch(const char* name, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
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
        originals_[name] = *slot;
        patched_.push_back({slot, *slot});
        write(slot, replacement);
        return;
      }
    }
  }

  static inline PrintCalls* current_ = nullptr;
  Refusals refusals_;
  HDC printer_ = nullptr;
  std::map<std::string, void*> originals_;
  std::vector<std::pair<void**, void*>> patched_;
};

// A text control that lays out pages: the editor answers EM_FORMATRANGE from a script instead
// of the platform control, which cannot. Records what it was asked.
class PageLayoutControl {
 public:
  struct Request {
    bool cleared;  // lParam 0: the cache is dropped
    FORMATRANGE range;
  };

  explicit PageLayoutControl(std::function<LRESULT(LONG start)> answer) : answer_(std::move(answer)) {
    current_ = this;
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(state.editorHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure)));
  }
  ~PageLayoutControl() {
    SetWindowLongPtrA(state.editorHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    current_ = nullptr;
  }

  std::vector<Request> requests;
  int bands = 0;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PageLayoutControl& self = *current_;
    if (message == EM_FORMATRANGE) {
      const auto* range = reinterpret_cast<const FORMATRANGE*>(lParam);
      self.requests.push_back({range == nullptr, range != nullptr ? *range : FORMATRANGE{}});
      if (range == nullptr) return 0;
      // A loop that would never end is ended here, so that the test can tell.
      return self.requests.size() >= 50 ? -1 : self.answer_(range->chrg.cpMin);
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
    HDC printer = CreateDCA("WINSPOOL", "PDF", nullptr, nullptr);
    ASSERT_NE(printer, nullptr) << "no printer \"PDF\": run scripts/setup-printer before the tests";
    DeleteDC(printer);
  }

  // Prints with the print dialog answered by the given action.
  void print(const std::function<void(HWND)>& answer = pressOk) {
    DialogAnswerer answers("Print", answer);
    app::dispatchCommand(app::Print);
    settle();
    EXPECT_TRUE(answers.answered());
  }
};

// The program lays the pages out itself here: the platform control cannot. The second job starts
// from a window partly off the screen; the progress window still stays on it.
TEST_F(PrintingTest, JobIsNamedAfterTheDocumentAndDrawsEveryLineOnceWithItsProgress) {
  const int perPage = linesPerPage();
  ASSERT_GT(perPage, 10);
  for (int lines : {0, perPage * 5 / 2}) {
    SCOPED_TRACE(lines);
    const bool partlyOffScreen = lines != 0;
    if (partlyOffScreen) {
      writeFile(folder + "zweieinhalb.txt", numberedLines(lines));
      startVelloro("velloro.exe " + folder + "zweieinhalb.txt");
      SetWindowPos(state.mainWindowHandle, nullptr, -600, -500, 400, 300, SWP_NOZORDER);
      settle();
    } else {
      startVelloro();
    }
    ProgressRecorder progress;
    PrintCalls calls;
    print();

    const int pages = std::max(1, (lines + perPage - 1) / perPage);
    std::vector<std::string> texts{"Drucke Seite", "Drucken wird vorbereitet..."};
    for (int page = 1; page <= pages; ++page) {
      texts.push_back("Drucke Seite " + std::to_string(page));
      EXPECT_EQ(calls.textOfPage(page), numbered((page - 1) * perPage + 1, std::min(page * perPage, lines)));
    }
    texts.push_back("Fertig!");
    EXPECT_EQ(progress.texts, texts);
    EXPECT_EQ(progress.windowsCreated, 1);
    EXPECT_EQ(progress.windowsDestroyed, 1);
    EXPECT_EQ(state.aboutWindow, nullptr);
    EXPECT_EQ(calls.jobName, partlyOffScreen ? "zweieinhalb.txt" : "Unbenannt");
    EXPECT_EQ(calls.startPages, pages);
    EXPECT_EQ(calls.endDocs, 1);
    EXPECT_EQ(calls.abortDocs, 0);
    // Down from the top of each page at the left edge.
    for (std::size_t i = 0; i < calls.lines.size(); ++i) {
      const bool firstOnPage = i == 0 || calls.lines[i].page != calls.lines[i - 1].page;
      EXPECT_EQ(calls.lines[i].x, 0);
      EXPECT_TRUE(firstOnPage ? calls.lines[i].y == 0 : calls.lines[i].y > calls.lines[i - 1].y) << i;
    }
    // Centred over the active window, or kept on the screen.
    const RECT& over = progress.activeRectAtCreation;
    const RECT& shown = progress.window;
    EXPECT_EQ(shown.left, partlyOffScreen ? 0 : over.left + (over.right - over.left - (shown.right - shown.left)) / 2);
    EXPECT_EQ(shown.top, partlyOffScreen ? 0 : over.top + (over.bottom - over.top - (shown.bottom - shown.top)) / 2);
    app::exitSequence();
  }
}

TEST_F(PrintingTest, CancelledDialogPrintsNothing) {
  startVelloro();
  setEditorText("Nicht drucken");
  ProgressRecorder progress;
  PrintCalls calls;
  print([](HWND dialog) { pressButton(dialog, IDCANCEL); });
  EXPECT_EQ(progress.windowsCreated, 0);
  EXPECT_EQ(calls.startDocs, 0);
}

// Each page is asked from where the control said the last one ended, on the printable area in
// twips, until the text ends or a page does not advance (such jobs would otherwise never end).
// A control that answers 0 cannot lay out pages: the program then draws the text itself.
TEST_F(PrintingTest, ControlPagesFollowTheControlsAnswersUntilTheEndOrAStall) {
  const int perPage = linesPerPage();
  ASSERT_GT(perPage, 10);
  std::string fourLines;
  for (char letter : {'a', 'b', 'c', 'd'}) fourLines += std::string(100, letter) + (letter < 'd' ? "\r" : "");
  struct Case {
    const char* name;
    std::string text;
    std::function<LRESULT(LONG)> answer;
    std::vector<LONG> starts;
    int pages;
    std::string drawn;  // by the program, all lines joined
  };
  const Case cases[] = {
      {"to the end", std::string(350, 'x'), [](LONG start) { return std::min<LONG>(start + 100, 350); },
       {0, 100, 200, 300}, 4, ""},
      // The end is the control's own character count, each paragraph end counted once.
      {"last page holds only the final character", fourLines, [](LONG start) { return std::min<LONG>(start + 134, 403); },
       {0, 134, 268, 402}, 4, ""},
      {"stalls after one page", std::string(1000, 'y'), [](LONG) { return 100; }, {0, 100}, 2, ""},
      {"goes back", std::string(1000, 'y'), [](LONG start) { return start == 0 ? 200 : 50; }, {0, 200}, 2, ""},
      // Asked once: the later pages do not ask the control again.
      {"no layout", "a\tb" + std::string(perPage * 3 - 1, '\r'), [](LONG) { return 0; }, {0}, 3, "a       b"},
  };
  // The printable area in twips, from the printer's own size.
  HDC printer = CreateDCA("WINSPOOL", "PDF", nullptr, nullptr);
  const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
  const RECT area{MulDiv(GetDeviceCaps(printer, PHYSICALOFFSETX), twipsPerInch, dpiX),
                  MulDiv(GetDeviceCaps(printer, PHYSICALOFFSETY), twipsPerInch, dpiY),
                  MulDiv(GetDeviceCaps(printer, HORZRES), twipsPerInch, dpiX),
                  MulDiv(GetDeviceCaps(printer, VERTRES), twipsPerInch, dpiY)};
  DeleteDC(printer);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    startVelloro();
    setEditorText(c.text);
    PageLayoutControl control(c.answer);
    PrintCalls calls;
    print();

    EXPECT_EQ(calls.startPages, c.pages);
    EXPECT_EQ(calls.endDocs, 1);
    std::string drawn;
    for (const PrintCalls::Line& line : calls.lines) drawn += line.text;
    EXPECT_EQ(drawn, c.drawn);
    // Every page asked for is rendered; the control drops its cache at the end.
    ASSERT_EQ(control.requests.size(), c.starts.size() + 1);
    EXPECT_TRUE(control.requests.back().cleared);
    EXPECT_EQ(control.bands, static_cast<int>(c.starts.size()));
    for (std::size_t page = 0; page < c.starts.size(); ++page) {
      const RECT& rc = control.requests[page].range.rc;
      EXPECT_EQ(control.requests[page].range.chrg.cpMin, c.starts[page]) << page;
      // Twips as the printer maps them: from its paper size in whole millimetres.
      constexpr int millimetre = 57;
      EXPECT_NEAR(rc.left, area.left, millimetre);
      EXPECT_NEAR(rc.top, area.top, millimetre);
      EXPECT_NEAR(rc.right, area.right, millimetre);
      EXPECT_NEAR(rc.bottom, area.bottom, millimetre);
    }
    app::exitSequence();
  }
}

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
    startVelloro();
    setEditorText(numberedLines(perPage * 5 / 2));
    std::string message;
    PrintCalls calls(c.refusals);
    print([&message](HWND dialog) {
      pressOk(dialog);
      // The progress window has the message box's title too; the box is a dialog.
      HWND box = nullptr;
      for (int i = 0; i < 1000 && (box == nullptr || !IsWindowVisible(box)); ++i, Sleep(20)) {
        box = FindWindowA("#32770", progressTitle.c_str());
      }
      Sleep(50);
      message = dialogMessage(box);
      pressOk(box);
    });
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(calls.startPages, c.startPages);
    EXPECT_EQ(calls.abortDocs, 1);
    EXPECT_EQ(calls.endDocs, 0);
    EXPECT_EQ(state.aboutWindow, nullptr);
    app::exitSequence();
  }
}

}  // namespace
