// The preferences store on a real file system: what reading leaves alone, what writing puts on
// disk, what others may do meanwhile, and that a failed write-back keeps the old file.
#include "settings/preferences_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "settings/default_preferences.h"

namespace {

using settings::PreferencesStore;

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

void writeBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  // An old time, so that any rewrite shows in the time stamp.
  FILETIME old{0xD53E8000u, 0x01A8E79Fu};
  SetFileTime(file, nullptr, nullptr, &old);
  CloseHandle(file);
}

FILETIME lastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool canOpen(const std::string& path, DWORD access) {
  HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

const std::string messyFile = "\r\n  [Program]\n Win_Width=800  \n\n;note\r[Extras]\r\nWordWrap = 1\r\n";

class PreferencesStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    static int counter = 0;
    folder =
        std::string(temp) + "velloro-prefs-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    path = folder + "\\Preferences.pref";
  }
  void TearDown() override { removeFolder(folder); }

  static void removeFolder(const std::string& name) {
    SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const std::string& file : filesIn(name)) {
      const std::string full = name + "\\" + file;
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileA(full.c_str())) removeFolder(full);
    }
    RemoveDirectoryA(name.c_str());
  }

  std::string folder;
  std::string path;
};

TEST_F(PreferencesStoreTest, ReadingLeavesTheFileAlone) {
  writeBytes(path, messyFile);
  const FILETIME before = lastWriteTime(path);
  {
    PreferencesStore store;
    ASSERT_TRUE(store.openForReading(path));
    store.selectGroup("Program");
    EXPECT_EQ(store.readNumber("win_width", 0), 800);
    store.selectGroup("Extras");
    EXPECT_EQ(store.readNumber("WordWrap", 0), 1);
    store.selectGroup("Missing");
    EXPECT_TRUE(store.closeStore());
  }
  EXPECT_EQ(readBytes(path), messyFile);
  const FILETIME after = lastWriteTime(path);
  EXPECT_EQ(CompareFileTime(&before, &after), 0);
  EXPECT_EQ(filesIn(folder), std::vector<std::string>{"Preferences.pref"});
}

TEST_F(PreferencesStoreTest, ChangedStoreRewritesTheWholeFile) {
  writeBytes(path, messyFile);
  PreferencesStore store;
  ASSERT_TRUE(store.openForReading(path));
  store.selectGroup("Extras");
  store.writeNumber("WordWrap", 0);
  store.writeNumber("Always in Fore-Ground", 1);
  const std::string expected = store.model().serialize();
  EXPECT_EQ(readBytes(path), messyFile) << "nothing is written before closing";
  EXPECT_TRUE(store.closeStore());
  EXPECT_EQ(expected,
            "[Program]\r\nWin_Width = 800  \r\n; note\r\n[Extras]\r\nWordWrap = 0\r\nAlways in Fore-Ground = 1\r\n");
  EXPECT_EQ(readBytes(path), expected);
  EXPECT_EQ(filesIn(folder), std::vector<std::string>{"Preferences.pref"});
  EXPECT_FALSE(store.isOpen());
}

TEST_F(PreferencesStoreTest, OpenFileMayBeReadButNotWrittenByOthers) {
  writeBytes(path, messyFile);
  PreferencesStore store;
  ASSERT_TRUE(store.openForReading(path));
  EXPECT_TRUE(canOpen(path, GENERIC_READ));
  EXPECT_FALSE(canOpen(path, GENERIC_WRITE));
  store.closeStore();
  EXPECT_TRUE(canOpen(path, GENERIC_WRITE));

  ASSERT_TRUE(store.createForWriting(path));
  EXPECT_EQ(readBytes(path), "") << "creating empties the file at once";
  EXPECT_TRUE(canOpen(path, GENERIC_READ));
  EXPECT_FALSE(canOpen(path, GENERIC_WRITE));
  settings::writeDefaultPreferences(store.model());
  const std::string expected = store.model().serialize();
  EXPECT_TRUE(store.closeStore());
  EXPECT_EQ(readBytes(path), expected);
  EXPECT_TRUE(canOpen(path, GENERIC_WRITE));
}

TEST_F(PreferencesStoreTest, MissingFileIsNotCreated) {
  PreferencesStore store;
  EXPECT_FALSE(store.openForReading(path));
  EXPECT_FALSE(store.isOpen());
  EXPECT_FALSE(store.selectGroup("Program"));
  EXPECT_EQ(store.readNumber("Win_Width", 740), 740);
  EXPECT_EQ(store.readText("Editor_Back", "234,234,234"), "234,234,234");
  store.writeNumber("Win_Width", 1);
  store.closeStore();
  EXPECT_TRUE(filesIn(folder).empty());
  EXPECT_FALSE(store.openForReading(folder)) << "a folder is not a preferences file";
}

TEST_F(PreferencesStoreTest, OpeningAnotherFileWritesTheFirstBack) {
  const std::string other = folder + "\\Other.pref";
  writeBytes(path, "[A]\r\na = 1\r\n");
  writeBytes(other, "[B]\r\nb = 2\r\n");
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

TEST_F(PreferencesStoreTest, FileThatCanOnlyBeReadIsReadButNotRewritten) {
  writeBytes(path, messyFile);
  // Another reader that shares no writing leaves the store only read access.
  HANDLE reader =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  PreferencesStore store;
  ASSERT_TRUE(store.openForReading(path));
  store.selectGroup("Program");
  EXPECT_EQ(store.readNumber("Win_Width", 0), 800);
  store.writeNumber("Win_Width", 1);
  EXPECT_FALSE(store.closeStore());
  CloseHandle(reader);
  EXPECT_EQ(readBytes(path), messyFile);
  EXPECT_EQ(filesIn(folder), std::vector<std::string>{"Preferences.pref"});
}

TEST_F(PreferencesStoreTest, LockedFileKeepsItsOldText) {
  writeBytes(path, messyFile);
  PreferencesStore store;
  ASSERT_TRUE(store.openForReading(path));
  store.selectGroup("Program");
  store.writeNumber("Win_Width", 1024);
  // A reader that allows writing but not deleting or renaming over the file.
  HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(store.closeStore());
  CloseHandle(reader);
  EXPECT_EQ(readBytes(path), messyFile);
  EXPECT_EQ(filesIn(folder), std::vector<std::string>{"Preferences.pref"});
}

TEST_F(PreferencesStoreTest, ReadOnlyFolderKeepsTheOldText) {
  writeBytes(path, messyFile);
  ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
  const std::string probe = folder + "\\probe";
  HANDLE probeFile = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probeFile != INVALID_HANDLE_VALUE) {
    CloseHandle(probeFile);
    DeleteFileA(probe.c_str());
    // Under Wine a read-only folder still takes new files from root.
    GTEST_SKIP() << "this user may still create files in a read-only folder";
  }
  PreferencesStore store;
  ASSERT_TRUE(store.openForReading(path));
  store.writeComment("new");
  EXPECT_FALSE(store.closeStore());
  EXPECT_EQ(readBytes(path), messyFile);
  EXPECT_EQ(filesIn(folder), std::vector<std::string>{"Preferences.pref"});
}

}  // namespace
