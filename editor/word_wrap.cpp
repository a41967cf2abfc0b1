#include "editor/word_wrap.h"

namespace editor {

void toggleWordWrap() {}

}  // namespace editor
