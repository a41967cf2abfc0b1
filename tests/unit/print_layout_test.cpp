#include "document/print_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using document::layoutPage;
using document::pageStarts;

constexpr int cell = 10;
constexpr int lineHeight = 20;

// Every character 10 units wide, except "W", which is 20, so that widths must come from the
// measure; counts the characters it is asked to measure.
struct TestMeasure : document::TextMeasure {
  mutable std::size_t measured = 0;
  int width(std::string_view run) const override {
    measured += run.size();
    int w = 0;
    for (char c : run) w += c == 'W' ? 2 * cell : cell;
    return w;
  }
  int lineHeight() const override { return ::lineHeight; }
};

const TestMeasure measure;

// Ten lines of 7 characters, each break two more, so line k starts at 9k.
std::string tenLines() {
  std::string text = "zeile01";
  for (int i = 2; i <= 10; ++i) text += (i < 10 ? "\r\nzeile0" : "\r\nzeile") + std::to_string(i);
  return text;
}

TEST(PrintLayout, PageStarts) {
  const struct {
    const char* label;
    std::string text;
    int width, height;
    std::vector<std::size_t> starts;
  } cases[] = {
      {"empty text", "", 100, 100, {0}},
      {"two and a half pages", tenLines(), 100, 4 * lineHeight, {0, 36, 72}},
      {"a partial line does not fit", tenLines(), 100, 5 * lineHeight - 1, {0, 36, 72}},
      {"exactly two pages", tenLines(), 100, 5 * lineHeight, {0, 45}},
      {"wrapped lines fill pages", "wort wort wort wort wort wort wort wort wort wort", 4 * cell, 4 * lineHeight,
       {0, 20, 40}},
      {"a final break adds no page", "eins\nzwei\n", 100, 2 * lineHeight, {0}},
      {"an empty last paragraph is a line", "eins\nzwei\n\n", 100, 2 * lineHeight, {0, 10}},
      {"page lower than a line", "a\nb\r\nc", 100, lineHeight - 1, {0, 2, 5}},
  };
  for (const auto& c : cases) EXPECT_EQ(pageStarts(c.text, c.width, c.height, measure), c.starts) << c.label;
  // Asking again at the end gives nothing more, and no position past the end.
  const std::string text = "eins\r\nzwei";
  EXPECT_TRUE(layoutPage(text, text.size(), 100, 100, measure).lines.empty());
  EXPECT_EQ(layoutPage(text, text.size() + 5, 100, 100, measure).next, text.size());
}

TEST(PrintLayout, LineBreaking) {
  const struct {
    const char* label;
    const char* text;
    int width;
    std::vector<std::string> lines;
  } cases[] = {
      {"exact fit stays on one line", "eins zwei", 9 * cell, {"eins zwei"}},
      {"one unit short wraps, blanks at the wrap dropped", "eins   zwei", 9 * cell - 1, {"eins", "zwei"}},
      {"long word moves to its own lines", "ab cdefghij kl", 4 * cell, {"ab", "cdef", "ghij", "kl"}},
      {"trailing blanks hang, line ends of all kinds", "abcd   \r\nx\ry\n\nz", 4 * cell, {"abcd", "x", "y", "", "z"}},
      {"indent wider than the line", "          abc", 4 * cell, {"    ", "abc"}},
      {"page narrower than a character", "ab c", cell / 2, {"a", "b", "c"}},
      {"widths come from the measure", "WWW ii", 5 * cell, {"WW", "W ii"}},
      {"tab stops from the line start", "aaaaaaaaa b\tc", 10 * cell, {"aaaaaaaaa", "b       c"}},
      {"tab on a stop is a full stop", "abcdefgh\t\tx", 30 * cell, {"abcdefgh                x"}},
      {"tab is a break", "ab\tcd", 10 * cell - 1, {"ab", "cd"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> drawn;
    for (const auto& line : layoutPage(c.text, 0, c.width, 1'000'000, measure).lines)
      drawn.push_back(document::drawnLineText(c.text, line));
    EXPECT_EQ(drawn, c.lines) << c.label;
  }
}

TEST(PrintLayout, MeasuresLinearly) {
  std::string text;
  while (text.size() < 200'000) text += "ein Wort\tund\r\nnoch eins ";
  text += std::string(100'000, 'x');  // one word over many lines
  const TestMeasure counting;
  EXPECT_GT(pageStarts(text, 60 * cell, 50 * lineHeight, counting).size(), 100u);
  EXPECT_LE(counting.measured, text.size());
}

}  // namespace
