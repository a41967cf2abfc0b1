#include "app/bitmap_file.h"

namespace app {

namespace {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::uint32_t infoHeaderSize = 40;
constexpr std::int64_t largestSide = 32768;

std::uint32_t readU32(const unsigned char* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

std::uint16_t readU16(const unsigned char* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }

}  // namespace

std::optional<BitmapFileLayout> bitmapFileLayout(const unsigned char* bytes, std::size_t size) {
  if (bytes == nullptr || size < fileHeaderSize + infoHeaderSize) return std::nullopt;
  if (bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;

  const unsigned char* info = bytes + fileHeaderSize;
  std::uint32_t infoSize = readU32(info);
  if (infoSize < infoHeaderSize || infoSize > size - fileHeaderSize) return std::nullopt;

  BitmapFileLayout layout;
  layout.infoOffset = fileHeaderSize;
  layout.width = static_cast<std::int32_t>(readU32(info + 4));
  layout.height = static_cast<std::int32_t>(readU32(info + 8));
  std::uint16_t planes = readU16(info + 12);
  layout.bitCount = readU16(info + 14);
  std::uint32_t compression = readU32(info + 16);
  if (planes != 1 || compression != 0 || (layout.bitCount != 24 && layout.bitCount != 32)) return std::nullopt;

  std::int64_t width = layout.width;
  std::int64_t rows = layout.height < 0 ? -static_cast<std::int64_t>(layout.height) : layout.height;
  if (width < 1 || width > largestSide || rows < 1 || rows > largestSide) return std::nullopt;

  std::uint64_t stride = (static_cast<std::uint64_t>(width) * layout.bitCount + 31) / 32 * 4;
  std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(rows);
  std::uint64_t pixelOffset = readU32(bytes + 10);
  if (pixelOffset < fileHeaderSize + infoSize || pixelOffset > size || pixelBytes > size - pixelOffset) {
    return std::nullopt;
  }
  layout.pixelOffset = static_cast<std::size_t>(pixelOffset);
  layout.pixelBytes = static_cast<std::size_t>(pixelBytes);
  return layout;
}

}  // namespace app
