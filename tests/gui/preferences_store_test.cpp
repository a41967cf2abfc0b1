// The preferences store on a real file system: what reading leaves alone, what writing puts on
// disk, what others may do meanwhile, and that a failed write-back keeps the old file.
#include "settings/preferences_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "settings/default_preferences.h"
#include "tests/gui/gui_fixture.h"

namespace {

using settings::PreferencesStore;

// Reads the file as another program may while the store holds it open.
std::string readBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<cannot open>";
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool canOpen(const std::string& path, DWORD access) {
  HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

const std::string messyFile = "\r\n  [Program]\n Win_Width=800  \n\n;note\r[Extras]\r\nWordWrap = 1\r\n";

// Each test in a fresh folder of its own.
class PreferencesStoreTest : public gui_test::VelloroTest {
 protected:
  void SetUp() override {
    VelloroTest::SetUp();
    path = folder + "Preferences.pref";
  }
  // Only the preferences file is in the folder: no temporary file stayed behind.
  void expectOnlyTheFile() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    std::string names;
    do {
      if (found.cFileName[0] != '.') names += std::string(found.cFileName) + " ";
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(names, "Preferences.pref ");
  }

  std::string path;
};

TEST_F(PreferencesStoreTest, ReadingLeavesTheFileAlone) {
  gui_test::writeFile(path, messyFile);
  // An old time stamp, so that any rewrite shows in it.
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const FILETIME old{0xD53E8000u, 0x01A8E79Fu};
  SetFileTime(file, nullptr, nullptr, &old);
  CloseHandle(file);
  WIN32_FILE_ATTRIBUTE_DATA before{}, after{};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &before);
  {
    PreferencesStore store;
    ASSERT_TRUE(store.openForReading(path));
    store.selectGroup("Program");
    EXPECT_EQ(store.readNumber("win_width", 0), 800);
    store.selectGroup("Missing");
    EXPECT_TRUE(store.closeStore());
  }
  EXPECT_EQ(readBytes(path), messyFile);
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &after);
  EXPECT_EQ(CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0);
  expectOnlyTheFile();
}

// While the store is open others may read the file but not write it; a changed store rewrites the
// whole file only on closing, and creating empties the file at once.
TEST_F(PreferencesStoreTest, OpenFileMayBeReadByOthersAndIsWrittenOnClosing) {
  gui_test::writeFile(path, messyFile);
  PreferencesStore store;
  ASSERT_TRUE(store.openForReading(path));
  EXPECT_TRUE(canOpen(path, GENERIC_READ));
  EXPECT_FALSE(canOpen(path, GENERIC_WRITE));
  store.selectGroup("Extras");
  store.writeNumber("WordWrap", 0);
  std::string expected = store.model().serialize();
  EXPECT_EQ(readBytes(path), messyFile) << "nothing is written before closing";
  EXPECT_TRUE(store.closeStore());
  EXPECT_FALSE(store.isOpen());
  EXPECT_NE(expected, messyFile);
  EXPECT_EQ(readBytes(path), expected);
  expectOnlyTheFile();
  EXPECT_TRUE(canOpen(path, GENERIC_WRITE));

  ASSERT_TRUE(store.createForWriting(path));
  EXPECT_EQ(readBytes(path), "");
  EXPECT_TRUE(canOpen(path, GENERIC_READ));
  EXPECT_FALSE(canOpen(path, GENERIC_WRITE));
  settings::writeDefaultPreferences(store.model());
  expected = store.model().serialize();
  EXPECT_TRUE(store.closeStore());
  EXPECT_EQ(readBytes(path), expected);
}

TEST_F(PreferencesStoreTest, MissingFileIsNotCreated) {
  PreferencesStore store;
  EXPECT_FALSE(store.openForReading(path));
  EXPECT_FALSE(store.isOpen());
  store.writeNumber("Win_Width", 1);
  store.closeStore();
  EXPECT_FALSE(gui_test::fileExists(path));
  EXPECT_FALSE(store.openForReading(folder)) << "a folder is not a preferences file";
}

TEST_F(PreferencesStoreTest, OpeningAnotherFileWritesTheFirstBack) {
  const std::string other = folder + "Other.pref";
  gui_test::writeFile(path, "[A]\r\na = 1\r\n");
  gui_test::writeFile(other, "[B]\r\nb = 2\r\n");
  PreferencesStore store;
  ASSERT_TRUE(store.openForReading(path));
  store.selectGroup("A");
  store.writeNumber("a", 5);
  ASSERT_TRUE(store.openForReading(other));
  EXPECT_EQ(readBytes(path), "[A]\r\na = 5\r\n");
  store.selectGroup("B");
  EXPECT_EQ(store.readNumber("b", 0), 2);
  EXPECT_EQ(store.readNumber("a", 0), 0) << "the first file's entries are gone";
}

// Another program's reader opened before the store that shares no writing leaves the store only
// read access; a reader opened after it keeps the file from being replaced.
TEST_F(PreferencesStoreTest, FileHeldByAnotherProgramKeepsItsOldText) {
  for (bool heldFirst : {true, false}) {
    gui_test::writeFile(path, messyFile);
    auto hold = [&](DWORD sharing) {
      return CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE reader = heldFirst ? hold(FILE_SHARE_READ) : INVALID_HANDLE_VALUE;
    PreferencesStore store;
    ASSERT_TRUE(store.openForReading(path)) << heldFirst;
    store.selectGroup("Program");
    EXPECT_EQ(store.readNumber("Win_Width", 0), 800);
    store.writeNumber("Win_Width", 1024);
    if (!heldFirst) reader = hold(FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE) << heldFirst;
    EXPECT_FALSE(store.closeStore()) << heldFirst;
    CloseHandle(reader);
    EXPECT_EQ(readBytes(path), messyFile) << heldFirst;
    expectOnlyTheFile();
  }
}

}  // namespace
