#include "document/line_ends.h"
#include "tests/unit/control_line_ends.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using document::LineEndStyle;

// Every way to cut the bytes into chunks: whole, in two at every place, and into single bytes, so
// that a CR LF split across chunks is still seen as one.
std::vector<std::vector<std::size_t>> allCuts(std::size_t size) {
  std::vector<std::vector<std::size_t>> cuts = {{}, {}};
  for (std::size_t cut = 1; cut < size; ++cut) cuts[1].push_back(cut), cuts.push_back({cut});
  return cuts;
}

std::string write(LineEndStyle style, const std::string& bytes, const std::vector<std::size_t>& cuts = {}) {
  document::LineEndWriter writer(style);
  std::string result, chunk;
  std::size_t from = 0;
  for (std::size_t to : cuts) writer.convert(bytes.data() + from, to - from, chunk), result += chunk, from = to;
  writer.convert(bytes.data() + from, bytes.size() - from, chunk);
  return result + chunk + writer.finish();
}

// The file's own style and line count found wherever the chunks end, and the control's CR LF text
// written back in that style gives the file again.
TEST(LineEnds, StyleAndLinesFoundAndWrittenBackWhereverTheChunksEnd) {
  using enum LineEndStyle;
  const struct {
    std::string bytes;
    LineEndStyle style;
    long lines;
  } cases[] = {
      {"", CrLf, 1},       {"ab\r\ncd\r\n\r\nef", CrLf, 4}, {"ab\ncd\n\nef\n", Lf, 5}, {"\xE4\xF6\n\xDF\n", Lf, 3},
      {"a\rb\r\r", Cr, 4}, {"\r", Cr, 2},  // a lone CR as the very last byte
      // Mixed; LF CR is two line ends of two styles.
      {"a\r\nb\n", CrLf, 3}, {"a\nb\r", CrLf, 3}, {"a\n\rb\n\r", CrLf, 5},
  };
  for (const auto& c : cases) {
    const std::string text = test_support::asControlGivesIt(c.bytes);
    for (const auto& at : allCuts(c.bytes.size())) {
      const std::string where = testing::PrintToString(c.bytes) + " cut at " + testing::PrintToString(at);
      document::LineEndDetector detector;
      std::size_t from = 0;
      for (std::size_t to : at) detector.feed(c.bytes.data() + from, to - from), from = to;
      detector.feed(c.bytes.data() + from, c.bytes.size() - from);
      EXPECT_EQ(detector.style(), c.style) << where;
      EXPECT_EQ(detector.lines(), c.lines) << where;
    }
    // A mixed file is written with CR LF throughout, which a pure CR LF file is already.
    const std::string expected = c.style == CrLf ? text : c.bytes;
    for (const auto& at : allCuts(text.size()))
      EXPECT_EQ(write(c.style, text, at), expected) << testing::PrintToString(c.bytes) << testing::PrintToString(at);
  }
}

TEST(LineEnds, WriterLeavesCrAndLfThatEndNoLineAlone) {
  const struct {
    LineEndStyle style;
    std::string text, expected;
  } cases[] = {
      {LineEndStyle::Lf, "a\rb\r\n", "a\rb\n"},
      {LineEndStyle::Cr, "a\r\r\nb\n", "a\r\rb\n"},
      {LineEndStyle::CrLf, "a\r\nb\r", "a\r\nb\r"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(write(c.style, c.text), c.expected) << testing::PrintToString(c.text);
    EXPECT_EQ(write(c.style, c.text, {c.text.size() / 2}), c.expected) << testing::PrintToString(c.text);
  }
}

}  // namespace
