#pragma once
// A file's encoding: found over all of its bytes, and the chunk converters between its bytes and
// the UTF-16 text the control holds. Every converter carries a sequence split between two chunks.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "document/line_ends.h"
#include "platform/text_encoding_kind.h"

namespace document {

using platform::TextEncoding;

// As the status bar and the Save As dialog name it: "ANSI", "UTF-8", "UTF-8 mit BOM", ...
std::string_view encodingName(TextEncoding encoding);
// The status bar's encoding field: "UTF-8 | LF", "ANSI | CR LF", "UTF-16 LE | CR".
std::string encodingStatusText(TextEncoding encoding, LineEndStyle lineEnds);
// The byte-order mark a file of that encoding begins with; empty for ANSI and UTF-8 without mark.
std::string_view byteOrderMark(TextEncoding encoding);

// Decides a file's encoding from all of its bytes, fed chunk by chunk: a byte-order mark names it
// when the rest is valid in it; otherwise valid UTF-8 with at least one multi-byte sequence is UTF-8;
// anything else is ANSI, which keeps every byte.
class EncodingDetector {
 public:
  void feed(const char* bytes, std::size_t count);
  TextEncoding encoding() const;

 private:
  void feedUtf8(unsigned char byte);
  void feedUtf16(unsigned char byte);

  unsigned long long seen_ = 0;
  std::array<unsigned char, 3> head_{};
  // UTF-8: continuation bytes still due, and the range the next one must fall in.
  bool utf8Valid_ = true;
  bool sawMultiByte_ = false;
  int utf8Due_ = 0;
  unsigned char utf8Low_ = 0x80, utf8High_ = 0xBF;
  // UTF-16 after a mark (0 none, 1 little-endian, 2 big-endian).
  int utf16Order_ = 0;
  bool utf16Valid_ = true;
  bool highSurrogateDue_ = false;
  unsigned char firstByte_ = 0;
};

// The system's single-byte ANSI code page as a table both ways. A byte the system cannot convert,
// or whose character another byte already stands for, gets a character of its own (the one of the
// same number where that is free), so that every byte comes back as it was.
class AnsiCodePage {
 public:
  // toWide gives the system's character for one byte, or -1 when it has none.
  explicit AnsiCodePage(int (*toWide)(unsigned char byte));
  char16_t toWide(unsigned char byte) const { return wide_[byte]; }
  // The byte that stands for the character, or -1 when the code page has none.
  int toByte(char16_t character) const { return bytes_[character]; }

 private:
  std::array<char16_t, 256> wide_{};
  std::vector<short> bytes_;
};

// Bytes of one encoding to UTF-16, chunk by chunk; the mark at the file's start is dropped.
class TextDecoder {
 public:
  TextDecoder(TextEncoding encoding, const AnsiCodePage& ansi);
  // Appends the text of the bytes to out; a sequence cut off at the end waits for the next chunk.
  void decode(const char* bytes, std::size_t count, std::u16string& out);
  // The file has ended: a sequence left incomplete becomes U+FFFD.
  void finish(std::u16string& out);

 private:
  void decodeUtf8(unsigned char byte, std::u16string& out);

  TextEncoding encoding_;
  const AnsiCodePage& ansi_;
  std::size_t markLeft_;
  unsigned codePoint_ = 0;
  int due_ = 0;
  unsigned char low_ = 0x80, high_ = 0xBF;
  int oddByte_ = -1;  // UTF-16: the first byte of a unit cut off at the chunk's end
};

// UTF-16 to the bytes of one encoding, chunk by chunk, the mark first. A surrogate pair split
// between chunks is carried. ANSI writes a character the code page cannot hold as "?" and says so.
class TextEncoder {
 public:
  TextEncoder(TextEncoding encoding, const AnsiCodePage& ansi) : encoding_(encoding), ansi_(ansi) {}
  // Appends the bytes of the text to out.
  void encode(const char16_t* text, std::size_t count, std::string& out);
  // The text has ended: the mark of an empty text, a high surrogate nothing followed.
  void finish(std::string& out);
  // ANSI only: a character had to be replaced.
  bool lostCharacters() const { return lost_; }

 private:
  void put(char32_t character, std::string& out);

  TextEncoding encoding_;
  const AnsiCodePage& ansi_;
  bool markWritten_ = false;
  char16_t highSurrogate_ = 0;
  bool lost_ = false;
};

}  // namespace document
