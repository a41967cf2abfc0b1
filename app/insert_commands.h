#pragma once
// Commands that insert text at the cursor.

namespace app {

void insertDate();
void insertTime();
void insertTimeSeconds();
void insertRgbColour();
void insertHtmlSkeleton();

}  // namespace app
