// A read-only preferences file is read but never rewritten, whoever runs the program.
#include <windows.h>

#include <string>

#include "settings/preferences_store.h"
#include "tests/gui/gui_fixture.h"

namespace {

using namespace gui_test;

TEST_F(VelloroTest, ReadOnlyPreferencesAreReadAndLeftAlone) {
  const std::string path = folder + "Preferences.pref";
  const std::string bytes = "[Extras]\r\nWordWrap = 1\r\n";
  writeFile(path, bytes);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  settings::PreferencesStore store;
  ASSERT_TRUE(store.openForReading(path));
  store.selectGroup("Extras");
  EXPECT_EQ(store.readNumber("WordWrap", 0), 1);
  store.writeNumber("WordWrap", 0);
  EXPECT_FALSE(store.closeStore()) << "the change was reported as written";
  // Restoring the defaults makes the file anew: refused too.
  EXPECT_FALSE(store.createForWriting(path));
  EXPECT_EQ(readFile(path), bytes);
  EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // so the folder can be cleaned up
}

}  // namespace
