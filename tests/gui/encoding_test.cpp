// Files in each encoding open, take typed text and are written back in their own encoding; the
// question before an ANSI save that would lose characters; the status bar's encoding field. The
// German texts reach the platform's ANSI functions as code page 1252, not as UTF-8.
#include <gtest/gtest.h>

#include <string_view>

#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/object_ids.h"
#include "app/status_bar.h"
#include "document/document_commands.h"
#include "document/document_rules.h"
#include "document/titles.h"
#include "resources/resource_ids.h"
#include "tests/gui/gui_fixture.h"

namespace gui_test {
namespace {

// The control's text as it holds it, in UTF-16.
std::u16string wideEditorText() {
  GETTEXTLENGTHEX lengthQuery{GTL_DEFAULT, 1200};
  auto length = SendMessageA(app::state.editorHandle, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery), 0);
  std::u16string text(length + 1, u'\0');
  GETTEXTEX query{static_cast<DWORD>(text.size() * 2), GT_DEFAULT, 1200, nullptr, nullptr};
  text.resize(SendMessageA(app::state.editorHandle, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&query),
                           reinterpret_cast<LPARAM>(text.data())));
  return text;
}

// Replaces the text with characters beyond the code page, as a paste from a browser does.
void pasteWide(const std::u16string& text) {
  SETTEXTEX how{ST_DEFAULT, 1200};
  SendMessageA(app::state.editorHandle, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how),
               reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(app::state.editorHandle, EM_SETMODIFY, TRUE, 0);
}

void typeAtEnd(const std::string& text) {
  select(-1, -1);
  typeIntoEditor(text);
}

std::string encodingField() { return app::statusText(2); }

BOOL CALLBACK findEncodingField(HWND child, LPARAM found) {
  if (GetDlgCtrlID(child) != IDC_ENCODING) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// Notes which encoding the Save As dialog offered first, picks another (0-based in the field's
// list), then names the file.
std::function<void(HWND)> chooseEncoding(int index, const std::string& path, std::string* offered) {
  return [=](HWND dialog) {
    HWND field = nullptr;
    EnumChildWindows(dialog, findEncodingField, reinterpret_cast<LPARAM>(&field));
    if (field == nullptr) return;
    const auto first = SendMessageA(field, CB_GETCURSEL, 0, 0);
    std::string name(64, '\0');
    name.resize(SendMessageA(field, CB_GETLBTEXT, static_cast<WPARAM>(first), reinterpret_cast<LPARAM>(name.data())));
    *offered = name;
    SendMessageA(field, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(field), WM_COMMAND, MAKEWPARAM(IDC_ENCODING, CBN_SELCHANGE), reinterpret_cast<LPARAM>(field));
    chooseFile(path)(dialog);
  };
}

TEST(Encoding, LiteralsAreCodePage1252) {
  EXPECT_EQ(std::string_view("Öffnen äöüß"), std::string_view("\xD6" "ffnen \xE4\xF6\xFC\xDF"));
}

// Each encoding opens with its name in the status bar, shows its characters, saves back byte for
// byte, and an "ä" typed at its end is written in the file's own encoding. Broken files open as ANSI
// and come back unchanged. Which bytes make which encoding is the unit table's business.
TEST_F(VelloroTest, EachEncodingOpensShowsAndSavesItsOwnBytes) {
  using namespace std::string_literals;
  const struct {
    std::string file, field;
    std::u16string shown;  // the start of the text in the control
    std::string typed;     // the "ä" at the end, in the file's encoding
  } cases[] = {
      {"f\xC3\xBCr \xE2\x82\xAC\n", "UTF-8 | LF", u"f\u00FCr \u20AC", "\xC3\xA4"},
      {"\xEF\xBB\xBF" "f\xC3\xBCr\r\n", "UTF-8 mit BOM | CR LF", u"f\u00FCr", "\xC3\xA4"},
      {"\xFF\xFE" "f\0\xFC\0\x41\x01\r\0"s, "UTF-16 LE | CR", u"f\u00FC\u0141", "\xE4\0"s},
      {"\xFE\xFF\0f\0\xFC\xD8\x3D\xDE\x00"s, "UTF-16 BE | CR LF", u"f\u00FC\U0001F600", "\0\xE4"s},
      // With the five bytes code page 1252 leaves unassigned.
      {"f\xFCr\x81\x8D\x8F\x90\x9D\x80", "ANSI | CR LF", u"f\u00FCr", "\xE4"},
      // UTF-8 cut off at the end; UTF-16 with a lone surrogate.
      {"f\xC3\xBCr\xC3", "ANSI | CR LF", u"f\u00C3\u00BCr", "\xE4"},
      {"\xFF\xFE" "a\0\x00\xD8"s, "ANSI | CR LF", u"\u00FF\u00FE" "a", "\xE4"},
  };
  startVelloro();
  const std::string path = folder + "text.txt";
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file));
    writeFile(path, c.file);
    document::openDroppedFile(path);
    settle();
    EXPECT_EQ(encodingField(), "\t\t" + c.field);
    EXPECT_EQ(wideEditorText().substr(0, c.shown.size()), c.shown);
    runCommand(app::Save);
    EXPECT_EQ(readFile(path), c.file);
    typeAtEnd("\xE4");
    runCommand(app::Save);
    EXPECT_EQ(readFile(path), c.file + c.typed);
  }
  runCommand(app::New);
  EXPECT_EQ(encodingField(), "\t\tANSI | CR LF");
}

