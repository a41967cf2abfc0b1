#pragma once
// Reading the file argument from the process's command line.
#include <string>
#include <string_view>

namespace app {

// The first parameter after the program's own name: blanks separate parameters, a parameter that
// begins with a double quote runs to the next double quote (or the end) and loses its quotes.
std::string firstCommandLineParameter(std::string_view commandLine);

}  // namespace app
