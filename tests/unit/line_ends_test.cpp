#include "document/line_ends.h"
#include "tests/unit/control_line_ends.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test_support::asControlGivesIt;

using document::LineEndDetector;
using document::LineEndStyle;
using document::LineEndWriter;

// The detector after the bytes were fed in pieces cut at the given offsets.
LineEndDetector detect(const std::string& bytes, const std::vector<std::size_t>& cuts = {}) {
  LineEndDetector detector;
  std::size_t from = 0;
  for (std::size_t cut : cuts) {
    detector.feed(bytes.data() + from, cut - from);
    from = cut;
  }
  detector.feed(bytes.data() + from, bytes.size() - from);
  return detector;
}

std::string write(LineEndStyle style, const std::string& bytes, const std::vector<std::size_t>& cuts = {}) {
  LineEndWriter writer(style);
  std::string result, chunk;
  std::size_t from = 0;
  for (std::size_t cut : cuts) {
    writer.convert(bytes.data() + from, cut - from, chunk);
    result += chunk;
    from = cut;
  }
  writer.convert(bytes.data() + from, bytes.size() - from, chunk);
  return result + chunk + writer.finish();
}

// Style and line count once whole, cut in two at every place and cut into single bytes, so that a
// CR LF split across chunks counts once.
TEST(LineEnds, StyleAndLinesAreTheFilesWhereverTheChunksEnd) {
  using enum LineEndStyle;
  const struct {
    std::string bytes;
    LineEndStyle style;
    long lines;
  } cases[] = {
      {"", CrLf, 1}, {"eine Zeile ohne Ende", CrLf, 1}, {"ab\r\ncd\r\n\r\nef", CrLf, 4},
      {"a\nb\nc", Lf, 3}, {"ab\ncd\n\nef\n", Lf, 5}, {"\xE4\xF6\xFC\n\xDF\n", Lf, 3},
      {"a\rb\r", Cr, 3}, {"\r\r\r", Cr, 4}, {"\r", Cr, 2},  // a lone CR as the very last byte
      // Mixed; LF CR is two line ends of two styles.
      {"a\r\nb\n", CrLf, 3}, {"a\nb\r", CrLf, 3}, {"a\rb\r\n", CrLf, 3}, {"a\n\r", CrLf, 3},
      {"a\n\rb\n\r", CrLf, 5}, {"a\r\n\nb\r\rc", CrLf, 5},
  };
  for (const auto& c : cases) {
    const std::string name = testing::PrintToString(c.bytes);
    std::vector<std::vector<std::size_t>> cuts = {{}, {}};
    for (std::size_t cut = 0; cut <= c.bytes.size(); ++cut) cuts.push_back({cut});
    for (std::size_t cut = 1; cut < c.bytes.size(); ++cut) cuts[1].push_back(cut);
    for (const auto& at : cuts) {
      const LineEndDetector detector = detect(c.bytes, at);
      EXPECT_EQ(detector.style(), c.style) << name << " cut at " << testing::PrintToString(at);
      EXPECT_EQ(detector.lines(), c.lines) << name << " cut at " << testing::PrintToString(at);
    }
  }
}

// Whole, cut in two at every place, and with every single byte as a chunk of its own.
TEST(LineEnds, WriterGivesTheFileBackWhereverTheChunksEnd) {
  for (const std::string file : {"", "a", "ab\ncd\n\nef", "ab\rcd\r\ref\r", "\r", "\xE4\n\xFC\n", "ab\r\ncd\r\n"}) {
    const LineEndStyle style = detect(file).style();
    const std::string text = asControlGivesIt(file);
    std::vector<std::vector<std::size_t>> cuts = {{}};
    for (std::size_t cut = 0; cut <= text.size(); ++cut) cuts.push_back({cut});
    for (std::size_t first = 1; first + 1 < text.size(); ++first) cuts.push_back({first, first + 1});
    for (const auto& at : cuts)
      EXPECT_EQ(write(style, text, at), file) << testing::PrintToString(file) << " cuts " << testing::PrintToString(at);
  }
}

TEST(LineEnds, WriterLeavesCrAndLfThatEndNoLineAlone) {
  const struct {
    LineEndStyle style;
    std::string text, expected;
  } cases[] = {
      {LineEndStyle::Lf, "a\rb\r\n", "a\rb\n"}, {LineEndStyle::Lf, "a\nb", "a\nb"},
      {LineEndStyle::Cr, "a\r\r\nb", "a\r\rb"}, {LineEndStyle::Cr, "a\nb\r", "a\nb\r"},
      {LineEndStyle::CrLf, "a\r\nb\r", "a\r\nb\r"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(write(c.style, c.text), c.expected) << testing::PrintToString(c.text);
    EXPECT_EQ(write(c.style, c.text, {c.text.size() / 2}), c.expected) << testing::PrintToString(c.text);
  }
}

}  // namespace
