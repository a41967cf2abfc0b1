#include "document/printing.h"

#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <optional>
#include <string>

#include "app/app_state.h"
#include "document/print_layout.h"
#include "document/print_progress_window.h"
#include "document/printer_text_measure.h"
#include "document/titles.h"
#include "platform/file_names.h"
#include "platform/modal_windows.h"
#include "platform/system_library.h"
#include "platform/win_handles.h"

namespace document {

namespace {

using app::state;

constexpr UINT utf16CodePage = 1200;

constexpr int twipsPerInch = 1440;
// The editor's size 11 in the control's twips (11 × 15): the size the text has on screen.
constexpr int editorFontTwips = 165;

LRESULT sendEditor(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageA(state.editorHandle, message, wParam, lParam);
}

// The print dialog's memory and device context, released when the job is over.
class PrinterChoice {
 public:
  PrinterChoice() {
    dialog_.lStructSize = sizeof dialog_;
    dialog_.Flags = PD_RETURNDC | PD_NOSELECTION | PD_HIDEPRINTTOFILE;
  }
  PrinterChoice(const PrinterChoice&) = delete;
  PrinterChoice& operator=(const PrinterChoice&) = delete;
  ~PrinterChoice() {
    if (dialog_.hDC != nullptr) DeleteDC(dialog_.hDC);
    if (dialog_.hDevMode != nullptr) GlobalFree(dialog_.hDevMode);
    if (dialog_.hDevNames != nullptr) GlobalFree(dialog_.hDevNames);
  }

  // The chosen printer's device context, or none when the dialog was cancelled or failed.
  HDC ask() { return platform::showPrintDialog(&dialog_) ? dialog_.hDC : nullptr; }

  // Copies that the printer does not make itself and the program prints, and whether they are
  // whole sets of pages (otherwise each page is repeated).
  int copies() const { return std::max<int>(1, dialog_.nCopies); }
  bool collated() const { return (dialog_.Flags & PD_COLLATE) != 0; }

