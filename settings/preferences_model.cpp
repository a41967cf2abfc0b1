#include "settings/preferences_model.h"

#include <algorithm>
#include <cstring>

namespace settings {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view lineEnd = "\r\n";

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

// A NUL inside a line is kept out of the texts: every text ends at its first NUL, as the pieces
// of the read buffer always did, while the line's structure ("=", "]", the line end) is taken
// from all its bytes. Such a text then survives a rewrite unchanged.
std::string_view untilNul(std::string_view text) {
  const void* nul = std::memchr(text.data(), '\0', text.size());
  if (nul == nullptr) return text;
  return text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
}

std::string_view trimTrailingBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view skipLeadingBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  return text;
}

// Only what fits on one line can be written: a text ends at its first CR, LF or NUL.
std::string_view onOneLine(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (isLineBreak(text[i]) || text[i] == '\0') return text.substr(0, i);
  return text;
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  return true;
}

std::string latin1ToUtf8(std::string_view text) {
  std::string result;
  result.reserve(text.size() * 2);
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      result += c;
    } else {
      result += static_cast<char>(0xC0 | (byte >> 6));
      result += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return result;
}

// Every code point above U+007F that fits in 8 bits is C2 or C3 and one continuation byte; any
// other byte at or above 0x80 is either not UTF-8 or a code point beyond Latin-1, and both read
// as empty text.
std::string utf8ToLatin1(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      result += text[i];
      continue;
    }
    if ((byte != 0xC2 && byte != 0xC3) || i + 1 == text.size()) return {};
    auto next = static_cast<unsigned char>(text[i + 1]);
    if ((next & 0xC0) != 0x80) return {};
    result += static_cast<char>(((byte & 0x1F) << 6) | (next & 0x3F));
    ++i;
  }
  return result;
}

bool isNumberSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::int32_t leadingNumber(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && isNumberSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  // Unsigned arithmetic wraps by definition, so an overlong number cannot overflow.
  std::uint32_t value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
    value = value * 10u + static_cast<std::uint32_t>(text[pos] - '0');
  return static_cast<std::int32_t>(negative ? 0u - value : value);
}

}  // namespace

PreferencesModel PreferencesModel::parse(std::string_view bytes) {
  PreferencesModel model;
  if (bytes.substr(0, byteOrderMark.size()) == byteOrderMark) {
    model.utf8Mode_ = true;
    bytes.remove_prefix(byteOrderMark.size());
  }
  model.storage_.assign(bytes);
  const std::string_view text = model.storage_;
  auto piece = [&text](std::string_view part) {
    return Piece{static_cast<std::size_t>(part.data() - text.data()), part.size()};
  };

  // One pass; each line is looked at only a bounded number of times.
  std::size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    std::size_t end = pos;
    while (end < text.size() && !isLineBreak(text[end])) ++end;
    const std::string_view line = text.substr(pos, end - pos);

    if (line.empty()) {
      // blank line
    } else if (line.front() == ';') {
      std::string_view comment = line.substr(1);
      if (!comment.empty() && comment.front() == ' ') comment.remove_prefix(1);
      model.entries_.push_back({Kind::Comment, piece(untilNul(comment)), {}});
    } else if (line.front() == '[') {
      std::string_view name = line.substr(1);
      name = name.substr(0, name.find(']'));
      model.entries_.push_back({Kind::Group, piece(untilNul(name)), {}});
    } else {
      const std::size_t equals = line.find('=');
      const std::string_view key = trimTrailingBlanks(untilNul(line.substr(0, equals)));
      std::string_view value = equals == std::string_view::npos ? line.substr(line.size()) : line.substr(equals + 1);
      value = untilNul(skipLeadingBlanks(value));
      model.entries_.push_back({Kind::Key, piece(key), piece(value)});
    }

    pos = end;
    while (pos < text.size() && isLineBreak(text[pos])) ++pos;
  }
  return model;
}

PreferencesModel::Piece PreferencesModel::store(std::string_view text) {
  Piece piece{storage_.size(), text.size()};
  storage_.append(text);
  return piece;
}

void PreferencesModel::overwrite(Piece& piece, std::string_view text) {
  if (text.size() <= piece.length) {
    std::copy(text.begin(), text.end(), storage_.begin() + static_cast<std::ptrdiff_t>(piece.offset));
    piece.length = text.size();
  } else {
    piece = store(text);
  }
}

std::string PreferencesModel::toFileText(std::string_view text) const {
  text = onOneLine(text);
  return utf8Mode_ ? latin1ToUtf8(text) : std::string(text);
}

