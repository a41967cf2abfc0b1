#include "document/text_encoding.h"

namespace document {

namespace {

constexpr char16_t replacementCharacter = 0xFFFD;

bool isHighSurrogate(unsigned unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(unsigned unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// What a UTF-8 lead byte starts: the continuation bytes due and the range of the first of them,
// which keeps out overlong forms, surrogates and code points beyond U+10FFFF. Due -1: no lead byte.
struct Utf8Lead {
  int due;
  unsigned char low, high;
};
Utf8Lead utf8Lead(unsigned char byte) {
  if (byte < 0x80) return {0, 0x80, 0xBF};
  if (byte >= 0xC2 && byte <= 0xDF) return {1, 0x80, 0xBF};
  if (byte == 0xE0) return {2, 0xA0, 0xBF};
  if (byte == 0xED) return {2, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF) return {2, 0x80, 0xBF};
  if (byte == 0xF0) return {3, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3) return {3, 0x80, 0xBF};
  if (byte == 0xF4) return {3, 0x80, 0x8F};
  return {-1, 0, 0};
}

unsigned utf8LeadBits(unsigned char byte, int due) { return byte & (0x3Fu >> due); }

}  // namespace

std::string_view encodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8: return "UTF-8";
    case TextEncoding::Utf8Bom: return "UTF-8 mit BOM";
    case TextEncoding::Utf16Le: return "UTF-16 LE";
    case TextEncoding::Utf16Be: return "UTF-16 BE";
    case TextEncoding::Ansi: break;
  }
  return "ANSI";
}

std::string encodingStatusText(TextEncoding encoding, LineEndStyle lineEnds) {
  const std::string_view ends = lineEnds == LineEndStyle::Lf ? "LF" : lineEnds == LineEndStyle::Cr ? "CR" : "CR LF";
  return std::string(encodingName(encoding)) + " | " + std::string(ends);
}

std::string_view byteOrderMark(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8Bom: return "\xEF\xBB\xBF";
    case TextEncoding::Utf16Le: return "\xFF\xFE";
    case TextEncoding::Utf16Be: return "\xFE\xFF";
    case TextEncoding::Ansi:
    case TextEncoding::Utf8: break;
  }
  return {};
}

void EncodingDetector::feed(const char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i, ++seen_) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (seen_ < head_.size()) head_[seen_] = byte;
    if (utf8Valid_) feedUtf8(byte);
    if (seen_ == 1) utf16Order_ = head_[0] == 0xFF && byte == 0xFE ? 1 : head_[0] == 0xFE && byte == 0xFF ? 2 : 0;
    else if (seen_ >= 2 && utf16Order_ != 0 && utf16Valid_) feedUtf16(byte);
  }
}

void EncodingDetector::feedUtf8(unsigned char byte) {
  if (utf8Due_ > 0) {
    if (byte < utf8Low_ || byte > utf8High_) {
      utf8Valid_ = false;
      return;
    }
    --utf8Due_;
    utf8Low_ = 0x80, utf8High_ = 0xBF;
    return;
  }
  const Utf8Lead lead = utf8Lead(byte);
  if (lead.due < 0) {
    utf8Valid_ = false;
    return;
  }
  if (lead.due > 0) sawMultiByte_ = true;
  utf8Due_ = lead.due, utf8Low_ = lead.low, utf8High_ = lead.high;
}

void EncodingDetector::feedUtf16(unsigned char byte) {
  if ((seen_ - 2) % 2 == 0) {
    firstByte_ = byte;
    return;
  }
  const unsigned unit = utf16Order_ == 1 ? firstByte_ | byte << 8 : firstByte_ << 8 | byte;
  if (highSurrogateDue_) {
    highSurrogateDue_ = false;
    if (!isLowSurrogate(unit)) utf16Valid_ = false;
  } else if (isHighSurrogate(unit)) {
    highSurrogateDue_ = true;
  } else if (isLowSurrogate(unit)) {
    utf16Valid_ = false;
  }
}

TextEncoding EncodingDetector::encoding() const {
  if (utf16Order_ != 0) {
    // A mark alone is a valid empty text; an odd byte at the end or a cut-off pair is not.
    const bool whole = seen_ % 2 == 0 && !highSurrogateDue_;
    if (utf16Valid_ && whole) return utf16Order_ == 1 ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
    return TextEncoding::Ansi;
  }
  if (!utf8Valid_ || utf8Due_ != 0) return TextEncoding::Ansi;
  if (seen_ >= 3 && head_[0] == 0xEF && head_[1] == 0xBB && head_[2] == 0xBF) return TextEncoding::Utf8Bom;
  return sawMultiByte_ ? TextEncoding::Utf8 : TextEncoding::Ansi;
}

AnsiCodePage::AnsiCodePage(int (*toWide)(unsigned char byte)) : bytes_(0x10000, -1) {
  std::array<bool, 256> placed{};
  for (int byte = 0; byte < 256; ++byte) {
    const int character = toWide(static_cast<unsigned char>(byte));
    if (character < 0 || character > 0xFFFF || isHighSurrogate(character) || isLowSurrogate(character) ||
        bytes_[character] >= 0)
      continue;
    wide_[byte] = static_cast<char16_t>(character);
    bytes_[character] = static_cast<short>(byte);
    placed[byte] = true;
  }
  // The rest: the character of the same number, else one from the private-use area.
  char16_t spare = 0xF8FF;
  for (int byte = 0; byte < 256; ++byte) {
    if (placed[byte]) continue;
    char16_t character = static_cast<char16_t>(byte);
    while (bytes_[character] >= 0) character = spare--;
    wide_[byte] = character;
    bytes_[character] = static_cast<short>(byte);
  }
}