// Text that ANSI cannot hold: Yes writes UTF-8 from then on, No writes the code page's "?" and stays
// ANSI, Cancel writes nothing and a command that needed the save stops.
TEST_F(VelloroTest, AnsiSaveAsksBeforeCharactersAreLost) {
  const std::u16string text = u"\u0141\u00F3d\u017A \u2192 ok";
  const std::string utf8 = "\xC5\x81\xC3\xB3" "d\xC5\xBA \xE2\x86\x92 ok", old = "alt\xE4";
  const struct {
    int button;
    std::string written;
    std::string field;
    int marked;
  } cases[] = {
      {IDYES, utf8, "UTF-8 | CR LF", 0},
      {IDNO, "?\xF3" "d? ? ok", "ANSI | CR LF", 0},
      {IDCANCEL, old, "ANSI | CR LF", 1},
  };
  startVelloro();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    const std::string path = folder + "ansi.txt";
    writeFile(path, old);
    document::openDroppedFile(path);
    settle();
    pasteWide(text);
    std::string question;
    ASSERT_TRUE(runAnswering(app::Save, "Speichern", answerWith(c.button, &question)));
    EXPECT_EQ(question, document::lostCharactersQuestion);
    EXPECT_EQ(readFile(path), c.written);
    EXPECT_EQ(encodingField(), "\t\t" + c.field);
    EXPECT_EQ(app::state.modifiedMarked, c.marked);
    EXPECT_EQ(wideEditorText(), text);
    if (c.button == IDYES) {  // UTF-8 from now on: the next save asks nothing
      typeAtEnd("!");
      DialogAnswerer unasked(document::dialogTitle("Speichern"), answerWith(IDCANCEL), 1500);
      runCommand(app::Save);
      EXPECT_FALSE(unasked.answered());
      EXPECT_EQ(readFile(path), utf8 + "!");
    }
  }
  // Close asks to save first; Yes, then Cancel at the question: the document stays open.
  bool asked = false;
  DialogAnswerer close(document::dialogTitle("Schließen"), [&](HWND prompt) {
    pressButton(prompt, IDYES);
    asked = answerNext(prompt, document::dialogTitle("Speichern"), answerWith(IDCANCEL));
  });
  runCommand(app::Close);
  ASSERT_TRUE(close.answered());
  EXPECT_TRUE(asked);
  EXPECT_EQ(app::state.currentPath, folder + "ansi.txt");
  EXPECT_EQ(wideEditorText(), text);
  EXPECT_EQ(readFile(folder + "ansi.txt"), old);
}

