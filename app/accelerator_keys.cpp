#include "app/accelerator_keys.h"

#include <algorithm>

#include "app/command_ids.h"

namespace app {

namespace {

// The fVirt bits of an accelerator entry, kept here so this file needs no platform header.
constexpr std::uint8_t virtualKeyFlag = 0x01;
constexpr std::uint8_t noInvertFlag = 0x02;
constexpr std::uint8_t shiftFlag = 0x04;
constexpr std::uint8_t controlFlag = 0x08;
constexpr std::uint8_t altFlag = 0x10;

constexpr std::uint32_t keyOf(std::uint32_t virtualKey, std::uint32_t modifiers) { return virtualKey | modifiers; }

}  // namespace

AcceleratorEntry acceleratorFor(std::uint32_t keyCode, std::uint16_t command) {
  std::uint8_t flags = virtualKeyFlag | noInvertFlag;
  if (keyCode & shiftBit) flags |= shiftFlag;
  if (keyCode & ctrlBit) flags |= controlFlag;
  if (keyCode & altBit) flags |= altFlag;
  return {flags, static_cast<std::uint16_t>(keyCode & 0xFFFF), command};
}

void registerShortcut(std::vector<AcceleratorEntry>& table, std::uint32_t keyCode, std::uint16_t command) {
  const AcceleratorEntry entry = acceleratorFor(keyCode, command);
  const auto same = std::find_if(table.begin(), table.end(), [&](const AcceleratorEntry& existing) {
    return existing.key == entry.key && existing.flags == entry.flags;
  });
  if (same != table.end())
    same->command = command;
  else
    table.push_back(entry);
}

std::vector<AcceleratorEntry> mainWindowShortcuts() {
  constexpr std::uint32_t virtualKeyF3 = 0x72;
  struct Shortcut {
    std::uint32_t keyCode;
    CommandId command;
  };
  static constexpr Shortcut shortcuts[] = {
      {keyOf('N', ctrlBit), New},
      {keyOf('O', ctrlBit), Open},
      {keyOf('S', ctrlBit), Save},
      {keyOf('S', ctrlBit | altBit), SaveAs},
      {keyOf('P', ctrlBit), Print},
      {keyOf('W', ctrlBit), Close},
      {keyOf('B', ctrlBit), Exit},
      {keyOf('A', ctrlBit), SelectAll},
      {keyOf('G', ctrlBit), GoToLine},
      {keyOf('F', ctrlBit), Find},
      {keyOf(virtualKeyF3, 0), FindNext},
  };
  std::vector<AcceleratorEntry> table;
  for (const Shortcut& shortcut : shortcuts)
    registerShortcut(table, shortcut.keyCode, static_cast<std::uint16_t>(shortcut.command));
  return table;
}

}  // namespace app
