#pragma once
// The main window's title; dialog titles are the program's name and a purpose.
#include <string>
#include <string_view>

#include "platform/program_name.h"

namespace document {

using platform::dialogTitle;

inline constexpr std::string_view untitledName = "Unbenannt";

// "Velloro v2.0 Beta 3  -  Unbenannt" for an empty path; otherwise the file part of the path,
// with "*" appended when marked. In UTF-8, as the path is.
std::string mainTitle(std::string_view currentPath, bool marked);

}  // namespace document
