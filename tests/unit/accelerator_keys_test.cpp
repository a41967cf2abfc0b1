#include "app/accelerator_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using app::AcceleratorEntry;

// The platform's fVirt bits; every entry carries the first two.
constexpr std::uint8_t FVIRTKEY = 0x01, FNOINVERT = 0x02, FSHIFT = 0x04, FCONTROL = 0x08, FALT = 0x10;
constexpr std::uint8_t plain = FVIRTKEY | FNOINVERT, ctrl = plain | FCONTROL;

TEST(AcceleratorKeys, ModifierBitsBecomeFlags) {
  const std::pair<std::uint32_t, AcceleratorEntry> cases[] = {
      {0x72, {plain, 0x72, 35}},          {0x2004E, {ctrl, 'N', 35}}, {0x10041, {plain | FSHIFT, 'A', 35}},
      {0x40041, {plain | FALT, 'A', 35}}, {0x70053, {ctrl | FSHIFT | FALT, 'S', 35}},
  };
  for (const auto& [keyCode, expected] : cases) EXPECT_EQ(app::acceleratorFor(keyCode, 35), expected) << keyCode;
}

TEST(AcceleratorKeys, RepeatedCombinationReplacesCommandAndOtherModifiersAddAnEntry) {
  std::vector<AcceleratorEntry> table;
  app::registerShortcut(table, 0x20053, 3);
  app::registerShortcut(table, 0x60053, 4);
  app::registerShortcut(table, 0x20053, 9);
  EXPECT_EQ(table, (std::vector<AcceleratorEntry>{{ctrl, 'S', 9}, {ctrl | FALT, 'S', 4}}));
}

}  // namespace
