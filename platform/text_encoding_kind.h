#pragma once
// The encodings a text file is read and written in, shared by the program's record of the open
// file and the code that converts its bytes.

namespace platform {

enum class TextEncoding : unsigned char { Ansi, Utf8, Utf8Bom, Utf16Le, Utf16Be };

}  // namespace platform
