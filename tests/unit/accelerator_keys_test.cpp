#include "app/accelerator_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using app::AcceleratorEntry;

// The platform's fVirt bits.
constexpr std::uint8_t FVIRTKEY = 0x01, FNOINVERT = 0x02, FSHIFT = 0x04, FCONTROL = 0x08, FALT = 0x10;

TEST(AcceleratorKeys, ModifierBitsBecomeFlags) {
  struct Case {
    std::uint32_t keyCode;
    AcceleratorEntry expected;
  };
  const Case cases[] = {
      {0x72, {FVIRTKEY | FNOINVERT, 0x72, 35}},
      {0x2004E, {FVIRTKEY | FNOINVERT | FCONTROL, 'N', 35}},
      {0x10041, {FVIRTKEY | FNOINVERT | FSHIFT, 'A', 35}},
      {0x40041, {FVIRTKEY | FNOINVERT | FALT, 'A', 35}},
      {0x60053, {FVIRTKEY | FNOINVERT | FCONTROL | FALT, 'S', 35}},
      {0x70053, {FVIRTKEY | FNOINVERT | FSHIFT | FCONTROL | FALT, 'S', 35}},
  };
  for (const Case& c : cases) EXPECT_EQ(app::acceleratorFor(c.keyCode, 35), c.expected) << std::hex << c.keyCode;
}

TEST(AcceleratorKeys, RepeatedCombinationReplacesCommand) {
  std::vector<AcceleratorEntry> table;
  app::registerShortcut(table, 0x20053, 3);
  app::registerShortcut(table, 0x60053, 4);
  app::registerShortcut(table, 0x20053, 9);
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0], (AcceleratorEntry{FVIRTKEY | FNOINVERT | FCONTROL, 'S', 9}));
  EXPECT_EQ(table[1], (AcceleratorEntry{FVIRTKEY | FNOINVERT | FCONTROL | FALT, 'S', 4}));
}

TEST(AcceleratorKeys, SameKeyWithOtherModifiersIsNewEntry) {
  std::vector<AcceleratorEntry> table;
  app::registerShortcut(table, 0x72, 35);
  app::registerShortcut(table, 0x10072, 8);
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0].command, 35);
  EXPECT_EQ(table[1].command, 8);
}

TEST(AcceleratorKeys, MainWindowHasElevenShortcutsInOrder) {
  constexpr std::uint8_t ctrl = FVIRTKEY | FNOINVERT | FCONTROL;
  const std::vector<AcceleratorEntry> expected = {
      {ctrl, 'N', 1},  {ctrl, 'O', 2},  {ctrl, 'S', 3},  {ctrl | FALT, 'S', 4}, {ctrl, 'P', 5},
      {ctrl, 'W', 6},  {ctrl, 'B', 7},  {ctrl, 'A', 13}, {ctrl, 'G', 14},       {ctrl, 'F', 34},
      {FVIRTKEY | FNOINVERT, 0x72, 35},
  };
  EXPECT_EQ(app::mainWindowShortcuts(), expected);
}

}  // namespace