std::size_t PreferencesModel::findKey(std::string_view fileKey) const {
  if (pendingGroup_) return none;
  for (std::size_t i = currentGroup_ == none ? 0 : currentGroup_ + 1; i < entries_.size(); ++i) {
    const Entry& entry = entries_[i];
    if (entry.kind == Kind::Group) break;
    if (entry.kind == Kind::Key && equalIgnoringAsciiCase(view(entry.text), fileKey)) return i;
  }
  return none;
}

std::size_t PreferencesModel::endOfCurrentSection() const {
  std::size_t i = currentGroup_ == none ? 0 : currentGroup_ + 1;
  while (i < entries_.size() && entries_[i].kind != Kind::Group) ++i;
  return i;
}

void PreferencesModel::insertEntry(std::size_t position, const Entry& entry) {
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(position), entry);
  for (std::size_t* index : {&currentGroup_, &insertionPoint_})
    if (*index != none && *index >= position) ++*index;
}

void PreferencesModel::appendPendingGroup() {
  if (!pendingGroup_) return;
  entries_.push_back({Kind::Group, store(*pendingGroup_), {}});
  currentGroup_ = insertionPoint_ = entries_.size() - 1;
  pendingGroup_.reset();
}

bool PreferencesModel::selectGroup(std::string_view name) {
  std::string fileName = toFileText(name);
  pendingGroup_.reset();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].kind == Kind::Group && equalIgnoringAsciiCase(view(entries_[i].text), fileName)) {
      currentGroup_ = insertionPoint_ = i;
      return true;
    }
  }
  pendingGroup_ = std::move(fileName);
  return false;
}

std::int32_t PreferencesModel::readNumber(std::string_view key, std::int32_t fallback) const {
  const std::size_t i = findKey(toFileText(key));
  return i == none ? fallback : leadingNumber(view(entries_[i].value));
}

std::string PreferencesModel::readText(std::string_view key, std::string_view fallback) const {
  const std::size_t i = findKey(toFileText(key));
  if (i == none) return std::string(fallback);
  const std::string_view value = trimTrailingBlanks(skipLeadingBlanks(view(entries_[i].value)));
  return utf8Mode_ ? utf8ToLatin1(value) : std::string(value);
}

void PreferencesModel::writeValue(std::string_view key, std::string_view value) {
  appendPendingGroup();
  const std::string fileKey = toFileText(key);
  const std::string fileValue = toFileText(value);
  std::size_t i = findKey(fileKey);
  if (i != none) {
    // The key keeps its place but takes the letter case the caller gave it.
    overwrite(entries_[i].text, fileKey);
    overwrite(entries_[i].value, fileValue);
  } else {
    const Piece keyPiece = store(fileKey);
    const Piece valuePiece = store(fileValue);
    i = endOfCurrentSection();
    insertEntry(i, {Kind::Key, keyPiece, valuePiece});
  }
  insertionPoint_ = i;
  changed_ = true;
}

void PreferencesModel::writeNumber(std::string_view key, std::int32_t value) { writeValue(key, std::to_string(value)); }

void PreferencesModel::writeText(std::string_view key, std::string_view value) { writeValue(key, value); }

void PreferencesModel::writeComment(std::string_view text) {
  appendPendingGroup();
  const std::string fileText = toFileText(text);
  const std::size_t position = insertionPoint_ == none ? 0 : insertionPoint_ + 1;
  insertEntry(position, {Kind::Comment, store(fileText), {}});
  insertionPoint_ = position;
  changed_ = true;
}

std::string PreferencesModel::serialize() const {
  std::size_t size = byteOrderMark.size() + lineEnd.size();
  for (const Entry& entry : entries_) size += entry.text.length + entry.value.length + 3 + lineEnd.size();
  std::string out;
  out.reserve(size);

  if (utf8Mode_) {
    out += byteOrderMark;
    out += lineEnd;
  } else if (!entries_.empty() && entries_.front().kind == Kind::Key &&
             view(entries_.front().text).substr(0, byteOrderMark.size()) == byteOrderMark) {
    // A plain file whose first key began with these bytes would be read back in UTF-8 mode;
    // an empty first line keeps it plain.
    out += lineEnd;
  }
  for (const Entry& entry : entries_) {
    switch (entry.kind) {
      case Kind::Group:
        out += '[';
        out += view(entry.text);
        out += ']';
        break;
      case Kind::Comment:
        out += "; ";
        out += view(entry.text);
        break;
      case Kind::Key:
        out += view(entry.text);
        out += " = ";
        out += view(entry.value);
        break;
    }
    out += lineEnd;
  }
  return out;
}

}  // namespace settings
