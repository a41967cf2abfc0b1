#pragma once
// The small always-on-top window (window 1) that shows which page is being printed.
#include <string>

namespace document {

// Opens the window centred over the active window, kept on screen, with its text "Drucke Seite"
// and then "Drucken wird vorbereitet...". Stored in the state as window 1.
void openPrintProgressWindow();

// Sets the text and paints it at once: the job handles no window events while it runs.
void showPrintProgress(const std::string& text);

// Destroys the window at once; nothing happens when it is not open.
void closePrintProgressWindow();

}  // namespace document
