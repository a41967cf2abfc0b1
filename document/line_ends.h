#pragma once
// A file's line-end style, noticed while its bytes stream into the text control and given back
// while the control's text streams out. The control itself always hands out CR LF.
#include <cstddef>
#include <string>

#include "platform/line_end_style.h"

namespace document {

using platform::LineEndStyle;

// Looks at a file's bytes chunk by chunk, as they stream in.
class LineEndDetector {
 public:
  void feed(const char* bytes, std::size_t count);
  void feed(const char16_t* text, std::size_t count);
  // The one style the file used; a file without line ends or with more than one style is CR LF.
  LineEndStyle style() const;
  // The lines the text has: CR LF, a lone CR and a lone LF each end one, and the text after the
  // last end is one more (as the control counts its paragraphs).
  long lines() const { return ends_ + 1; }

 private:
  template <typename Char>
  void feedAny(const Char* text, std::size_t count);

  long ends_ = 0;
  bool crPending_ = false;  // the last byte fed was CR; the next one decides what it was
  bool sawCrLf_ = false;
  bool sawLf_ = false;
  bool sawCr_ = false;
};

// Writes the control's CR LF in a document's style, chunk by chunk; a CR at the end of one chunk
// waits for the next to see whether an LF follows it.
class LineEndWriter {
 public:
  explicit LineEndWriter(LineEndStyle style) : style_(style) {}
  // True when the bytes go out as they come and convert() is not needed.
  bool passesThrough() const { return style_ == LineEndStyle::CrLf; }
  // The converted chunk replaces what `out` held.
  void convert(const char* bytes, std::size_t count, std::string& out);
  void convert(const char16_t* text, std::size_t count, std::u16string& out);
  // What is still held back once the stream has ended.
  std::string finish();

 private:
  template <typename Char>
  void convertAny(const Char* text, std::size_t count, std::basic_string<Char>& out);

  LineEndStyle style_;
  bool crPending_ = false;
};

}  // namespace document
