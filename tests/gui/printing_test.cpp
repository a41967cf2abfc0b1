// Printing through the real print dialog onto the PDF queue that scripts/setup-printer makes. Wine's
// text control cannot lay out pages, so the program draws them itself there (checked by the
// end-to-end print test); here the editor answers the page layout requests from a script.
#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <vector>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/startup.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;
using app::state;

// Where each page was asked to start; -1 for the request that drops the control's cache.
std::vector<LONG> starts;
std::function<LRESULT(LONG start)> nextPage;
WNDPROC realControl = nullptr;

LRESULT CALLBACK scriptedControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == EM_FORMATRANGE) {
    const auto* range = reinterpret_cast<const FORMATRANGE*>(lParam);
    starts.push_back(range != nullptr ? range->chrg.cpMin : -1);
    // A loop that would never end is ended here, so that the test can tell.
    return range == nullptr || starts.size() >= 50 ? -1 : nextPage(range->chrg.cpMin);
  }
  if (message == EM_DISPLAYBAND) return TRUE;
  return CallWindowProcA(realControl, window, message, wParam, lParam);
}

// Each page is asked from where the control said the last one ended, until the text ends or a page
// does not advance (such jobs would otherwise never end), once for every copy asked for; a
// cancelled dialog prints nothing.
TEST_F(VelloroTest, PrintedPagesFollowTheControlsAnswersUntilTheEndOrAStall) {
  // Wine's spooler enters the CUPS queues into the registry, where printer DCs are looked up, only
  // when a process loads it; in a new prefix this test may be the first to do so.
  ASSERT_NE(LoadLibraryA("winspool.drv"), nullptr);
  ASSERT_TRUE(DeleteDC(CreateDCA("WINSPOOL", "PDF", nullptr, nullptr))) << "no printer PDF: run scripts/setup-printer";
  std::string fourLines;
  for (char letter : {'a', 'b', 'c', 'd'}) fourLines += std::string(100, letter) + (letter < 'd' ? "\r" : "");
  auto threePages = [](LONG start) { return std::min<LONG>(start + 100, 250); };
  const struct {
    const char* name;
    std::string text;
    std::function<LRESULT(LONG)> answer;  // empty: the dialog is cancelled
    std::vector<LONG> starts;
    const char* copies = "1";
    bool collate = false;
  } cases[] = {
      {"to the end", std::string(350, 'x'), [](LONG start) { return std::min<LONG>(start + 100, 350); },
       {0, 100, 200, 300, -1}},
      // Copies the printer does not make itself: the whole text again, or each page again.
      {"two copies collated", std::string(250, 'x'), threePages, {0, 100, 200, 0, 100, 200, -1}, "2", true},
      {"two copies", std::string(250, 'x'), threePages, {0, 0, 100, 100, 200, 200, -1}, "2", false},
      // The end is the control's own character count, each paragraph end counted once.
      {"last page holds only the final character", fourLines,
       [](LONG start) { return std::min<LONG>(start + 134, 403); }, {0, 134, 268, 402, -1}},
      {"stalls after one page", std::string(1000, 'y'), [](LONG) { return 100; }, {0, 100, -1}},
      {"goes back", std::string(1000, 'y'), [](LONG start) { return start == 0 ? 200 : 50; }, {0, 200, -1}},
      {"cancelled", "x", nullptr, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    startVelloro();
    setEditorText(c.text);
    starts.clear();
    nextPage = c.answer;
    realControl = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(state.editorHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&scriptedControl)));
    DialogAnswerer printDialog("Print", [&c](HWND dialog) {
      SetDlgItemTextA(dialog, edt3, c.copies);
      CheckDlgButton(dialog, chx2, c.collate ? BST_CHECKED : BST_UNCHECKED);
      pressButton(dialog, c.answer ? IDOK : IDCANCEL);
    });
    runCommand(app::Print);
    EXPECT_TRUE(printDialog.answered());
    EXPECT_EQ(starts, c.starts);
    EXPECT_EQ(FindWindowA(nullptr, "Velloro v2.0 Beta 3  |  Drucken"), nullptr) << "the progress window stayed";
    app::exitSequence();
  }
}

}  // namespace
