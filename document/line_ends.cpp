#include "document/line_ends.h"

namespace document {

void LineEndDetector::feed(const char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const char byte = bytes[i];
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

void LineEndWriter::convert(const char* bytes, std::size_t count, std::string& out) {
  out.clear();
  if (passesThrough()) {
    out.assign(bytes, count);
    return;
  }
  const char lineEnd = style_ == LineEndStyle::Lf ? '\n' : '\r';
  out.reserve(count + 1);
  for (std::size_t i = 0; i < count; ++i) {
    const char byte = bytes[i];
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
