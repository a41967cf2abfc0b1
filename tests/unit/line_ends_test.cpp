#include "document/line_ends.h"
#include "tests/unit/control_line_ends.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using document::LineEndStyle;

// Hands the bytes over in chunks that end at the cuts.
template <typename Take>
void inChunks(const std::string& bytes, const std::vector<std::size_t>& cuts, Take take) {
  std::size_t from = 0;
  for (std::size_t to : cuts) take(bytes.data() + from, to - from), from = to;
  take(bytes.data() + from, bytes.size() - from);
}

// Whole, in two at every place, and in single bytes, so that a CR LF split across chunks counts once.
std::vector<std::vector<std::size_t>> allCuts(std::size_t size) {
  std::vector<std::vector<std::size_t>> cuts = {{}, {}};
  for (std::size_t cut = 1; cut < size; ++cut) cuts[1].push_back(cut), cuts.push_back({cut});
  return cuts;
}

std::string write(LineEndStyle style, const std::string& text, const std::vector<std::size_t>& cuts) {
  document::LineEndWriter writer(style);
  std::string written, chunk;
  inChunks(text, cuts, [&](const char* data, std::size_t size) { writer.convert(data, size, chunk), written += chunk; });
  return written + writer.finish();
}

// The file's style and line count are found, and the control's CR LF text written back in that
// style gives the file again, wherever the chunks end.
TEST(LineEnds, StyleAndLinesFoundAndWrittenBackWhereverTheChunksEnd) {
  using enum LineEndStyle;
  const std::tuple<std::string, LineEndStyle, long> cases[] = {
      {"", CrLf, 1},       {"ab\r\ncd\r\n\r\nef", CrLf, 4}, {"ab\ncd\n\nef\n", Lf, 5}, {"\xE4\xF6\n\xDF\n", Lf, 3},
      {"a\rb\r\r", Cr, 4}, {"\r", Cr, 2},  // a lone CR as the very last byte
      // Mixed; LF CR is two line ends of two styles.
      {"a\r\nb\n", CrLf, 3}, {"a\nb\r", CrLf, 3}, {"a\n\rb\n\r", CrLf, 5},
  };
  for (const auto& [bytes, style, lines] : cases) {
    for (const auto& at : allCuts(bytes.size())) {
      document::LineEndDetector detector;
      inChunks(bytes, at, [&](const char* data, std::size_t size) { detector.feed(data, size); });
      EXPECT_EQ(std::pair(detector.style(), detector.lines()), std::pair(style, lines))
          << testing::PrintToString(bytes) << " cut at " << testing::PrintToString(at);
    }
    // A mixed file is written with CR LF throughout, which a pure CR LF file already has.
    const std::string text = asControlGivesIt(bytes), expected = style == CrLf ? text : bytes;
    for (const auto& at : allCuts(text.size()))
      EXPECT_EQ(write(style, text, at), expected) << testing::PrintToString(bytes) << testing::PrintToString(at);
  }
  // CR and LF that end no line in the text are left alone.
  EXPECT_EQ(write(Lf, "a\rb\r\n", {4}), "a\rb\n");
  EXPECT_EQ(write(Cr, "a\r\r\nb\n", {3}), "a\r\rb\n");
  EXPECT_EQ(write(CrLf, "a\r\nb\r", {5}), "a\r\nb\r");
  EXPECT_EQ(write(Lf, "a\r\nb\r", {5}), "a\nb\r");
}

}  // namespace
