#pragma once
// Keyboard shortcuts as 32-bit key codes: the virtual key in the low 16 bits, 0x10000 Shift,
// 0x20000 Ctrl, 0x40000 Alt.
#include <cstdint>
#include <vector>

namespace app {

constexpr std::uint32_t shiftBit = 0x10000;
constexpr std::uint32_t ctrlBit = 0x20000;
constexpr std::uint32_t altBit = 0x40000;

// One accelerator-table entry in the platform's layout (ACCEL: fVirt, key, cmd).
struct AcceleratorEntry {
  std::uint8_t flags;
  std::uint16_t key;
  std::uint16_t command;
  bool operator==(const AcceleratorEntry&) const = default;
};

// FVIRTKEY | FNOINVERT plus FSHIFT, FCONTROL, FALT for the modifier bits.
AcceleratorEntry acceleratorFor(std::uint32_t keyCode, std::uint16_t command);

// Adds a shortcut to a table; a key combination already present gets the new command instead.
void registerShortcut(std::vector<AcceleratorEntry>& table, std::uint32_t keyCode, std::uint16_t command);

// The main window's shortcuts in the order they are registered.
std::vector<AcceleratorEntry> mainWindowShortcuts();

}  // namespace app
