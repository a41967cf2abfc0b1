#pragma once
// The texts that starting another program is built from.
#include <cstddef>
#include <string>
#include <string_view>

namespace app {

// The program path in double quotes (unless it already starts with one), then a blank and the
// parameter when there is one.
std::string launchCommandLine(std::string_view program, std::string_view parameter);

// The program path up to (not including) its last backslash; "" when it has none.
std::string programFolder(std::string_view program);

// The Windows folder as the shell wrote it into a buffer of `capacity` characters, followed by one
// backslash; only the backslash when the shell gave no path (nullptr). The text ends at the first
// NUL or at the end of the buffer, whichever comes first.
std::string windowsFolderText(const char* shellPath, std::size_t capacity);

}  // namespace app
