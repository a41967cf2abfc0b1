#pragma once

namespace editor {

void toggleWordWrap();

}  // namespace editor
