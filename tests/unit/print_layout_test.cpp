#include "document/print_layout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using document::layoutPage;
using document::PageLine;
using document::pageStarts;

constexpr int cell = 10;
constexpr int lineHeight = 20;
constexpr int roomy = 1'000'000;

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

std::vector<std::string> drawnLines(std::string_view text, int width, int height = roomy) {
  std::vector<std::string> drawn;
  for (const PageLine& line : layoutPage(text, 0, width, height, measure).lines)
    drawn.push_back(document::drawnLineText(text, line));
  return drawn;
}

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
      {"one line", "Hallo Welt", 200, 100, {0}},
      {"exactly one page", "eins\nzwei\ndrei", 100, 3 * lineHeight, {0}},
      {"two and a half pages", tenLines(), 100, 4 * lineHeight, {0, 36, 72}},
      {"a partial line does not fit", tenLines(), 100, 5 * lineHeight - 1, {0, 36, 72}},
      {"exactly two pages", tenLines(), 100, 5 * lineHeight, {0, 45}},
      {"wrapped lines fill pages", "wort wort wort wort wort wort wort wort wort wort", 4 * cell, 4 * lineHeight,
       {0, 20, 40}},
      {"a final break adds no page", "eins\nzwei\n", 100, 2 * lineHeight, {0}},
      {"an empty last paragraph is a line", "eins\nzwei\n\n", 100, 2 * lineHeight, {0, 10}},
      {"page lower than a line", "a\nb\nc", 100, lineHeight - 1, {0, 2, 4}},
      {"negative page height", "a\r\nb", 100, -50, {0, 3}},
  };
  for (const auto& c : cases) EXPECT_EQ(pageStarts(c.text, c.width, c.height, measure), c.starts) << c.label;
}

TEST(PrintLayout, NothingFollowsTheTextEnd) {
  // A caller that asks again at the end gets nothing more, and no position past the end.
  const std::string text = "eins\r\nzwei\r\ndrei";
  const auto after = layoutPage(text, text.size(), 100, 3 * lineHeight, measure);
  EXPECT_TRUE(after.lines.empty());
  EXPECT_EQ(after.next, text.size());
  EXPECT_EQ(layoutPage(text, text.size() + 5, 100, 100, measure).next, text.size());
}

TEST(PrintLayout, ParagraphEndsAndPositions) {
  const struct {
    const char* text;
    std::vector<std::pair<std::size_t, std::size_t>> lines;
  } cases[] = {
      {"ab\r\ncd", {{0, 2}, {4, 6}}},           {"ab\rcd", {{0, 2}, {3, 5}}},
      {"ab\ncd", {{0, 2}, {3, 5}}},             {"ab\r\n\r\ncd", {{0, 2}, {4, 4}, {6, 8}}},
      {"ab\r\rcd", {{0, 2}, {3, 3}, {4, 6}}},   {"\r\n", {{0, 0}}},
      {"\r\r\n\n", {{0, 0}, {1, 1}, {3, 3}}}, {"ab\r", {{0, 2}}},
      {"\n\r", {{0, 0}, {1, 1}}},  // a line feed before a return is two breaks
  };
  for (const auto& c : cases) {
    const std::string_view text = c.text;
    const auto page = layoutPage(text, 0, 100, roomy, measure);
    std::vector<std::pair<std::size_t, std::size_t>> lines;
    for (const PageLine& line : page.lines) lines.emplace_back(line.begin, line.end);
    EXPECT_EQ(lines, c.lines) << testing::PrintToString(c.text);
    EXPECT_EQ(page.next, text.size()) << testing::PrintToString(c.text);
  }
}

TEST(PrintLayout, LineBreaking) {
  const struct {
    const char* label;
    const char* text;
    int width;
    std::vector<std::string> lines;
  } cases[] = {
      {"wraps at a blank", "eins zwei drei", 9 * cell, {"eins zwei", "drei"}},
      {"exact fit stays on one line", "eins zwei", 9 * cell, {"eins zwei"}},
      {"one unit short wraps", "eins zwei", 9 * cell - 1, {"eins", "zwei"}},
      {"blanks at the wrap are dropped", "eins   zwei", 6 * cell, {"eins", "zwei"}},
      {"word longer than a line", "abcdefghij", 4 * cell, {"abcd", "efgh", "ij"}},
      {"long word moves to its own lines", "ab cdefghij kl", 4 * cell, {"ab", "cdef", "ghij", "kl"}},
      {"trailing blanks hang", "abcd      \r\nx", 4 * cell, {"abcd", "x"}},
      {"trailing blanks at the end", "abcd      ", 4 * cell, {"abcd"}},
      {"leading blanks indent", "  ab", 10 * cell, {"  ab"}},
      {"indent then a word too wide", "    abcdef", 6 * cell, {"    ", "abcdef"}},
      {"indent wider than the line", "          abc", 4 * cell, {"    ", "abc"}},
      {"blank paragraph wider than the line", "          \nx", 4 * cell, {"    ", "x"}},
      {"page narrower than a character", "abc", cell / 2, {"a", "b", "c"}},
      {"narrow page drops blanks", "a b", cell / 2, {"a", "b"}},
      {"widths come from the measure", "WWW ii", 5 * cell, {"WW", "W ii"}},
      {"tab counts its cells", "ab\tcd", 10 * cell, {"ab      cd"}},
      {"tab is a break", "ab\tcd", 10 * cell - 1, {"ab", "cd"}},
      {"tab on a stop is a full stop", "abcdefgh\tx", 20 * cell, {"abcdefgh        x"}},
      {"tabs in a row", "abc\t\tx", 20 * cell, {"abc             x"}},
      {"tab stops from the line start", "aaaaaaaaa b\tc", 10 * cell, {"aaaaaaaaa", "b       c"}},
  };
  for (const auto& c : cases) EXPECT_EQ(drawnLines(c.text, c.width), c.lines) << c.label;
}

