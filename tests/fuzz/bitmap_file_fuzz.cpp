// Any byte string: the layout found must lie inside the bytes, so reading it cannot overrun.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/bitmap_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto layout = app::bitmapFileLayout(data, size);
  if (!layout) return 0;
  if (layout->pixelOffset > size || layout->pixelBytes > size - layout->pixelOffset) std::abort();
  if (layout->pixelOffset < layout->infoOffset + 40) std::abort();
  std::uint64_t rows = layout->height < 0 ? -static_cast<std::int64_t>(layout->height) : layout->height;
  std::uint64_t stride = (static_cast<std::uint64_t>(layout->width) * layout->bitCount + 31) / 32 * 4;
  if (stride * rows != layout->pixelBytes) std::abort();
  // Touch the first and last pixel byte, as the bitmap creation will.
  volatile std::uint8_t first = data[layout->pixelOffset];
  volatile std::uint8_t last = data[layout->pixelOffset + layout->pixelBytes - 1];
  (void)first;
  (void)last;
  return 0;
}
