#include "settings/colour_text.h"

#include "platform/lenient_number.h"

namespace settings {

std::uint32_t parseColour(std::string_view text) {
  std::uint32_t components[3] = {0, 0, 0};
  for (std::uint32_t& component : components) {
    const std::size_t comma = text.find(',');
    component = static_cast<std::uint32_t>(platform::parseLenientInt(text.substr(0, comma)));
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
  }
  return components[0] + components[1] * 256u + components[2] * 65536u;
}

}  // namespace settings
