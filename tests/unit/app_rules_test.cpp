#include "app/accelerator_keys.h"
#include "app/bitmap_file.h"
#include "app/command_line.h"
#include "app/date_time_format.h"
#include "app/launch_command.h"
#include "platform/lenient_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

namespace {

// Little-endian, as the bitmap file stores it.
void put(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value, int size = 4) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

TEST(BitmapFile, AcceptsOnlyWholeUncompressedTrueColourImages) {
  // 326 x 99 at 24 bits: rows of 978 bytes padded to 980, directly after the two headers.
  std::vector<unsigned char> good(54 + 980 * 99, 0);
  const std::tuple<std::size_t, std::uint32_t, int> fields[] = {
      {0, 'B' | 'M' << 8, 2}, {2, 54 + 980 * 99, 4}, {10, 54, 4}, {14, 40, 4},
      {18, 326, 4},           {22, 99, 4},           {26, 1, 2},  {28, 24, 2}};
  for (const auto& [at, value, size] : fields) put(good, at, value, size);
  const auto layout = app::bitmapFileLayout(good.data(), good.size());
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(std::tuple(layout->width, layout->height, layout->pixelOffset, layout->pixelBytes),
            std::tuple(326, 99, std::size_t{54}, std::size_t{980 * 99}));
  EXPECT_FALSE(app::bitmapFileLayout(good.data(), good.size() - 1).has_value());  // last pixel byte missing
  put(good, 30, 1);  // run-length compressed
  EXPECT_FALSE(app::bitmapFileLayout(good.data(), good.size()).has_value());
}

TEST(CommandLine, FirstParameterAfterProgramName) {
  const std::pair<const char*, const char*> cases[] = {
      {R"(velloro.exe "D:\Meine Texte\brief 1.txt" c.txt)", R"(D:\Meine Texte\brief 1.txt)"},
      {R"(velloro.exe D:\Meine Texte\brief.txt)", R"(D:\Meine)"},
      {R"(velloro.exe "D:\offen\ohne Ende.txt)", R"(D:\offen\ohne Ende.txt)"},
      {R"("C:\Program Files\Velloro\velloro.exe"   "x y.txt")", "x y.txt"},
  };
  for (const auto& [line, expected] : cases) EXPECT_EQ(app::firstCommandLineParameter(line), expected) << line;
}

TEST(LaunchCommand, QuotesTheProgramOnceAndFindsItsFolder) {
  EXPECT_EQ(app::launchCommandLine("\"C:\\quoted\\x.exe\" -q", "/s"), "\"C:\\quoted\\x.exe\" -q /s");
  // A buffer that the shell filled to the last character without a terminating NUL.
  const char buffer[8] = {'C', ':', '\\', 'W', 'I', 'N', 'N', 'T'};
  EXPECT_EQ(app::windowsFolderText(buffer, sizeof buffer), "C:\\WINNT\\");
}

TEST(DateTimeFormat, TokensInAnyLetterCaseOthersKept) {
  constexpr app::DateTime when{2026, 12, 6, 9, 5, 7};
  EXPECT_EQ(app::formatDateTime("%dd.%mm.%yyyy %hh:%ii:%ss %Yy-%mM %yyy %x %%dd 100%", when),
            "06.12.2026 09:05:07 26-12 26y %x %06 100%");
}

TEST(LenientNumber, ReadsLeadingNumberAndWrapsAt32Bits) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"  \t 640", 640}, {"-7x", -7}, {"+-5", 0}, {"\n5", 0}, {"2147483648", INT32_MIN}, {"4294967297", 1}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(platform::parseLenientInt(text), expected) << '"' << text << '"';
}

TEST(AcceleratorKeys, ModifierBitsBecomeFlagsAndARepeatedCombinationTakesTheNewCommand) {
  // The platform's fVirt bits: FVIRTKEY | FNOINVERT on every entry, then FSHIFT, FCONTROL, FALT.
  constexpr std::uint8_t plain = 0x03, shift = 0x04, ctrl = 0x08, alt = 0x10;
  std::vector<app::AcceleratorEntry> table;
  app::registerShortcut(table, 0x20053, 3);
  app::registerShortcut(table, 0x70053, 4);
  app::registerShortcut(table, 0x20053, 9);
  EXPECT_EQ(table, (std::vector<app::AcceleratorEntry>{{plain | ctrl, 'S', 9}, {plain | shift | ctrl | alt, 'S', 4}}));
}

}  // namespace
