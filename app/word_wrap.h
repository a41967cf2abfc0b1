#pragma once

namespace app {

void toggleWordWrap();

}  // namespace app
