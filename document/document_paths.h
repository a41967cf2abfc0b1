#pragma once
// Path helpers over byte strings; a slash and a backslash both separate folders.
#include <string>
#include <string_view>

namespace document {

// The name after the last separator; one leading double quote is skipped and the name ends at the
// next double quote.
std::string filePart(std::string_view path);

// Everything up to and including the last separator before the first "|"; one leading double quote
// is skipped. Empty when there is no separator.
std::string pathPart(std::string_view path);

// False for an empty name, a byte below 32 or one of " * / : < > ? \ |.
bool isValidFileName(std::string_view name);

}  // namespace document
