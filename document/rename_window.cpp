#include "document/rename_window.h"

namespace document {

void openRenameWindow() {}
void confirmRename() {}
void closeRenameWindow() {}

}  // namespace document