TEST(PrintLayout, MeasuresLinearly) {
  std::string text;
  while (text.size() < 200'000) text += "ein Wort\tund\r\nnoch eins ";
  text += std::string(100'000, 'x');  // one word over many lines
  const TestMeasure counting;
  const auto starts = pageStarts(text, 60 * cell, 50 * lineHeight, counting);
  EXPECT_GT(starts.size(), 100u);
  EXPECT_LE(counting.measured, text.size());
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isBreak(char c) { return c == '\r' || c == '\n'; }

// Between two lines lie only blanks and at most one paragraph break, blanks before the break.
void expectGapDropsOnlyBlanksAndOneBreak(std::string_view text, std::size_t from, std::size_t to,
                                         const std::string& where) {
  std::size_t i = from;
  while (i < to && isBlank(text[i])) ++i;
  if (i < to && isBreak(text[i])) i += text.substr(i, 2) == "\r\n" && i + 1 < to ? 2 : 1;
  EXPECT_EQ(i, to) << where << " gap " << from << ".." << to;
}

TEST(PrintLayout, GeneratedTextsAdvanceAndCoverEveryCharacter) {
  std::mt19937 random(20240611);
  const std::string alphabet = "aaaabbbW   \t\r\n";
  for (int round = 0; round < 1500; ++round) {
    std::string text(random() % 160, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    const int width = static_cast<int>(random() % 150);
    const int height = static_cast<int>(random() % 140) - 20;
    const std::string where = testing::PrintToString(text) + " " + std::to_string(width) + "x" + std::to_string(height);
    const std::size_t linesPerPage = height >= lineHeight ? static_cast<std::size_t>(height / lineHeight) : 1;
    // Drawn width as the test measure sees it, tabs expanded.
    auto drawnWidth = [&](std::size_t begin, std::size_t end) {
      return measure.width(document::drawnLineText(text, {begin, end}));
    };

    const auto starts = pageStarts(text, width, height, measure);
    ASSERT_FALSE(starts.empty()) << where;
    EXPECT_EQ(starts.front(), 0u) << where;
    std::vector<PageLine> lines;
    for (std::size_t page = 0; page < starts.size(); ++page) {
      const auto layout = layoutPage(text, starts[page], width, height, measure);
      const bool last = page + 1 == starts.size();
      EXPECT_EQ(layout.next, last ? text.size() : starts[page + 1]) << where;
      EXPECT_TRUE(text.empty() || layout.next > starts[page]) << where;
      EXPECT_TRUE(last ? layout.lines.size() <= linesPerPage : layout.lines.size() == linesPerPage) << where;
      lines.insert(lines.end(), layout.lines.begin(), layout.lines.end());
    }

    std::size_t covered = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
      const PageLine line = lines[k];
      const std::string at = where + " line " + std::to_string(k);
      ASSERT_LE(line.begin, line.end) << at;
      ASSERT_LE(line.end, text.size()) << at;
      expectGapDropsOnlyBlanksAndOneBreak(text, covered, line.begin, at);
      covered = line.end;
      const std::string_view drawn = std::string_view(text).substr(line.begin, line.end - line.begin);
      EXPECT_EQ(drawn.find_first_of("\r\n"), std::string_view::npos) << at;
      // Blanks start a line only as an indent, and end it only when it is all indent.
      const bool indented = !drawn.empty() && isBlank(drawn.front());
      EXPECT_TRUE(!indented || line.begin == 0 || isBreak(text[line.begin - 1])) << at;
      const bool blankAtEnd = !drawn.empty() && isBlank(drawn.back());
      EXPECT_TRUE(!blankAtEnd || drawn.find_first_not_of(" \t") == std::string_view::npos) << at;
      EXPECT_TRUE(drawn.size() <= 1 || drawnWidth(line.begin, line.end) <= width) << at;

      // Greedy: a line that wraps could not have taken the next word, or the next character
      // inside a word that was already broken.
      if (k + 1 == lines.size()) continue;
      const std::size_t nextBegin = lines[k + 1].begin;
      const bool paragraphEnds = text.substr(line.end, nextBegin - line.end).find_first_of("\r\n") != std::string::npos;
      if (paragraphEnds || nextBegin >= text.size()) continue;
      const bool midWord = nextBegin > 0 && !isBlank(text[nextBegin - 1]);
      std::size_t wordEnd = nextBegin + 1;
      while (!midWord && wordEnd < text.size() && !isBlank(text[wordEnd]) && !isBreak(text[wordEnd])) ++wordEnd;
      EXPECT_GT(drawnWidth(line.begin, wordEnd), width) << at;
    }
    expectGapDropsOnlyBlanksAndOneBreak(text, covered, text.size(), where);
  }
}

}  // namespace
