#pragma once
// Printing the whole text through the print dialog.
#include <string>

namespace document {

// The job is named documentName (UTF-8, a file name).
void printDocument(const std::string& documentName);

}  // namespace document
