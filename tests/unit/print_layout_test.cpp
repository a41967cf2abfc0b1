#include "document/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace {

using document::layoutPage;

// The tests' texts are ASCII; the layout takes the control's UTF-16.
std::u16string u16(std::string_view text) { return std::u16string(text.begin(), text.end()); }

constexpr int cell = 10;
constexpr int lineHeight = 20;

// Every character 10 units wide, except "W", which is 20, so that widths must come from the measure.
const struct TestMeasure : document::TextMeasure {
  int width(std::u16string_view run) const override {
    return int(run.size() + std::ranges::count(run, u'W') + 2 * std::ranges::count(run, u'\u2192')) * cell;
  }
  int lineHeight() const override { return ::lineHeight; }
} measure;

TEST(PrintLayout, PageStarts) {
  std::string tenLines = "zeile00";  // each line and its break 9 long, so line k starts at 9k
  for (char k = '1'; k <= '9'; ++k) tenLines += std::string("\r\nzeile0") + k;
  const std::tuple<const char*, std::string, int, int, std::vector<std::size_t>> cases[] = {
      {"empty text", "", 100, 100, {0}},
      {"two and a half pages, a partial line does not fit", tenLines, 100, 5 * lineHeight - 1, {0, 36, 72}},
      {"exactly two pages", tenLines, 100, 5 * lineHeight, {0, 45}},
      {"wrapped lines fill pages", "wort wort wort wort wort wort wort wort wort wort", 4 * cell, 4 * lineHeight,
       {0, 20, 40}},
      {"a final break adds no page, an empty last paragraph does", "eins\nzwei\n\n", 100, 2 * lineHeight, {0, 10}},
      {"page lower than a line", "a\nb\r\nc", 100, lineHeight - 1, {0, 2, 5}},
  };
  for (const auto& [label, text, width, height, starts] : cases)
    EXPECT_EQ(document::pageStarts(u16(text), width, height, measure), starts) << label;
  // Asking again past the end gives nothing more, and no position past the end.
  EXPECT_EQ(layoutPage(u16(tenLines), tenLines.size() + 5, 100, 100, measure).next, tenLines.size());
}

TEST(PrintLayout, LineBreaking) {
  const std::tuple<const char*, const char*, int, std::vector<std::string>> cases[] = {
      {"one unit short wraps, blanks at the wrap dropped", "eins   zwei", 9 * cell - 1, {"eins", "zwei"}},
      {"long word moves to its own lines", "ab cdefghij kl", 4 * cell, {"ab", "cdef", "ghij", "kl"}},
      {"trailing blanks hang, line ends of all kinds", "abcd   \r\nx\ry\n\nz", 4 * cell, {"abcd", "x", "y", "", "z"}},
      {"page narrower than a character", "ab c", cell / 2, {"a", "b", "c"}},
      {"widths come from the measure", "WWW ii", 5 * cell, {"WW", "W ii"}},
      {"tab stops from the line start", "aaaaaaaaa b\tc", 10 * cell, {"aaaaaaaaa", "b       c"}},
      {"tab on a stop is a full stop", "abcdefgh\t\tx", 30 * cell, {"abcdefgh                x"}},
  };
  for (const auto& [label, text, width, lines] : cases) {
    const std::u16string wide = u16(text);
    std::vector<std::u16string> drawn, expected;
    for (const auto& line : layoutPage(wide, 0, width, 1'000'000, measure).lines)
      drawn.push_back(document::drawnLineText(wide, line));
    for (const auto& line : lines) expected.push_back(u16(line));
    EXPECT_EQ(drawn, expected) << label;
  }
  // Characters beyond a code page are measured one by one: the arrow is three cells wide.
  const std::u16string arrows = u"\u0141\u2192\u2192 ok";
  std::vector<std::u16string> drawn;
  for (const auto& line : layoutPage(arrows, 0, 7 * cell, 1'000'000, measure).lines)
    drawn.push_back(document::drawnLineText(arrows, line));
  EXPECT_EQ(drawn, (std::vector<std::u16string>{u"\u0141\u2192\u2192", u"ok"}));
}

}  // namespace
