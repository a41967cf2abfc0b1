#pragma once
// Where the parts of a Windows bitmap file image ("BM" header, BITMAPINFOHEADER, pixels) lie,
// checked against the image's size before anything reads them.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace app {

struct BitmapFileLayout {
  std::int32_t width = 0;
  std::int32_t height = 0;  // as stored: positive means rows bottom-up
  std::uint16_t bitCount = 0;
  std::size_t infoOffset = 0;   // the BITMAPINFOHEADER
  std::size_t pixelOffset = 0;  // the first pixel row
  std::size_t pixelBytes = 0;   // all rows, each padded to a multiple of 4 bytes
};

// Uncompressed images of 24 or 32 bits per pixel only, which need no colour table. Nothing when
// the image is truncated, inconsistent or of another kind.
std::optional<BitmapFileLayout> bitmapFileLayout(const unsigned char* bytes, std::size_t size);

}  // namespace app