// Save As offers the document's encoding and writes the file in the one chosen, which the document
// then keeps.
TEST_F(VelloroTest, SaveAsWritesTheEncodingChosenInTheDialog) {
  using namespace std::string_literals;
  const struct {
    int index;
    std::string bytes;
    std::string offered;  // what the dialog showed first: the encoding of the row before
  } cases[] = {
      {3, "\xFF\xFE" "f\0\xFC\0r\0\n\0"s, "UTF-8"},
      {0, "f\xFCr\n", "UTF-16 LE"},
      {2, "\xEF\xBB\xBF" "f\xC3\xBCr\n", "ANSI"},
      {4, "\xFE\xFF\0f\0\xFC\0r\0\n"s, "UTF-8 mit BOM"},
      {1, "f\xC3\xBCr\n", "UTF-16 BE"},
  };
  writeFile(folder + "in.txt", "f\xC3\xBCr\n");
  startVelloro();
  document::openDroppedFile(folder + "in.txt");
  settle();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    const std::string path = folder + "out" + std::to_string(c.index);
    std::string offered;
    ASSERT_TRUE(runAnswering(app::SaveAs, "Speichern unter", chooseEncoding(c.index, path, &offered)));
    EXPECT_EQ(offered, c.offered);
    EXPECT_EQ(readFile(path), c.bytes);
    EXPECT_EQ(app::state.currentPath, path);
  }
  EXPECT_EQ(encodingField(), "\t\tUTF-8 | LF");

  // ANSI chosen for text that ANSI cannot hold asks first; Yes writes UTF-8.
  pasteWide(u"\u0141\u00F3d\u017A\n");
  std::string offered;
  bool asked = false;
  ASSERT_TRUE(runAnswering(app::SaveAs, "Speichern unter", [&](HWND dialog) {
    chooseEncoding(0, folder + "lodz.txt", &offered)(dialog);
    asked = answerNext(dialog, document::dialogTitle("Speichern"), answerWith(IDYES));
  }));
  EXPECT_TRUE(asked);
  EXPECT_EQ(readFile(folder + "lodz.txt"), "\xC5\x81\xC3\xB3" "d\xC5\xBA\n");
  EXPECT_EQ(encodingField(), "\t\tUTF-8 | LF");
}

// Characters beyond the code page typed into the text and into the Find field arrive whole, copy and
// paste keep them, and the search finds them, downward and upward, and again with F3 after the window closed.
TEST_F(VelloroTest, AnyCharacterIsTypedAndFound) {
  startVelloro();
  pasteWide(u"a \u2192 b \u0141\u00F3d\u017A \u2192 ");
  select(-1, -1);
  for (wchar_t typed : {L'\u0141', L'\u20AC'}) PostMessageW(app::state.editorHandle, WM_CHAR, typed, 0);
  settle();
  EXPECT_EQ(wideEditorText(), u"a \u2192 b \u0141\u00F3d\u017A \u2192 \u0141\u20AC");
  // Through the clipboard and back.
  select(6, 10);
  runCommand(app::Copy);
  select(-1, -1);
  runCommand(app::Paste);
  EXPECT_EQ(wideEditorText(), u"a \u2192 b \u0141\u00F3d\u017A \u2192 \u0141\u20AC\u0141\u00F3d\u017A");
  // Ctrl+V, as the control's own key.
  select(0, 1);
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(app::state.editorHandle, WM_KEYDOWN, 'V', 0);
  SendMessageW(app::state.editorHandle, WM_CHAR, 0x16, 0);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  SendMessageW(app::state.editorHandle, WM_KEYUP, 'V', 0);
  EXPECT_EQ(wideEditorText().substr(0, 6), u"\u0141\u00F3d\u017A \u2192");
  pasteWide(u"a \u2192 b \u0141\u00F3d\u017A \u2192 \u0141\u20AC");

  runCommand(app::Find);
  HWND field = GetDlgItem(app::state.searchWindow, app::searchFieldId);
  ASSERT_NE(field, nullptr);
  PostMessageW(field, WM_CHAR, L'\u2192', 0);
  settle();
  wchar_t typed[8] = {};
  GetWindowTextW(field, typed, 8);
  EXPECT_EQ(std::wstring(typed), L"\u2192");
  select(0, 0);
  for (LONG found : {2, 11}) {
    SendMessageA(GetDlgItem(app::state.searchWindow, app::searchNextButtonId), BM_CLICK, 0, 0);
    settle();
    EXPECT_EQ(std::pair(selection().cpMin, selection().cpMax), std::pair(found, found + 1));
  }
  SetWindowTextW(field, L"\u0141");
  PostMessageA(app::state.searchWindow, WM_CLOSE, 0, 0);
  settle();
  select(0, 0);
  runCommand(app::FindNext);
  EXPECT_EQ(selection().cpMin, 6);
  runCommand(app::FindNext);
  EXPECT_EQ(selection().cpMin, 13);
}

}  // namespace
}  // namespace gui_test
