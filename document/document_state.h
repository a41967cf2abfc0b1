#pragma once
// The document's path and modified mark, the title that follows them and the status messages.
#include <string>

namespace document {

void showDocumentTitle(bool marked);
void showUntitledTitle();
void setDocumentStatus(const std::string& text);
void markClean();
// Marks the document once the control reports a change.
void checkModified();

}  // namespace document