 private:
  PRINTDLGA dialog_{};
};

// The page in twips: the printable area's size, moved by the physical offsets.
RECT pageRectangle(HDC printer) {
  const int previousMode = GetMapMode(printer);
  SetMapMode(printer, MM_TWIPS);
  const int ox = GetDeviceCaps(printer, PHYSICALOFFSETX);
  const int oy = GetDeviceCaps(printer, PHYSICALOFFSETY);
  const int w = GetDeviceCaps(printer, HORZRES);
  const int h = GetDeviceCaps(printer, VERTRES);
  RECT page;
  SetRect(&page, ox, -oy, w, -h);
  DPtoLP(printer, reinterpret_cast<POINT*>(&page), 2);
  SetMapMode(printer, previousMode);
  return page;
}

// The page rectangle back in device units, through the same mapping that made it.
RECT deviceRectangle(HDC printer, const RECT& pageTwips) {
  const int previousMode = GetMapMode(printer);
  SetMapMode(printer, MM_TWIPS);
  RECT page;
  SetRect(&page, pageTwips.left, -pageTwips.top, pageTwips.right, -pageTwips.bottom);
  LPtoDP(printer, reinterpret_cast<POINT*>(&page), 2);
  SetMapMode(printer, previousMode);
  return page;
}

// The control's end of text in its own character positions, each paragraph end counted once.
// (Window-text length less line count falls short when lines wrap, and would drop the last page.)
long endPosition() {
  GETTEXTLENGTHEX query{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
  return static_cast<long>(sendEditor(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query)));
}

// The control lays out and renders one page from start; answers where the next page starts.
long controlPage(HDC printer, const RECT& page, long start) {
  FORMATRANGE range{};
  range.hdc = printer;
  range.hdcTarget = printer;
  range.rc = page;
  range.rcPage = page;
  range.chrg.cpMin = start;
  range.chrg.cpMax = -1;
  const auto next = static_cast<long>(sendEditor(EM_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&range)));
  RECT band = page;
  sendEditor(EM_DISPLAYBAND, 0, reinterpret_cast<LPARAM>(&band));
  return next;
}

// With single "\r" paragraph ends, as the control counts them, so indices are its positions; in
// UTF-16, so that every character prints.
std::u16string controlText() {
  GETTEXTLENGTHEX lengthQuery{GTL_NUMCHARS | GTL_PRECISE, utf16CodePage};
  const auto length = sendEditor(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery));
  if (length <= 0) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  GETTEXTEX query{};
  query.cb = static_cast<DWORD>(text.size() * sizeof(char16_t));
  query.flags = GT_DEFAULT;
  query.codepage = utf16CodePage;
  const auto copied = sendEditor(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

// Lays out and draws the pages when the control cannot: its text in the editor's face and size.
class OwnPages {
 public:
  OwnPages(HDC printer, const RECT& pageTwips)
      : printer_(printer),
        text_(controlText()),
        font_(CreateFontA(-MulDiv(editorFontTwips, GetDeviceCaps(printer, LOGPIXELSY), twipsPerInch), 0, 0, 0,
                          FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, state.editorFontName.c_str())),
        page_(deviceRectangle(printer, pageTwips)) {}

  // Draws the page from start; answers where the next page begins, nothing after the last page.
  std::optional<long> print(long start) const {
    // Selected anew for each page: a printer may reset its device context when a page starts.
    platform::SelectedObject selected(printer_, font_.get());
    const PrinterTextMeasure measure(printer_);
    const PageLayout layout = layoutPage(text_, static_cast<std::size_t>(start), page_.right - page_.left,
                                         page_.bottom - page_.top, measure);
    int y = 0;
    for (const PageLine& line : layout.lines) {
      const std::u16string drawn = drawnLineText(text_, line);
      TextOutW(printer_, page_.left, page_.top + y, reinterpret_cast<const wchar_t*>(drawn.data()),
               static_cast<int>(drawn.size()));
      y += measure.lineHeight();
    }
    if (layout.next >= text_.size()) return std::nullopt;
    return static_cast<long>(layout.next);
  }

 private:
  HDC printer_;
  std::u16string text_;
  platform::GdiObject<HFONT> font_;
  RECT page_;
};

// The pages of one job: laid out by the control, or by the program when the control cannot.
class JobPages {
 public:
  explicit JobPages(HDC printer) : printer_(printer), end_(endPosition()), page_(pageRectangle(printer)) {}

  // Prints the page from start; answers where the next page begins, nothing after the last page.
  std::optional<long> print(long start) {
    if (own_) return own_->print(start);
    const long next = controlPage(printer_, page_, start);
    if (start == 0 && next <= 0) {
      // A control without page layout answers the first page without progress; this page is
      // still blank, so the program's own layout takes over from it.
      own_.emplace(printer_, page_);
      return own_->print(start);
    }
    if (next == -1 || next >= end_) return std::nullopt;
    return next;
  }

 private:
  HDC printer_;
  long end_;
  RECT page_;
  std::optional<OwnPages> own_;
};

// Ends a job that failed; the progress window goes before the message is shown.
void abandonJob(HDC printer, const std::string& message) {
  AbortDoc(printer);
  closePrintProgressWindow();
  const std::string title = dialogTitle("Drucken");
  platform::showMessageBox(message.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

// One page of the job; false when the printer refused it, and the job is then abandoned.
bool printPage(HDC printer, JobPages& pages, long position, int pageNumber, std::optional<long>& next) {
  showPrintProgress("Drucke Seite " + std::to_string(pageNumber));
  if (StartPage(printer) > 0) {
    next = pages.print(position);
    if (EndPage(printer) > 0) return true;
  }
  abandonJob(printer, "Die Seite " + std::to_string(pageNumber) + " konnte nicht gedruckt werden.");
  return false;
}

// The job on the chosen printer, abandoned at the first step the printer refuses. Copies the
// printer leaves to the program are whole sets of pages when collated, else repeated pages.
void printPages(HDC printer, const std::string& documentName, int copies, bool collated) {
  const std::wstring name = platform::wideFromUtf8(documentName);
  DOCINFOW job{};
  job.cbSize = sizeof job;
  job.lpszDocName = name.c_str();
  if (StartDocW(printer, &job) <= 0) {
    abandonJob(printer, "Der Druckauftrag konnte nicht gestartet werden.");
    return;
  }

  const int sets = collated ? copies : 1;
  const int eachPage = collated ? 1 : copies;
  for (int set = 0; set < sets; ++set) {
    JobPages pages(printer);
    long position = 0;
    for (int pageNumber = 1;; ++pageNumber) {
      std::optional<long> next;
      for (int copy = 0; copy < eachPage; ++copy) {
        if (!printPage(printer, pages, position, pageNumber, next)) return;
      }
      // A page that did not advance would be printed again and again.
      if (!next || *next <= position) break;
      position = *next;
    }
  }

  showPrintProgress("Fertig!");
  closePrintProgressWindow();
  EndDoc(printer);
}

}  // namespace

void printDocument(const std::string& documentName) {
  PrinterChoice choice;
  HDC printer = choice.ask();
  if (printer == nullptr) return;
  openPrintProgressWindow();
  printPages(printer, documentName, choice.copies(), choice.collated());
  sendEditor(EM_FORMATRANGE, 0, 0);
}

}  // namespace document
