#include "document/line_ends.h"

namespace document {

void LineEndDetector::feed(const char* bytes, std::size_t count) { feedAny(bytes, count); }

void LineEndDetector::feed(const char16_t* text, std::size_t count) { feedAny(text, count); }

template <typename Char>
void LineEndDetector::feedAny(const Char* text, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const Char byte = text[i];
    if (crPending_) {
      crPending_ = false;
      if (byte == '\n') {
        sawCrLf_ = true;
        continue;
      }
      sawCr_ = true;
    }
    if (byte == '\r') {
      crPending_ = true;
      ++ends_;
    } else if (byte == '\n') {
      sawLf_ = true;
      ++ends_;
    }
  }
}

LineEndStyle LineEndDetector::style() const {
  const bool cr = sawCr_ || crPending_;  // a CR as the very last byte ended a line too
  if (sawLf_ && !cr && !sawCrLf_) return LineEndStyle::Lf;
  if (cr && !sawLf_ && !sawCrLf_) return LineEndStyle::Cr;
  return LineEndStyle::CrLf;
}

void LineEndWriter::convert(const char* bytes, std::size_t count, std::string& out) { convertAny(bytes, count, out); }

void LineEndWriter::convert(const char16_t* text, std::size_t count, std::u16string& out) {
  convertAny(text, count, out);
}

template <typename Char>
void LineEndWriter::convertAny(const Char* text, std::size_t count, std::basic_string<Char>& out) {
  out.clear();
  if (passesThrough()) {
    out.assign(text, count);
    return;
  }
  const Char lineEnd = style_ == LineEndStyle::Lf ? '\n' : '\r';
  out.reserve(count + 1);
  for (std::size_t i = 0; i < count; ++i) {
    const Char byte = text[i];
    if (crPending_) {
      crPending_ = false;
      if (byte == '\n') {
        out.push_back(lineEnd);
        continue;
      }
      out.push_back('\r');  // a CR of the text that ends no line stays as it is
    }
    if (byte == '\r') {
      crPending_ = true;
    } else {
      out.push_back(byte);
    }
  }
}

std::string LineEndWriter::finish() {
  if (!crPending_) return {};
  crPending_ = false;
  return "\r";
}

}  // namespace document
