#pragma once
// The program's name and version, as its window and dialog titles show them.
#include <string>
#include <string_view>

namespace platform {

inline constexpr std::string_view productPrefix = "Velloro ";
inline constexpr std::string_view versionText = "v2.0 Beta 3";

// "Velloro v2.0 Beta 3".
std::string programTitle();

// "Velloro v2.0 Beta 3  |  " + purpose.
std::string dialogTitle(std::string_view purpose);

}  // namespace platform
