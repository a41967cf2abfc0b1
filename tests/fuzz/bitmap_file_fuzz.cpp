// Any byte string: the layout found must lie inside the bytes, so reading it cannot overrun.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/bitmap_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto layout = app::bitmapFileLayout(data, size);
  if (!layout) return 0;
  const std::uint64_t rows = layout->height < 0 ? -static_cast<std::int64_t>(layout->height) : layout->height;
  const std::uint64_t stride = (static_cast<std::uint64_t>(layout->width) * layout->bitCount + 31) / 32 * 4;
  if (layout->pixelOffset > size || layout->pixelBytes > size - layout->pixelOffset ||
      layout->pixelOffset < layout->infoOffset + 40 || stride * rows != layout->pixelBytes)
    std::abort();
  // Touch the last pixel byte, as the bitmap creation will; the sanitizer reports an overrun.
  volatile std::uint8_t last = data[layout->pixelOffset + layout->pixelBytes - 1];
  (void)last;
  return 0;
}
