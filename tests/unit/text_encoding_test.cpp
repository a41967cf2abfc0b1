#include "document/text_encoding.h"
#include "document/text_streams.h"
#include "tests/unit/code_page_1252.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using document::TextEncoding;
using enum document::TextEncoding;

const document::AnsiCodePage ansi(codePage1252);

// Whole, and in two at every place: every split of a multi-byte sequence, a pair or a mark.
template <typename Char, typename Take>
void inTwo(const std::basic_string<Char>& text, std::size_t cut, Take take) {
  take(text.data(), cut);
  take(text.data() + cut, text.size() - cut);
}

std::u16string decode(TextEncoding encoding, const std::string& bytes, std::size_t cut) {
  document::TextDecoder decoder(encoding, ansi);
  std::u16string text;
  inTwo(bytes, cut, [&](const char* data, std::size_t size) { decoder.decode(data, size, text); });
  decoder.finish(text);
  return text;
}

std::string encode(TextEncoding encoding, const std::u16string& text, std::size_t cut, bool* lost = nullptr) {
  document::TextEncoder encoder(encoding, ansi);
  std::string bytes;
  inTwo(text, cut, [&](const char16_t* data, std::size_t size) { encoder.encode(data, size, bytes); });
  encoder.finish(bytes);
  if (lost != nullptr) *lost = encoder.lostCharacters();
  return bytes;
}

TEST(TextEncoding, DecidedOnTheWholeFileWhereverTheChunksEnd) {
  const std::string late = std::string(5000, 'a') + "f\xC3\xBCr";
  const std::pair<std::string, TextEncoding> cases[] = {
      {"", Ansi}, {"plain\r\n", Ansi}, {"f\xC3\xBCr", Utf8}, {late, Utf8},
      {"\xE2\x82\xAC \xF0\x9F\x98\x80", Utf8},         // 3 and 4 bytes
      {"f\xFCr", Ansi}, {"f\xC3", Ansi},               // ANSI umlaut; cut off at the end
      {"\xC0\x80", Ansi}, {"\xED\xA0\x80", Ansi},      // overlong; a surrogate
      {"\xF4\x90\x80\x80", Ansi}, {"\xC3\xBC\x80", Ansi},  // beyond U+10FFFF; a stray continuation
      {"\xEF\xBB\xBF", Utf8Bom}, {"\xEF\xBB\xBFplain", Utf8Bom}, {"\xEF\xBB\xBF\xE4", Ansi},
      {"\xFF\xFE", Utf16Le}, {std::string("\xFF\xFE" "a\0\x3D\xD8\x00\xDE", 8), Utf16Le},
      {std::string("\xFE\xFF\0a", 4), Utf16Be}, {"\xFF\xFE" "a", Ansi},  // odd length
      {std::string("\xFF\xFE\x00\xD8", 4), Ansi}, {std::string("\xFF\xFE\x00\xDC" "a\0", 6), Ansi},  // lone surrogates
      {std::string("\xFE\xFF\xD8\x00\x00" "a", 6), Ansi}, {"\xFE", Ansi},
  };
  for (const auto& [bytes, expected] : cases) {
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
      document::EncodingDetector detector;
      inTwo(bytes, cut, [&](const char* data, std::size_t size) { detector.feed(data, size); });
      EXPECT_EQ(detector.encoding(), expected) << testing::PrintToString(bytes.substr(0, 40)) << " cut at " << cut;
    }
  }
}

// Text and its bytes in each encoding, both ways, split everywhere.
TEST(TextEncoding, ConvertsBothWaysWhereverTheChunksEnd) {
  const std::u16string text = u"f\u00FCr \u20AC\U0001F600.";
  const std::pair<TextEncoding, std::string> cases[] = {
      {Utf8, "f\xC3\xBCr \xE2\x82\xAC\xF0\x9F\x98\x80."},
      {Utf8Bom, "\xEF\xBB\xBF" "f\xC3\xBCr \xE2\x82\xAC\xF0\x9F\x98\x80."},
      {Utf16Le, std::string("\xFF\xFE" "f\0\xFC\0r\0 \0\xAC\x20\x3D\xD8\x00\xDE.\0", 18)},
      {Utf16Be, std::string("\xFE\xFF\0f\0\xFC\0r\0 \x20\xAC\xD8\x3D\xDE\x00\0.", 18)},
  };
  for (const auto& [encoding, bytes] : cases) {
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut)
      EXPECT_EQ(decode(encoding, bytes, cut), text) << document::encodingName(encoding) << " cut at " << cut;
    for (std::size_t cut = 0; cut <= text.size(); ++cut)
      EXPECT_EQ(encode(encoding, text, cut), bytes) << document::encodingName(encoding) << " cut at " << cut;
    EXPECT_EQ(encode(encoding, u"", 0), document::byteOrderMark(encoding));  // an empty text keeps its mark
  }
  // Broken input never stops the decoder; a lone surrogate is not written as broken UTF-8.
  EXPECT_EQ(decode(Utf8, "a\xC3" "b\xE2\x82", 2), u"a\uFFFDb\uFFFD");
  EXPECT_EQ(encode(Utf8, u"a\xD800" "b", 2), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(encode(Utf16Le, u"\xDC00", 0), std::string("\xFF\xFE\x00\xDC", 4));
}

