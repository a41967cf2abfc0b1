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

// Feeds the bytes in pieces cut at the given offsets.
LineEndStyle detect(const std::string& bytes, const std::vector<std::size_t>& cuts = {}) {
  LineEndDetector detector;
  std::size_t from = 0;
  for (std::size_t cut : cuts) {
    detector.feed(bytes.data() + from, cut - from);
    from = cut;
  }
  detector.feed(bytes.data() + from, bytes.size() - from);
  return detector.style();
}

std::string write(LineEndStyle style, const std::string& bytes, const std::vector<std::size_t>& cuts = {}) {
  LineEndWriter writer(style);
  std::string result;
  std::string chunk;
  std::size_t from = 0;
  auto pass = [&](std::size_t to) {
    writer.convert(bytes.data() + from, to - from, chunk);
    result += chunk;
    from = to;
  };
  for (std::size_t cut : cuts) pass(cut);
  pass(bytes.size());
  return result + writer.finish();
}

TEST(LineEnds, StyleIsTheOneTheFileUses) {
  struct Case {
    std::string bytes;
    LineEndStyle expected;
  } cases[] = {
      {"", LineEndStyle::CrLf},
      {"eine Zeile ohne Ende", LineEndStyle::CrLf},
      {"a\r\nb\r\n", LineEndStyle::CrLf},
      {"a\nb\nc", LineEndStyle::Lf},
      {"\n", LineEndStyle::Lf},
      {"a\rb\r", LineEndStyle::Cr},
      {"a\r", LineEndStyle::Cr},  // a lone CR as the very last byte
      {"\r", LineEndStyle::Cr},
      {"\r\r\r", LineEndStyle::Cr},
      {"a\r\nb\n", LineEndStyle::CrLf},  // mixed
      {"a\nb\r", LineEndStyle::CrLf},
      {"a\rb\r\n", LineEndStyle::CrLf},
      {"a\n\r", LineEndStyle::CrLf},      // LF then a final CR
      {"a\n\rb\n\r", LineEndStyle::CrLf}, // LF CR is two line ends of two styles
      {"\xE4\xF6\xFC\n\xDF\n", LineEndStyle::Lf},
  };
  for (const Case& c : cases) EXPECT_EQ(detect(c.bytes), c.expected) << testing::PrintToString(c.bytes);
}

TEST(LineEnds, StyleDoesNotDependOnWhereTheChunksEnd) {
  const std::string files[] = {"ab\r\ncd\r\n\r\nef", "ab\ncd\n\nef\n", "ab\rcd\r\ref\r", "ab\r\ncd\nef"};
  for (const std::string& file : files) {
    const LineEndStyle whole = detect(file);
    for (std::size_t cut = 0; cut <= file.size(); ++cut) {
      EXPECT_EQ(detect(file, {cut}), whole) << testing::PrintToString(file) << " cut at " << cut;
    }
    std::vector<std::size_t> everyByte;
    for (std::size_t cut = 1; cut < file.size(); ++cut) everyByte.push_back(cut);
    EXPECT_EQ(detect(file, everyByte), whole) << testing::PrintToString(file);
  }
}

TEST(LineEnds, WriterGivesTheFileBackWhereverTheChunksEnd) {
  const std::string files[] = {"",         "a",          "ab\ncd\n\nef",   "\n\n\n",       "ab\rcd\r\ref\r",
                               "\r",       "x\r",        "\xE4\n\xFC\n", "ab\r\ncd\r\n", "last line\n"};
  for (const std::string& file : files) {
    const LineEndStyle style = detect(file);
    const std::string text = asControlGivesIt(file);
    EXPECT_EQ(write(style, text), file) << testing::PrintToString(file);
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
      EXPECT_EQ(write(style, text, {cut}), file) << testing::PrintToString(file) << " cut at " << cut;
    }
    for (std::size_t first = 1; first + 1 < text.size(); ++first) {
      EXPECT_EQ(write(style, text, {first, first + 1}), file) << testing::PrintToString(file);
    }
  }
}

TEST(LineEnds, MixedFileIsWrittenAsTheControlGivesIt) {
  const std::string file = "a\nb\r\nc\rd";
  EXPECT_EQ(write(detect(file), asControlGivesIt(file)), "a\r\nb\r\nc\r\nd");
}

TEST(LineEnds, WriterLeavesCrAndLfThatEndNoLineAlone) {
  struct Case {
    LineEndStyle style;
    std::string text;
    std::string expected;
  } cases[] = {
      {LineEndStyle::Lf, "a\rb\r\n", "a\rb\n"},
      {LineEndStyle::Lf, "a\nb", "a\nb"},
      {LineEndStyle::Cr, "a\r\r\nb", "a\r\rb"},
      {LineEndStyle::Cr, "a\nb\r", "a\nb\r"},
      {LineEndStyle::CrLf, "a\r\nb\r", "a\r\nb\r"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(write(c.style, c.text), c.expected) << testing::PrintToString(c.text);
    EXPECT_EQ(write(c.style, c.text, {c.text.size() / 2}), c.expected) << testing::PrintToString(c.text);
  }
}

// Each text once whole and once cut into single bytes, so that a CR LF split across chunks counts once.
TEST(LineEnds, LinesCountEachLineEndOnceAcrossChunks) {
  struct Case {
    std::string text;
    long lines;
  };
  const Case cases[] = {
      {"", 1},
      {"abc", 1},
      {"a\r\nb", 2},
      {"a\r\nb\r\n", 3},
      {"a\nb\nc", 3},
      {"a\rb\rc\r", 4},
      {"\r\n\r\n", 3},
      {"\n\r", 3},          // LF then a lone CR: two ends
      {"a\r\n\nb\r\rc", 5},  // CR LF, LF, CR, CR
  };
  for (const Case& c : cases) {
    LineEndDetector whole;
    whole.feed(c.text.data(), c.text.size());
    EXPECT_EQ(whole.lines(), c.lines) << testing::PrintToString(c.text);
    LineEndDetector bytewise;
    for (char byte : c.text) bytewise.feed(&byte, 1);
    EXPECT_EQ(bytewise.lines(), c.lines) << testing::PrintToString(c.text);
  }
}

}  // namespace
