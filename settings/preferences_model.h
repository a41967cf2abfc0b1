#pragma once
// The entries of one preferences file in memory: parsed from the file's bytes, looked up and
// changed within a selected group, and turned back into the file's bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

class PreferencesModel {
 public:
  // An empty list in plain 8-bit mode, as for a newly created file.
  PreferencesModel() = default;

  // Any bytes are accepted; a file that begins with EF BB BF is handled in UTF-8 mode.
  static PreferencesModel parse(std::string_view bytes);

  bool utf8Mode() const { return utf8Mode_; }
  // Set by every key write and comment: only then does the file need writing back.
  bool changed() const { return changed_; }
  std::size_t entryCount() const { return entries_.size(); }

  // True when a group of that name (ASCII letters compared without case) exists; otherwise the
  // name waits as the pending group until something is written into it.
  bool selectGroup(std::string_view name);

  // Texts passed in are taken as 8-bit Latin-1 and end at their first CR, LF or NUL, since one
  // line of the file cannot hold those.
  std::int32_t readNumber(std::string_view key, std::int32_t fallback) const;
  std::string readText(std::string_view key, std::string_view fallback = {}) const;
  void writeNumber(std::string_view key, std::int32_t value);
  void writeText(std::string_view key, std::string_view value);
  void writeComment(std::string_view text);

  // The whole file: one "\r\n"-terminated line per entry, after EF BB BF and an empty line in
  // UTF-8 mode.
  std::string serialize() const;

 private:
  enum class Kind : std::uint8_t { Group, Comment, Key };
  // A piece of storage_: offsets rather than pointers, so that growing the storage and moving
  // the model keep every entry valid.
  struct Piece {
    std::size_t offset = 0;
    std::size_t length = 0;
  };
  struct Entry {
    Kind kind;
    Piece text;   // group name, comment text or key
    Piece value;  // keys only
  };
  static constexpr std::size_t none = static_cast<std::size_t>(-1);

  std::string_view view(Piece piece) const { return {storage_.data() + piece.offset, piece.length}; }
  Piece store(std::string_view text);
  void overwrite(Piece& piece, std::string_view text);
  std::string toFileText(std::string_view text) const;
  std::size_t findKey(std::string_view fileKey) const;
  std::size_t endOfCurrentSection() const;
  void insertEntry(std::size_t position, const Entry& entry);
  void appendPendingGroup();
  void writeValue(std::string_view key, std::string_view value);

  // The file's bytes (without a byte-order mark) followed by every text written since.
  std::string storage_;
  std::vector<Entry> entries_;
  bool utf8Mode_ = false;
  bool changed_ = false;
  std::size_t currentGroup_ = none;
  std::size_t insertionPoint_ = none;
  std::optional<std::string> pendingGroup_;  // already in the file's encoding
};

}  // namespace settings
