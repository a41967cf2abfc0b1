#pragma once
// Printing the whole text through the print dialog.
#include <string>

namespace document {

void printDocument(const std::string& documentName);

}  // namespace document
