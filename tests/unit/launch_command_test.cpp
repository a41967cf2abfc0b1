#include "app/launch_command.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LaunchCommand, CommandLineQuotesThePathOnceAndAddsTheParameter) {
  struct Case {
    const char* program;
    const char* parameter;
    const char* expected;
  } cases[] = {
      {"C:\\WINDOWS\\System32\\calc.exe", "", "\"C:\\WINDOWS\\System32\\calc.exe\""},
      {"C:\\Program Files\\x.exe", "a b.txt", "\"C:\\Program Files\\x.exe\" a b.txt"},
      {"\"C:\\quoted\\x.exe\"", "", "\"C:\\quoted\\x.exe\""},
      {"\"C:\\quoted\\x.exe\" -q", "/s", "\"C:\\quoted\\x.exe\" -q /s"},
      {"", "", "\"\""},
      {"x.exe", "\"", "\"x.exe\" \""},
  };
  for (const Case& c : cases) EXPECT_EQ(app::launchCommandLine(c.program, c.parameter), c.expected) << c.program;
}

TEST(LaunchCommand, CommandLineKeepsLongPathsWhole) {
  std::string program = "C:\\" + std::string(5000, 'd') + "\\tool.exe";
  std::string parameter(3000, 'p');
  std::string line = app::launchCommandLine(program, parameter);
  EXPECT_EQ(line, "\"" + program + "\" " + parameter);
}

TEST(LaunchCommand, ProgramFolderEndsBeforeTheLastBackslash) {
  struct Case {
    const char* program;
    const char* expected;
  } cases[] = {
      {"C:\\WINDOWS\\System32\\calc.exe", "C:\\WINDOWS\\System32"},
      {"C:\\calc.exe", "C:"},
      {"calc.exe", ""},
      {"\\calc.exe", ""},
      {"C:\\dir\\", "C:\\dir"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(app::programFolder(c.program), c.expected) << c.program;
}

TEST(LaunchCommand, WindowsFolderGetsOneBackslash) {
  EXPECT_EQ(app::windowsFolderText("C:\\WINDOWS", 260), "C:\\WINDOWS\\");
  EXPECT_EQ(app::windowsFolderText("", 260), "\\");
  EXPECT_EQ(app::windowsFolderText(nullptr, 260), "\\");
}

TEST(LaunchCommand, WindowsFolderTextStaysInsideTheBuffer) {
  // A buffer that the shell filled to the last character without a terminating NUL.
  char buffer[8] = {'C', ':', '\\', 'W', 'I', 'N', 'N', 'T'};
  EXPECT_EQ(app::windowsFolderText(buffer, sizeof buffer), "C:\\WINNT\\");
  std::string longFolder = "D:\\" + std::string(250, 'w');
  EXPECT_EQ(app::windowsFolderText(longFolder.c_str(), 260), longFolder + "\\");
}

}  // namespace