TEST(TextEncoding, AnsiKeepsEveryByteAndTellsWhatItCannotHold) {
  std::string every;
  for (int byte = 1; byte < 256; ++byte) every.push_back(static_cast<char>(byte));
  const std::u16string text = decode(Ansi, every, 100);
  EXPECT_EQ(text[0xE4 - 1], u'\u00E4');
  EXPECT_EQ(text[0x80 - 1], u'\u20AC');
  bool lost = true;
  EXPECT_EQ(encode(Ansi, text, 0x81, &lost), every);
  EXPECT_FALSE(lost);
  // A character beyond the code page is written as one "?" and reported, a pair too.
  EXPECT_EQ(encode(Ansi, u"\u0141\u00F3d\u017A \u2192 \U0001F600", 7, &lost), "?\xF3" "d? ? ?");
  EXPECT_TRUE(lost);
}

// Two bytes the system gives the same character keep a character each.
TEST(TextEncoding, AnsiTableGivesEveryByteACharacterOfItsOwn) {
  const document::AnsiCodePage folding([](unsigned char byte) { return byte == 0xA0 ? 0xE4 : byte == 0x81 ? -1 : int{byte}; });
  std::vector<bool> taken(0x10000);
  for (int byte = 0; byte < 256; ++byte) {
    const char16_t character = folding.toWide(static_cast<unsigned char>(byte));
    EXPECT_FALSE(taken[character]) << byte;
    taken[character] = true;
    EXPECT_EQ(folding.toByte(character), byte);
  }
  EXPECT_EQ(folding.toWide(0x81), u'\u0081');
}

std::u16string feedAll(TextEncoding encoding, const std::string& bytes, std::size_t cut, std::size_t room,
                       document::LineEndDetector& detector, std::vector<std::u16string>* chunks = nullptr) {
  document::ControlTextFeed feed(encoding, ansi, detector);
  std::u16string text;
  auto drain = [&] {
    while (feed.hasText()) {
      std::u16string chunk(room, u'\0');
      chunk.resize(feed.take(chunk.data(), room));
      if (chunks != nullptr) chunks->push_back(chunk);
      text += chunk;
    }
  };
  inTwo(bytes, cut, [&](const char* data, std::size_t size) { feed.put(data, size), drain(); });
  feed.end();
  drain();
  return text;
}

// The control gets lone CRs as LF and never a chunk that ends between CR and LF or inside a pair;
// the detector sees the file's own line ends.
TEST(TextEncoding, ControlIsFedWholeLineEndsAndPairs) {
  const std::string file("\xFF\xFE" "a\0\r\0\n\0\r\0b\0\x3D\xD8\x00\xDE\r\0", 18);
  for (std::size_t room : {1, 2, 3, 4, 64}) {
    for (std::size_t cut = 0; cut <= file.size(); ++cut) {
      document::LineEndDetector detector;
      std::vector<std::u16string> chunks;
      EXPECT_EQ(feedAll(Utf16Le, file, cut, room, detector, &chunks), u"a\r\n\nb\U0001F600\r") << cut << " " << room;
      EXPECT_EQ(detector.lines(), 4);
      for (std::size_t i = 0; room > 1 && i + 1 < chunks.size(); ++i) {
        const char16_t last = chunks[i].back();
        EXPECT_TRUE(last != u'\r' && last != 0xD83D) << "chunk " << i << " room " << room << " cut " << cut;
      }
    }
  }
}

// The control's UTF-16 LE chunks, cut at odd places too, reach the file in its line ends and
// encoding; an empty text still gets its mark.
TEST(TextEncoding, FileGetsItsEncodingAndLineEnds) {
  const std::string control("\xFC\0\r\0\n\0\x3D\xD8\x00\xDE", 10);
  const std::tuple<TextEncoding, document::LineEndStyle, std::string> cases[] = {
      {Utf8, document::LineEndStyle::Lf, "\xC3\xBC\n\xF0\x9F\x98\x80"},
      {Utf16Be, document::LineEndStyle::CrLf, std::string("\xFE\xFF\0\xFC\0\r\0\n\xD8\x3D\xDE\x00", 12)},
      {Ansi, document::LineEndStyle::Cr, "\xFC\r?"},
  };
  for (const auto& [encoding, lineEnds, expected] : cases) {
    for (std::size_t cut = 0; cut <= control.size(); ++cut) {
      document::FileTextOut out(encoding, lineEnds, ansi);
      std::string bytes, chunk;
      inTwo(control, cut, [&](const char* data, std::size_t size) { out.convert(data, size, chunk), bytes += chunk; });
      out.finish(chunk);
      EXPECT_EQ(bytes + chunk, expected) << document::encodingName(encoding) << " cut at " << cut;
      EXPECT_EQ(out.lostCharacters(), encoding == Ansi);
    }
    document::FileTextOut empty(encoding, lineEnds, ansi);
    std::string bytes;
    empty.finish(bytes);
    EXPECT_EQ(bytes, document::byteOrderMark(encoding));
  }
}

}  // namespace
