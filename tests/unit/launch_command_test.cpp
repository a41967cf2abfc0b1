#include "app/launch_command.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LaunchCommand, CommandLineQuotesThePathOnceAndAddsTheParameter) {
  const struct {
    std::string program, parameter, expected;
  } cases[] = {
      {"C:\\WINDOWS\\System32\\calc.exe", "", "\"C:\\WINDOWS\\System32\\calc.exe\""},
      {"C:\\Program Files\\x.exe", "a b.txt", "\"C:\\Program Files\\x.exe\" a b.txt"},
      {"\"C:\\quoted\\x.exe\" -q", "/s", "\"C:\\quoted\\x.exe\" -q /s"},
      {"", "", "\"\""},
      {"x.exe", "\"", "\"x.exe\" \""},
      // Long paths stay whole.
      {"C:\\" + std::string(5000, 'd'), std::string(3000, 'p'),
       "\"C:\\" + std::string(5000, 'd') + "\" " + std::string(3000, 'p')},
  };
  for (const auto& c : cases)
    EXPECT_EQ(app::launchCommandLine(c.program, c.parameter), c.expected) << c.program.substr(0, 40);
}

TEST(LaunchCommand, ProgramFolderEndsBeforeTheLastBackslash) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\WINDOWS\\System32\\calc.exe", "C:\\WINDOWS\\System32"},
      {"C:\\calc.exe", "C:"},
      {"calc.exe", ""},
      {"\\calc.exe", ""},
      {"C:\\dir\\", "C:\\dir"},
  };
  for (const auto& [program, folder] : cases) EXPECT_EQ(app::programFolder(program), folder) << program;
}

TEST(LaunchCommand, WindowsFolderGetsOneBackslashAndStaysInsideTheBuffer) {
  EXPECT_EQ(app::windowsFolderText("C:\\WINDOWS", 260), "C:\\WINDOWS\\");
  EXPECT_EQ(app::windowsFolderText("", 260), "\\");
  EXPECT_EQ(app::windowsFolderText(nullptr, 260), "\\");
  // A buffer that the shell filled to the last character without a terminating NUL.
  const char buffer[8] = {'C', ':', '\\', 'W', 'I', 'N', 'N', 'T'};
  EXPECT_EQ(app::windowsFolderText(buffer, sizeof buffer), "C:\\WINNT\\");
  const std::string longFolder = "D:\\" + std::string(250, 'w');
  EXPECT_EQ(app::windowsFolderText(longFolder.c_str(), 260), longFolder + "\\");
}

}  // namespace
