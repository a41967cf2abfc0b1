#include "platform/unicode_text.h"

namespace platform {

namespace {

// Code page 1252 bytes 0x80 to 0x9F; the others from 0xA0 on are Latin-1 and equal their code point.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string utf8FromCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char byte : text) {
    const auto b = static_cast<unsigned char>(byte);
    appendUtf8(out, b >= 0x80 && b < 0xA0 ? cp1252High[b - 0x80] : char32_t{b});
  }
  return out;
}

std::string utf8FromProgramText(std::string_view text) {
  constexpr bool literalsInCp1252 = sizeof("ü") == 2;
  if constexpr (literalsInCp1252) {
    return utf8FromCp1252(text);
  } else {
    return std::string(text);
  }
}

std::size_t utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = b >= 0xF0 && b < 0xF5 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 1;
    bool whole = i + length <= utf8.size() && length <= 4 && b < 0xF5;
    for (std::size_t k = 1; whole && k < length; ++k) whole = (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80;
    if (!whole || (length == 1 && b >= 0x80)) {
      ++units;
      ++i;
      continue;
    }
    units += length == 4 ? 2 : 1;
    i += length;
  }
  return units;
}

}  // namespace platform
