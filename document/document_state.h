#pragma once
// The document's path and modified mark, the title that follows them and the status messages.
#include <string>

namespace document {

void showDocumentTitle(bool marked);
void showUntitledTitle();
void setDocumentStatus(const std::string& text);
// The document's encoding and line ends, at the status bar's right end.
void showEncodingStatus();
void markClean();
// Marks the document once the control reports a change.
void checkModified();

}  // namespace document
