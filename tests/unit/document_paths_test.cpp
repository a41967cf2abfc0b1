#include "document/document_paths.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* input;
  const char* expected;
};

TEST(DocumentPaths, FilePart) {
  const Case cases[] = {
      {R"("D:\x\my file.txt")", "my file.txt"},
      {R"(a/b\note.txt)", "note.txt"},
      {R"(a\b/note.txt)", "note.txt"},
      {R"(D:\x\y.txt)", "y.txt"},
      {"y.txt", "y.txt"},
      {R"("y.txt")", "y.txt"},
      {"", ""},
      {R"(")", ""},
      {R"(D:\x\)", ""},
      {R"(D:\x\a"b.txt)", "a"},
      {R"(""D:\x\y.txt)", "y.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(document::filePart(c.input), c.expected) << c.input;
}

TEST(DocumentPaths, PathPart) {
  const Case cases[] = {
      {R"(D:\x\y.txt)", R"(D:\x\)"},
      {"y.txt", ""},
      {"", ""},
      {R"("D:\x\my file.txt")", R"(D:\x\)"},
      {R"(a/b\note.txt)", R"(a/b\)"},
      {R"(D:\x|y\z.txt)", R"(D:\)"},
      {R"(D:|x\y.txt)", ""},
      {R"(\)", R"(\)"},
  };
  for (const Case& c : cases) EXPECT_EQ(document::pathPart(c.input), c.expected) << c.input;
}

TEST(DocumentPaths, ValidFileNames) {
  struct NameCase {
    std::string name;
    bool valid;
  };
  const NameCase cases[] = {
      {"Übung.txt", true},
      {"a.txt", true},
      {"my file.txt", true},
      {"\xFF\x80.txt", true},
      {"~$-_.,;!()[]{}'", true},
      {"", false},
      {"a:b.txt", false},
      {"was?.txt", false},
      {"tab\there.txt", false},
      {"*.txt", false},
      {"a\"b", false},
      {"a/b", false},
      {"a\\b", false},
      {"a<b", false},
      {"a>b", false},
      {"a|b", false},
      {"\x1F", false},
      {std::string("a\0b", 3), false},
  };
  for (const NameCase& c : cases) EXPECT_EQ(document::isValidFileName(c.name), c.valid) << c.name;
}

}  // namespace
