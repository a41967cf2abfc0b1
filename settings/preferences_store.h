#pragma once
// The one store through which Preferences.pref is read and written: the whole file is read when
// it is opened and written back, if anything changed, when the store is closed.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/win_handles.h"
#include "settings/preferences_model.h"

namespace settings {

class PreferencesStore {
 public:
  PreferencesStore() = default;
  PreferencesStore(const PreferencesStore&) = delete;
  PreferencesStore& operator=(const PreferencesStore&) = delete;
  ~PreferencesStore() { closeStore(); }

  // Opening or creating closes an open file first, exactly as closeStore does. While a file is
  // open others may read it but not write it.
  bool openForReading(std::string_view name);
  // Empties an existing file at once.
  bool createForWriting(std::string_view name);
  bool isOpen() const { return file_.valid(); }

  bool selectGroup(std::string_view name) { return model_.selectGroup(name); }
  std::int32_t readNumber(std::string_view key, std::int32_t fallback) const {
    return model_.readNumber(key, fallback);
  }
  std::string readText(std::string_view key, std::string_view fallback = {}) const {
    return model_.readText(key, fallback);
  }
  void writeNumber(std::string_view key, std::int32_t value) { model_.writeNumber(key, value); }
  void writeText(std::string_view key, std::string_view value) { model_.writeText(key, value); }
  void writeComment(std::string_view text) { model_.writeComment(text); }
  // For writers that work on the entries directly, such as the default file.
  PreferencesModel& model() { return model_; }

  // Writes a changed file back and empties the store. False when changes could not be written,
  // also for a file that could only be opened for reading or is in UTF-16; the old file is then
  // left as it was.
  bool closeStore();

 private:
  bool writeBack();

  platform::FileHandle file_;
  std::string path_;
  bool writable_ = false;  // false for a file that could only be opened for reading, or in UTF-16
  PreferencesModel model_;
};

PreferencesStore& preferencesStore();

}  // namespace settings
