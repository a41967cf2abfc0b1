#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, FirstParameterAfterProgramName) {
  const std::pair<const char*, const char*> cases[] = {
      {R"(velloro.exe)", ""},
      {R"(velloro.exe    )", ""},
      {R"()", ""},
      {R"(velloro.exe    a.txt)", "a.txt"},
      {R"(velloro.exe "D:\Meine Texte\brief 1.txt")", R"(D:\Meine Texte\brief 1.txt)"},
      {R"(velloro.exe D:\Meine Texte\brief.txt)", R"(D:\Meine)"},
      {R"(velloro.exe "a b.txt" c.txt)", "a b.txt"},
      {R"(velloro.exe "D:\offen\ohne Ende.txt)", R"(D:\offen\ohne Ende.txt)"},
      {R"(velloro.exe "")", ""},
      {R"(velloro.exe a"b c")", R"(a"b)"},
      {R"("C:\Program Files\Velloro\velloro.exe"   "x y.txt")", "x y.txt"},
      {R"("C:\Program Files\Velloro\velloro.exe")", ""},
      {R"("C:\Program Files\Velloro\velloro.exe)", ""},
  };
  for (const auto& [line, expected] : cases)
    EXPECT_EQ(app::firstCommandLineParameter(line), expected) << "command line: " << line;
}

}  // namespace
