#include "settings/preferences_model.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "settings/default_preferences.h"

namespace {

using settings::PreferencesModel;
using namespace std::literals;

// The lines as the program writes them, each ended by CR LF.
std::string crlf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

const char* const noGroup = nullptr;

TEST(PreferencesModel, ReadsValuesAsWrittenInTheFile) {
  // Number and text fallbacks are -99 and "fallback", so a case that expects them proves the key
  // was not found.
  const struct {
    const char* name;
    std::string file;
    const char* group;  // noGroup: nothing selected
    const char* key;
    std::int32_t number;
    std::string text;
  } cases[] = {
      {"empty file, group", "", "Program", "Win_Width", -99, "fallback"},
      {"plain key", "[Program]\r\nWin_Width = 800\r\n", "Program", "Win_Width", 800, "800"},
      {"group letter case", "[pROGRAM]\r\nWin_Width = 800\r\n", "Program", "WIN_WIDTH", 800, "800"},
      {"blank before group name", "[ Program]\r\nWin_Width = 800\r\n", "Program", "Win_Width", -99, "fallback"},
      {"blank after group name", "[Program ]\r\nWin_Width = 800\r\n", "Program", "Win_Width", -99, "fallback"},
      {"only ASCII letters fold", "[\xC4RGER]\r\nk = 1\r\n", "\xE4rger", "k", -99, "fallback"},
      {"key above groups, no group", "k = 5\r\n[Program]\r\n", noGroup, "k", 5, "5"},
      {"key above groups, group selected", "k = 5\r\n[Program]\r\n", "Program", "k", -99, "fallback"},
      {"key of a group, no group selected", "[Program]\r\nk = 5\r\n", noGroup, "k", -99, "fallback"},
      {"key of another group", "[A]\r\nk = 1\r\n[B]\r\nj = 2\r\n", "B", "k", -99, "fallback"},
      {"blank value", "[G]\r\nk =   \t \r\n", "G", "k", 0, ""},
      {"no equals sign, trailing blanks", "[G]\r\nk \t\r\n", "G", "k", 0, ""},
      {"word value", "[G]\r\nk = abc\r\n", "G", "k", 0, "abc"},
      {"no comments on key lines", "[G]\r\nk = 1 ; note\r\n", "G", "k", 1, "1 ; note"},
      {"trailing blanks dropped when read", "[G]\r\nk = a b \t \r\n", "G", "k", 0, "a b"},
      {"equals inside value", "[G]\r\nk = a=b\r\n", "G", "k", 0, "a=b"},
      {"blanks and tabs around equals", "[G]\r\nk \t=\t 7\r\n", "G", "k", 7, "7"},
      {"blanks inside key", "[Program]\r\nSave Pref. at the End = 1\r\n", "Program", "save pref. at the end", 1, "1"},
      {"indented lines", "  \t[G]\r\n\t  k = 4\r\n", "G", "k", 4, "4"},
      {"CR line ends", "[G]\rj = 1\rk = 2\r", "G", "k", 2, "2"},
      {"mixed runs of line ends, LF alone", "\r\n\r\n[G]\n\r\r\nk = 3\n\n", "G", "k", 3, "3"},
      {"whitespace-only lines", "[G]\r\n   \t\r\nk = 3\r\n \t", "G", "k", 3, "3"},
      {"last line without line end", "[G]\r\nk = 3", "G", "k", 3, "3"},
      {"first of two equal keys", "[G]\r\nk = 1\r\nK = 2\r\n", "G", "k", 1, "1"},
      {"first of two equal groups", "[G]\r\nk = 1\r\n[g]\r\nk = 2\r\n", "G", "k", 1, "1"},
      {"group without closing bracket", "[G x\r\nk = 1\r\n", "G x", "k", 1, "1"},
      {"text after closing bracket", "[G] x]\r\nk = 1\r\n", "G", "k", 1, "1"},
      {"commented-out key", "[G]\r\n;k = 1\r\n", "G", "k", -99, "fallback"},
      {"comment does not end group", "[G]\r\n; x\r\nk = 1\r\n", "G", "k", 1, "1"},
      {"plus sign", "[G]\r\nk = +12\r\n", "G", "k", 12, "+12"},
      {"minus sign", "[G]\r\nk = -7x\r\n", "G", "k", -7, "-7x"},
      {"sign without digits", "[G]\r\nk = - 5\r\n", "G", "k", 0, "- 5"},
      {"other white space before number", "[G]\r\nk = \v\f7\r\n", "G", "k", 7, "\v\f7"},
      {"wraps to the lowest value", "[G]\r\nk = 2147483648\r\n", "G", "k", INT_MIN, "2147483648"},
      {"NUL ends a key", "[G]\r\nk\0x = 5\r\n"s, "G", "k", 5, "5"},
      {"NUL ends a value", "[G]\r\nk = 5\0x9\r\n"s, "G", "k", 5, "5"},
      {"NUL does not end the file", "[G]\r\n\0\r\nk = 5\r\n"s, "G", "k", 5, "5"},
  };
  for (const auto& c : cases) {
    PreferencesModel model = PreferencesModel::parse(c.file);
    if (c.group != noGroup) model.selectGroup(c.group);
    EXPECT_EQ(model.readNumber(c.key, -99), c.number) << c.name;
    EXPECT_EQ(model.readText(c.key, "fallback"), c.text) << c.name;
    EXPECT_FALSE(model.changed()) << c.name;
  }
}

TEST(PreferencesModel, SelectGroupTellsWhetherTheGroupExists) {
  PreferencesModel model = PreferencesModel::parse("k = 0\r\n[Program]\r\nk = 1\r\n[Style]\r\nk = 2\r\n");
  EXPECT_TRUE(model.selectGroup("style"));
  EXPECT_EQ(model.readNumber("k", -1), 2);
  // A missing group hides the keys of the group selected before it.
  EXPECT_FALSE(model.selectGroup("Extras"));
  EXPECT_EQ(model.readNumber("k", -1), -1);
  EXPECT_TRUE(model.selectGroup("PROGRAM"));
  EXPECT_EQ(model.readNumber("k", -1), 1);
  EXPECT_FALSE(model.selectGroup(""));
  EXPECT_EQ(model.readNumber("k", -1), -1);
}

TEST(PreferencesModel, EmptyFileHoldsNothing) {
  for (std::string_view file : {""sv, "\r\n\n\r"sv, "  \t \r\n \t"sv}) {
    PreferencesModel model = PreferencesModel::parse(file);
    EXPECT_EQ(model.entryCount(), 0u);
    EXPECT_EQ(model.serialize(), "");
    EXPECT_FALSE(model.utf8Mode());
  }
}

TEST(PreferencesModel, RewriteNormalisesEveryLine) {
  const std::string file =
      "\r\n"
      "  ;  two blanks stay\n"
      ";x\r"
      "\t[Program]  junk ] more\r\n"
      "\r\n"
      "   Win_Width=800   \r\n"
      "Win_Height\t=\t600\r\n"
      "Lonely\r\n"
      "  \t  \r\n"
      "[Style] \r\n"
      "Editor_Back   =  1,2,3\t\r\n"
      ";\r\n"
      ";c\0d\r\n"
      "[Program]\r\n"
      "Win_Width = 1\r\n"s;
  PreferencesModel model = PreferencesModel::parse(file);
  model.selectGroup("Extras");
  model.selectGroup("Style");  // leaves no trace: nothing is written into Extras
  model.writeText("editor_back", "1,2,3\t");
  EXPECT_TRUE(model.changed());
  EXPECT_EQ(model.serialize(),
            crlf({";  two blanks stay", "; x", "[Program]", "Win_Width = 800   ", "Win_Height = 600",
                  "Lonely = ", "[Style]", "editor_back = 1,2,3\t", "; ", "; c", "[Program]",
                  "Win_Width = 1"}));
}

TEST(PreferencesModel, WritesGoWhereTheRulesPutThem) {
  using M = PreferencesModel;
  const struct {
    const char* name;
    std::string file;
    std::function<void(M&)> edit;
    std::string expected;
  } cases[] = {
      {"missing group appended with its key at the end", crlf({"[A]", "a = 1", "; end"}),
       [](M& m) { m.selectGroup("Extras"); m.writeNumber("WordWrap", 1); m.writeNumber("Transparency", 0); },
       crlf({"[A]", "a = 1", "; end", "[Extras]", "WordWrap = 1", "Transparency = 0"})},
      {"new key behind the comment that closes its group", crlf({"[A]", "a = 1", "; closing", "[B]", "b = 1"}),
       [](M& m) { m.selectGroup("a"); m.writeNumber("new", 5); },
       crlf({"[A]", "a = 1", "; closing", "new = 5", "[B]", "b = 1"})},
      {"new key at the end of the last group", crlf({"[A]", "[B]", "b = 1", ";"}),
       [](M& m) { m.selectGroup("B"); m.writeNumber("new", 5); }, crlf({"[A]", "[B]", "b = 1", "; ", "new = 5"})},
      {"new key without group above the first group line", crlf({"; head", "top = 1", "[A]", "a = 1"}),
       [](M& m) { m.writeNumber("new", 5); }, crlf({"; head", "top = 1", "new = 5", "[A]", "a = 1"})},
      {"found key keeps its place and takes the caller's letter case", crlf({"[A]", "win_width = 800", "x = 1"}),
       [](M& m) { m.selectGroup("A"); m.writeNumber("Win_Width", 1024); }, crlf({"[A]", "Win_Width = 1024", "x = 1"})},
      {"shorter then longer value", crlf({"[A]", "k = 12345", "j = 1"}),
       [](M& m) {
         m.selectGroup("A"); m.writeText("k", "9"); m.writeText("j", "a much longer value than before");
         m.writeText("k", "longer again");
       },
       crlf({"[A]", "k = longer again", "j = a much longer value than before"})},
      {"a value grown by a byte does not spill into the next written text", "",
       [](M& m) { m.writeText("a", "1"); m.writeText("b", "2"); m.writeText("a", "12"); }, crlf({"a = 12", "b = 2"})},
      {"only the first of two equal keys is written", crlf({"[A]", "k = 1", "k = 2"}),
       [](M& m) { m.selectGroup("A"); m.writeNumber("K", 3); }, crlf({"[A]", "K = 3", "k = 2"})},
      {"comment right after the key just written", crlf({"[A]", "a = 1", "b = 2"}),
       [](M& m) { m.selectGroup("A"); m.writeNumber("a", 1); m.writeComment("after a"); },
       crlf({"[A]", "a = 1", "; after a", "b = 2"})},
      {"comment at the front when nothing was selected or written", crlf({"[A]", "a = 1"}),
       [](M& m) { m.writeComment("top"); }, crlf({"; top", "[A]", "a = 1"})},
      {"comment into a missing group appends the group", crlf({"[A]"}),
       [](M& m) { m.selectGroup("B"); m.writeComment("c"); m.writeNumber("b", 1); },
       crlf({"[A]", "[B]", "; c", "b = 1"})},
      {"group found after a comment was put in front of it", crlf({"[A]", "a = 1"}),
       [](M& m) { m.writeComment("top"); m.selectGroup("A"); m.writeNumber("b", 2); m.writeComment("after b"); },
       crlf({"; top", "[A]", "a = 1", "b = 2", "; after b"})},
      {"comment right after the selected group line; later writes keep the group", crlf({"[A]", "a = 1"}),
       [](M& m) { m.selectGroup("A"); m.writeComment("first in A"); m.writeNumber("z", 26); },
       crlf({"[A]", "; first in A", "a = 1", "z = 26"})},
      {"numbers in signed decimal", "",
       [](M& m) {
         m.writeNumber("zero", 0); m.writeNumber("negative", -40);
         m.writeNumber("lowest", INT_MIN); m.writeNumber("highest", INT_MAX);
       },
       crlf({"zero = 0", "negative = -40", "lowest = -2147483648", "highest = 2147483647"})},
      {"empty texts", "", [](M& m) { m.writeText("k", ""); m.writeComment(""); }, crlf({"k = ", "; "})},
      {"written texts end at a line break or NUL", "",
       [](M& m) { m.selectGroup("G\r\n[H]"); m.writeText("k\nx", "1\r\nj = 2"); m.writeComment("c\0d"s); },
       crlf({"[G]", "k = 1", "; c"})},
  };
  for (const auto& c : cases) {
    PreferencesModel model = PreferencesModel::parse(c.file);
    c.edit(model);
    EXPECT_TRUE(model.changed()) << c.name;
    EXPECT_EQ(model.serialize(), c.expected) << c.name;
  }
}

TEST(PreferencesModel, WrittenValuesReadBackAtOnce) {
  PreferencesModel model = PreferencesModel::parse(crlf({"[A]", "k = 123456"}));
  model.selectGroup("Missing");
  model.writeText("k", "  padded  ");
  EXPECT_EQ(model.readText("K"), "padded");
  model.selectGroup("A");
  EXPECT_EQ(model.readNumber("k", -1), 123456);
  model.writeNumber("k", -5);
  EXPECT_EQ(model.readNumber("k", -1), -5);
  EXPECT_EQ(model.readText("k"), "-5");
}

// Saving into the restored default file changes its values in place and adds nothing.
TEST(PreferencesModel, SaveIntoTheDefaultFileChangesValuesInPlace) {
  PreferencesModel defaults;
  settings::writeDefaultPreferences(defaults);
  const std::string restored = defaults.serialize();
  PreferencesModel saved = PreferencesModel::parse(restored);
  saved.selectGroup("Extras");
  saved.writeNumber("WordWrap", 1);
  saved.writeNumber("Always in Fore-Ground", 1);
  std::string expected = restored;
  expected.replace(expected.find("WordWrap = 0"), 12, "WordWrap = 1");
  expected.replace(expected.find("Fore-Ground = 0"), 15, "Fore-Ground = 1");
  EXPECT_EQ(saved.serialize(), expected);
}

TEST(PreferencesModel, ByteOrderMarkSelectsUtf8ModeAndSurvivesRewrite) {
  const std::string bom = "\xEF\xBB\xBF";
  PreferencesModel model = PreferencesModel::parse(bom + "[A]\r\na = 1");
  EXPECT_TRUE(model.utf8Mode());
  model.selectGroup("A");
  model.writeNumber("b", 2);
  const std::string written = model.serialize();
  EXPECT_EQ(written, bom + "\r\n" + crlf({"[A]", "a = 1", "b = 2"}));

  PreferencesModel again = PreferencesModel::parse(written);
  EXPECT_TRUE(again.utf8Mode());
  EXPECT_EQ(again.entryCount(), 3u);
  EXPECT_EQ(again.serialize(), written);

  EXPECT_EQ(PreferencesModel::parse(bom).serialize(), bom + "\r\n");
  EXPECT_FALSE(PreferencesModel::parse("\xEF\xBB").utf8Mode());
  EXPECT_FALSE(PreferencesModel::parse(" " + bom + "k = 1").utf8Mode());
}

TEST(PreferencesModel, PlainFileStaysPlainWhenItsFirstKeyBeginsLikeAByteOrderMark) {
  PreferencesModel model = PreferencesModel::parse(" \xEF\xBB\xBFk = 1\r\n");
  model.writeText("j", "\xE4");
  const std::string written = model.serialize();
  PreferencesModel again = PreferencesModel::parse(written);
  EXPECT_FALSE(again.utf8Mode());
  EXPECT_EQ(again.readText("j"), "\xE4");
  EXPECT_EQ(again.serialize(), written);
}

TEST(PreferencesModel, Utf8ModeConvertsWhatIsWrittenAndLookedUp) {
  PreferencesModel model =
      PreferencesModel::parse("\xEF\xBB\xBF[Gr\xC3\xBCn]\r\nMa\xC3\x9Fstab = 5\r\n\xC3\xA4rger = 1\r\n");
  EXPECT_TRUE(model.selectGroup("GR\xFCN"));  // ASCII letters fold, the umlaut matches by its UTF-8 form
  EXPECT_EQ(model.readNumber("ma\xDFstab", -1), 5);
  EXPECT_EQ(model.readNumber("\xC4rger", -1), -1);  // only ASCII letters fold
  model.writeText("Ma\xDFStab", "\xE4\xF6\xFC \xFF");
  model.writeComment("\xA9 2024");
  model.selectGroup("\xD6l");
  model.writeNumber("\xC4", 1);
  EXPECT_EQ(model.serialize(),
            "\xEF\xBB\xBF\r\n" + crlf({"[Gr\xC3\xBCn]", "Ma\xC3\x9FStab = \xC3\xA4\xC3\xB6\xC3\xBC \xC3\xBF",
                                       "; \xC2\xA9 2024", "\xC3\xA4rger = 1", "[\xC3\x96l]", "\xC3\x84 = 1"}));
  model.selectGroup("gr\xFCn");
  EXPECT_EQ(model.readText("MA\xDFSTAB"), "\xE4\xF6\xFC \xFF");
}

TEST(PreferencesModel, Utf8ModeDecodesOnlyLatin1Text) {
  const struct {
    const char* name;
    const char* stored;
    const char* text;
  } cases[] = {
      {"ASCII", "80,80,80", "80,80,80"},
      {"two-byte Latin-1", "\xC3\xA4\xC2\xA0\xC2\x80\xC3\xBF", "\xE4\xA0\x80\xFF"},
      {"beyond Latin-1", "a\xE2\x82\xAC", ""},  {"lone Latin-1 byte", "Gr\xFCn", ""},
      {"lone continuation byte", "\x80", ""},  {"overlong form", "\xC1\xBF", ""},
      {"cut off at the end", "ab\xC3", ""},    {"lead byte without continuation", "\xC3z", ""},
  };
  for (const auto& c : cases) {
    PreferencesModel model = PreferencesModel::parse("\xEF\xBB\xBFk = "s + c.stored + "\r\n");
    EXPECT_EQ(model.readText("k", "fallback"), c.text) << c.name;
    // Without the mark the same bytes are read as they are.
    EXPECT_EQ(PreferencesModel::parse("k = "s + c.stored).readText("k"), c.stored) << c.name;
  }
  // Numbers are read from the stored bytes without decoding.
  EXPECT_EQ(PreferencesModel::parse("\xEF\xBB\xBFk = 12\xFF").readNumber("k", -1), 12);
}

TEST(PreferencesModel, LargeInputsParseCompletely) {
  // About 50 MB in ten thousand groups: reading must stay linear in the size of the file.
  std::string big;
  big.reserve(52u << 20);
  const std::string line = "Key_With_A_Name = a value of some thirty characters   \r\n";
  int groups = 0;
  while (big.size() < (50u << 20)) {
    big += "[Group" + std::to_string(groups++) + "]\r\n";
    for (int i = 0; i < 90; ++i) big += line;
  }
  big += "Last = 42";
  PreferencesModel model = PreferencesModel::parse(big);
  EXPECT_EQ(model.entryCount(), static_cast<std::size_t>(groups) * 91 + 1);
  EXPECT_TRUE(model.selectGroup("Group" + std::to_string(groups - 1)));
  EXPECT_EQ(model.readNumber("last", 0), 42);
  EXPECT_EQ(model.readText("Key_With_A_Name"), "a value of some thirty characters");
  model.writeNumber("last", 7);
  const std::string written = model.serialize();
  EXPECT_EQ(written.size(), big.size() + 1);
  EXPECT_EQ(written.substr(written.size() - 12), "\r\nlast = 7\r\n");

  // Single lines of a million characters, of each kind.
  const std::string million(1000000, 'x');
  PreferencesModel longLines = PreferencesModel::parse("k = " + million + "\n;" + million + "\r" + million + "=\n" +
                                                       std::string(1000000, ' ') + "\n[" + million);
  EXPECT_EQ(longLines.entryCount(), 4u);
  EXPECT_EQ(longLines.readText("k"), million);
  EXPECT_EQ(longLines.readText(million, "fallback"), "");
  EXPECT_TRUE(longLines.selectGroup(million));
}

}  // namespace
