#pragma once
// The Rename window: a new full path for the document's file.

namespace document {

void openRenameWindow();
void confirmRename();
void closeRenameWindow();

}  // namespace document
