#pragma once
// File names travel through the program as UTF-8; the program's own German texts are code page
// 1252. A text that shows a file name is UTF-8, its German pieces converted with these.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The code page 1252 text in UTF-8; the five bytes that code page leaves undefined stay the
// control characters of the same number, as the system converts them.
std::string utf8FromCp1252(std::string_view text);

// The program's own literals in UTF-8: a Windows build compiles them to code page 1252, a native
// build of the pure code leaves them in UTF-8.
std::string utf8FromProgramText(std::string_view text);

// How many UTF-16 units the system's wide form of a UTF-8 text takes: the unit in which the system
// counts a path's length. A byte that begins no valid sequence counts as one unit.
std::size_t utf16Length(std::string_view utf8);

}  // namespace platform
