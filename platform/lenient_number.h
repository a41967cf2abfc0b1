#pragma once
// Lenient reading of numbers typed by users or found in files.
#include <cstdint>
#include <string_view>

namespace platform {

// Leading spaces and tabs skipped, an optional "+" or "-", then decimal digits up to the first
// other character, in 32-bit arithmetic that wraps; no digits give 0.
std::int32_t parseLenientInt(std::string_view text);

}  // namespace platform
