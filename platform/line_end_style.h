#pragma once
// The line ends a text file uses, shared by the program's record of the open file and the code that
// reads and writes it.

namespace platform {

enum class LineEndStyle : unsigned char { CrLf, Lf, Cr };

}  // namespace platform
