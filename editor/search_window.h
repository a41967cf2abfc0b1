#pragma once
// The Find window and the search in the text control.
#include <string>

namespace editor {

void openSearchWindow();
// Remembers the field's text and direction, then closes the window.
void closeSearchWindow();
// The "Weitersuchen" button: searches the field's current text.
void searchFromWindow();
// Command Find Next: repeats the remembered search.
void findNext();
// The text in UTF-8.
void findInEditor(const std::string& text, bool downward);

}  // namespace editor
