#include "app/insert_commands.h"

namespace app {

void insertDate() {}
void insertTime() {}
void insertTimeSeconds() {}
void insertRgbColour() {}
void insertHtmlSkeleton() {}

}  // namespace app