TextDecoder::TextDecoder(TextEncoding encoding, const AnsiCodePage& ansi)
    : encoding_(encoding), ansi_(ansi), markLeft_(byteOrderMark(encoding).size()) {}

void TextDecoder::decode(const char* bytes, std::size_t count, std::u16string& out) {
  std::size_t i = 0;
  for (; i < count && markLeft_ > 0; ++i) --markLeft_;
  switch (encoding_) {
    case TextEncoding::Ansi:
      for (; i < count; ++i) out.push_back(ansi_.toWide(static_cast<unsigned char>(bytes[i])));
      break;
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
      for (; i < count; ++i) decodeUtf8(static_cast<unsigned char>(bytes[i]), out);
      break;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      for (; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (oddByte_ < 0) {
          oddByte_ = byte;
          continue;
        }
        const unsigned first = static_cast<unsigned>(oddByte_);
        out.push_back(static_cast<char16_t>(encoding_ == TextEncoding::Utf16Le ? first | byte << 8 : first << 8 | byte));
        oddByte_ = -1;
      }
      break;
  }
}

// Valid UTF-8 is decoded exactly; anything else (only a pipe's bytes are not checked first) gives
// U+FFFD for each broken sequence.
void TextDecoder::decodeUtf8(unsigned char byte, std::u16string& out) {
  if (due_ > 0) {
    if (byte >= low_ && byte <= high_) {
      codePoint_ = codePoint_ << 6 | (byte & 0x3Fu);
      low_ = 0x80, high_ = 0xBF;
      if (--due_ > 0) return;
      if (codePoint_ >= 0x10000) {
        out.push_back(static_cast<char16_t>(0xD800 + ((codePoint_ - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((codePoint_ - 0x10000) & 0x3FF)));
      } else {
        out.push_back(static_cast<char16_t>(codePoint_));
      }
      return;
    }
    due_ = 0;
    out.push_back(replacementCharacter);
  }
  const Utf8Lead lead = utf8Lead(byte);
  if (lead.due < 0) {
    out.push_back(replacementCharacter);
  } else if (lead.due == 0) {
    out.push_back(byte);
  } else {
    due_ = lead.due, low_ = lead.low, high_ = lead.high;
    codePoint_ = utf8LeadBits(byte, lead.due);
  }
}

void TextDecoder::finish(std::u16string& out) {
  if (due_ > 0 || oddByte_ >= 0) out.push_back(replacementCharacter);
  due_ = 0, oddByte_ = -1;
}

void TextEncoder::encode(const char16_t* text, std::size_t count, std::string& out) {
  if (!markWritten_) {
    out += byteOrderMark(encoding_);
    markWritten_ = true;
  }
  for (std::size_t i = 0; i < count; ++i) {
    const char16_t unit = text[i];
    if (highSurrogate_ != 0) {
      const char16_t high = highSurrogate_;
      highSurrogate_ = 0;
      if (isLowSurrogate(unit)) {
        put(0x10000 + ((high - 0xD800u) << 10) + (unit - 0xDC00u), out);
        continue;
      }
      put(high, out);
    }
    if (isHighSurrogate(unit)) {
      highSurrogate_ = unit;
    } else {
      put(unit, out);
    }
  }
}

void TextEncoder::finish(std::string& out) {
  encode(nullptr, 0, out);
  if (highSurrogate_ != 0) put(highSurrogate_, out);
  highSurrogate_ = 0;
}

// One character, or a surrogate that has no partner.
void TextEncoder::put(char32_t character, std::string& out) {
  auto unitOut = [&](char32_t unit) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    if (encoding_ == TextEncoding::Utf16Le) out += {low, high};
    else out += {high, low};
  };
  switch (encoding_) {
    case TextEncoding::Ansi: {
      const int byte = character < 0x10000 ? ansi_.toByte(static_cast<char16_t>(character)) : -1;
      if (byte >= 0) {
        out.push_back(static_cast<char>(byte));
      } else {
        out.push_back('?');
        lost_ = true;
      }
      break;
    }
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
      if (isHighSurrogate(character) || isLowSurrogate(character)) character = replacementCharacter;
      if (character < 0x80) {
        out.push_back(static_cast<char>(character));
      } else if (character < 0x800) {
        out += {static_cast<char>(0xC0 | character >> 6), static_cast<char>(0x80 | (character & 0x3F))};
      } else if (character < 0x10000) {
        out += {static_cast<char>(0xE0 | character >> 12), static_cast<char>(0x80 | (character >> 6 & 0x3F)),
                static_cast<char>(0x80 | (character & 0x3F))};
      } else {
        out += {static_cast<char>(0xF0 | character >> 18), static_cast<char>(0x80 | (character >> 12 & 0x3F)),
                static_cast<char>(0x80 | (character >> 6 & 0x3F)), static_cast<char>(0x80 | (character & 0x3F))};
      }
      break;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      if (character >= 0x10000) {
        unitOut(0xD800 + ((character - 0x10000) >> 10));
        unitOut(0xDC00 + ((character - 0x10000) & 0x3FF));
      } else {
        unitOut(character);
      }
      break;
  }
}

}  // namespace document
