#include "document/text_streams.h"

#include <algorithm>

namespace document {

namespace {

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

void ControlTextFeed::put(const char* bytes, std::size_t count) {
  decoded_.clear();
  decoder_.decode(bytes, count, decoded_);
  pass(decoded_.data(), decoded_.size());
}

void ControlTextFeed::end() {
  decoded_.clear();
  decoder_.finish(decoded_);
  pass(decoded_.data(), decoded_.size());
  if (crHeld_) ready_.push_back(u'\r');  // the file's last character: nothing follows to mistake it
  if (highHeld_ != 0) ready_.push_back(highHeld_);
  crHeld_ = false, highHeld_ = 0;
}

// The control takes CR CR LF for a blank between two lines, not for two line ends, and a file's
// line ends would be lost with it. A CR that no LF follows ends one line, as an LF does, so the
// control is given an LF for it; the detector has seen the file's own text. A CR at a chunk's end
// waits for the next character, and so does the first half of a surrogate pair.
void ControlTextFeed::pass(const char16_t* text, std::size_t count) {
  detector_.feed(text, count);
  if (taken_ == ready_.size()) ready_.clear(), taken_ = 0;
  if (highHeld_ != 0 && count > 0) ready_.push_back(highHeld_), highHeld_ = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const char16_t character = text[i];
    if (crHeld_) {
      crHeld_ = false;
      if (character == u'\n') {
        ready_ += u"\r\n";
        continue;
      }
      ready_.push_back(u'\n');
    }
    if (character == u'\r') {
      crHeld_ = true;
    } else {
      ready_.push_back(character);
    }
  }
  if (!crHeld_ && ready_.size() > taken_ && isHighSurrogate(ready_.back())) highHeld_ = ready_.back(), ready_.pop_back();
}

std::size_t ControlTextFeed::take(char16_t* buffer, std::size_t room) {
  std::size_t count = std::min(room, ready_.size() - taken_);
  if (count > 1 && taken_ + count < ready_.size()) {
    const char16_t last = ready_[taken_ + count - 1];
    if (last == u'\r' || isHighSurrogate(last)) --count;
  }
  std::copy_n(ready_.begin() + static_cast<std::ptrdiff_t>(taken_), count, buffer);
  taken_ += count;
  return count;
}

void FileTextOut::convert(const char* bytes, std::size_t count, std::string& out) {
  out.clear();
  units_.clear();
  std::size_t i = 0;
  if (oddByte_ >= 0 && count > 0) {
    units_.push_back(static_cast<char16_t>(oddByte_ | static_cast<unsigned char>(bytes[0]) << 8));
    oddByte_ = -1;
    i = 1;
  }
  for (; i + 1 < count; i += 2)
    units_.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                           static_cast<unsigned char>(bytes[i + 1]) << 8));
  if (i < count) oddByte_ = static_cast<unsigned char>(bytes[i]);
  lineEnds_.convert(units_.data(), units_.size(), ended_);
  encoder_.encode(ended_.data(), ended_.size(), out);
}

void FileTextOut::finish(std::string& out) {
  out.clear();
  const std::string held = lineEnds_.finish();
  ended_.assign(held.begin(), held.end());
  encoder_.encode(ended_.data(), ended_.size(), out);
  encoder_.finish(out);
}

}  // namespace document
