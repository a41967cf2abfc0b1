#pragma once
// The line numbers drawn into the left band of the text control after each of its paints.
#include <windows.h>

namespace editor {

LRESULT CALLBACK editorGutterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace editor
