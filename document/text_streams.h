#pragma once
// The two ends of a file's way through the text control: its bytes become the UTF-16 text the
// control is given, and the control's UTF-16 text becomes the file's bytes in its encoding and line
// ends. One chunk at a time; the text is never held whole.
#include <cstddef>
#include <string>

#include "document/line_ends.h"
#include "document/text_encoding.h"

namespace document {

// Loading: the file's bytes in, the control's chunks out.
class ControlTextFeed {
 public:
  // The detector sees the file's own line ends.
  ControlTextFeed(TextEncoding encoding, const AnsiCodePage& ansi, LineEndDetector& detector)
      : decoder_(encoding, ansi), detector_(detector) {}
  void put(const char* bytes, std::size_t count);
  // The file has ended.
  void end();
  bool hasText() const { return taken_ < ready_.size(); }
  // Moves up to room characters into the control's buffer and returns how many. A chunk never ends
  // between a CR and its LF, which the control would read as two line ends, nor inside a surrogate
  // pair, unless the room holds just one character.
  std::size_t take(char16_t* buffer, std::size_t room);

 private:
  void pass(const char16_t* text, std::size_t count);

  TextDecoder decoder_;
  LineEndDetector& detector_;
  std::u16string decoded_;
  std::u16string ready_;
  std::size_t taken_ = 0;
  bool crHeld_ = false;
  char16_t highHeld_ = 0;
};

// Saving: the control's chunks in, the file's bytes out.
class FileTextOut {
 public:
  FileTextOut(TextEncoding encoding, LineEndStyle lineEnds, const AnsiCodePage& ansi)
      : lineEnds_(lineEnds), encoder_(encoding, ansi) {}
  // The control's chunk in UTF-16 little-endian; its bytes for the file replace what out held.
  void convert(const char* bytes, std::size_t count, std::string& out);
  // The text has ended: what is still held back replaces what out held.
  void finish(std::string& out);
  // ANSI: a character the code page cannot hold was written as "?".
  bool lostCharacters() const { return encoder_.lostCharacters(); }

 private:
  LineEndWriter lineEnds_;
  TextEncoder encoder_;
  std::u16string units_;
  std::u16string ended_;
  int oddByte_ = -1;
};

}  // namespace document
