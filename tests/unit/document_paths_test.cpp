#include "document/document_paths.h"

#include <gtest/gtest.h>

namespace {

TEST(DocumentPaths, FileAndPathPart) {
  const struct {
    const char* path;
    const char* file;
    const char* folder;
  } cases[] = {
      {R"(D:\x\y.txt)", "y.txt", R"(D:\x\)"},
      {"y.txt", "y.txt", ""},
      {"", "", ""},
      {R"("D:\x\my file.txt")", "my file.txt", R"(D:\x\)"},
      {R"("y.txt")", "y.txt", ""},
      {R"(a/b\note.txt)", "note.txt", R"(a/b\)"},
      {R"(a\b/note.txt)", "note.txt", R"(a\b/)"},
      {R"(")", "", ""},
      {R"(D:\x\)", "", R"(D:\x\)"},
      {R"(D:\x\a"b.txt)", "a", R"(D:\x\)"},
      {R"(""D:\x\y.txt)", "y.txt", R"("D:\x\)"},
      {R"(D:\x|y\z.txt)", "z.txt", R"(D:\)"},
      {R"(D:|x\y.txt)", "y.txt", ""},
      {R"(\)", "", R"(\)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(document::filePart(c.path), c.file) << c.path;
    EXPECT_EQ(document::pathPart(c.path), c.folder) << c.path;
  }
}

TEST(DocumentPaths, ValidFileNames) {
  for (const std::string name : {"Übung.txt", "my file.txt", "\xFF\x80.txt", "~$-_.,;!()[]{}'"})
    EXPECT_TRUE(document::isValidFileName(name)) << name;
  for (const std::string name : {"", "a:b.txt", "was?.txt", "tab\there.txt", "*.txt", "a\"b", "a/b", "a\\b", "a<b",
                                 "a>b", "a|b", "\x1F"})
    EXPECT_FALSE(document::isValidFileName(name)) << name;
  EXPECT_FALSE(document::isValidFileName(std::string("a\0b", 3)));
}

}  // namespace
