#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* commandLine;
  const char* expected;
};

TEST(CommandLine, FirstParameterAfterProgramName) {
  const Case cases[] = {
      {R"(velloro.exe)", ""},
      {R"(velloro.exe )", ""},
      {R"(velloro.exe    )", ""},
      {R"()", ""},
      {R"(velloro.exe a.txt)", "a.txt"},
      {R"(velloro.exe    a.txt)", "a.txt"},
      {R"(velloro.exe "D:\Meine Texte\brief 1.txt")", R"(D:\Meine Texte\brief 1.txt)"},
      {R"(velloro.exe D:\Meine Texte\brief.txt)", R"(D:\Meine)"},
      {R"(velloro.exe a.txt b.txt)", "a.txt"},
      {R"(velloro.exe "a b.txt" c.txt)", "a b.txt"},
      {R"(velloro.exe "D:\offen\ohne Ende.txt)", R"(D:\offen\ohne Ende.txt)"},
      {R"(velloro.exe "")", ""},
      {R"("C:\Program Files\Velloro\velloro.exe" brief.txt)", "brief.txt"},
      {R"("C:\Program Files\Velloro\velloro.exe"   "x y.txt")", "x y.txt"},
      {R"("C:\Program Files\Velloro\velloro.exe")", ""},
      {R"("C:\Program Files\Velloro\velloro.exe)", ""},
      {R"(velloro.exe a"b c")", R"(a"b)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(app::firstCommandLineParameter(c.commandLine), c.expected) << "command line: " << c.commandLine;
}

}  // namespace
