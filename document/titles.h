#pragma once
// The texts of the main window's title and of every dialog title.
#include <string>
#include <string_view>

namespace document {

inline constexpr std::string_view productPrefix = "Velloro ";
inline constexpr std::string_view versionText = "v2.0 Beta 3";
inline constexpr std::string_view untitledName = "Unbenannt";

// "Velloro v2.0 Beta 3  -  Unbenannt" for an empty path; otherwise the file part of the path,
// with "*" appended when marked.
std::string mainTitle(std::string_view currentPath, bool marked);

// "Velloro v2.0 Beta 3  |  " + purpose.
std::string dialogTitle(std::string_view purpose);

}  // namespace document
