#pragma once
// A recovery copy as bytes: a short header of text lines (the document's path, encoding and line
// ends, the process that wrote it and when), a blank line, then the whole text in UTF-16 LE. A copy
// read back may be damaged or cut short; it yields what it holds.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/line_end_style.h"
#include "platform/text_encoding_kind.h"

namespace document {

// The process that owns a copy: its id and its start time (a 64-bit system file time), so that a
// later process given the same id is not taken for the owner.
struct CopyOwner {
  std::uint32_t processId = 0;
  std::uint64_t started = 0;
  bool operator==(const CopyOwner&) const = default;
};

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  bool operator==(const LocalTime&) const = default;
};

struct CopyHeader {
  std::string path;      // empty: an untitled document
  platform::TextEncoding encoding = platform::TextEncoding::Ansi;
  platform::LineEndStyle lineEnds = platform::LineEndStyle::CrLf;
  CopyOwner owner;
  LocalTime written;
  bool operator==(const CopyHeader&) const = default;
};

// The header; its last line gives the text's length in bytes as a fixed-width number, so that the
// writer can fill it in once the text is written (textLengthAt gives where).
std::string formatCopyHeader(const CopyHeader& header, std::uint64_t textBytes);
// The offset of the fixed-width length within a header from formatCopyHeader, and its width.
std::size_t textLengthAt(std::string_view header);
inline constexpr std::size_t textLengthDigits = 20;
std::string textLengthField(std::uint64_t textBytes);

struct ReadCopy {
  CopyHeader header;
  std::u16string text;  // what the copy holds of the text: whole characters, never more than declared
  bool complete = false;  // header and text were whole
};
// Nothing when the bytes do not begin as a copy does.
std::optional<ReadCopy> readCopy(std::string_view bytes);

// The copy's file name carries its owner, so that the owner is known without opening the file:
// "<process id>-<start as 16 hex digits>.wdh".
std::string copyFileName(const CopyOwner& owner);
std::optional<CopyOwner> ownerOfCopyName(std::string_view name);
inline constexpr std::string_view copyFilePattern = "*.wdh";

// The question at start-up, naming the document ("Unbenannt" when untitled) and the time; UTF-8, as
// the path is.
std::string recoveryQuestion(std::string_view path, const LocalTime& written);

}  // namespace document
