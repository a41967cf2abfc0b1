#pragma once
// What the benchmark driver and the bare control agree on.
#include <windows.h>

namespace bench {

// Sent by the driver to the bare control's main window: run the operation named on its command
// line once and answer with its result (a character position, a byte count or a page count; -1
// when it failed).
constexpr UINT bareRunMessage = WM_APP + 1;

// The editor control's number, as in the program under test.
constexpr int bareEditorId = 1;

// Size of the editor window when the driver names none (the program's default window).
constexpr int bareDefaultEditorWidth = 732;
constexpr int bareDefaultEditorHeight = 529;

}  // namespace bench
