#include "app/bitmap_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Little-endian, as the file stores it.
void put(Bytes& bytes, std::size_t at, std::uint32_t value, int size = 4) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A well-formed uncompressed image with the pixel rows directly after the two headers.
Bytes image(std::int32_t width, std::int32_t height, std::uint16_t bitCount) {
  std::uint32_t stride = (static_cast<std::uint32_t>(width) * bitCount + 31) / 32 * 4;
  std::uint32_t rows = height < 0 ? -height : height;
  Bytes bytes(54 + stride * rows, 0);
  put(bytes, 0, 'B' | 'M' << 8, 2);
  put(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
  put(bytes, 10, 54);
  put(bytes, 14, 40);
  put(bytes, 18, static_cast<std::uint32_t>(width));
  put(bytes, 22, static_cast<std::uint32_t>(height));
  put(bytes, 26, 1, 2);
  put(bytes, 28, bitCount, 2);
  return bytes;
}

TEST(BitmapFile, AcceptsUncompressedTrueColourImages) {
  const struct {
    std::int32_t width, height;
    std::uint16_t bitCount;
    std::size_t pixelBytes;
  } cases[] = {
      {326, 99, 24, 980 * 99},  // 978 bytes a row, padded to 980
      {3, 2, 32, 24},
      {5, -3, 24, 16 * 3},  // rows stored top-down
  };
  for (const auto& c : cases) {
    Bytes bytes = image(c.width, c.height, c.bitCount);
    auto layout = app::bitmapFileLayout(bytes.data(), bytes.size());
    ASSERT_TRUE(layout.has_value()) << c.width << "x" << c.height;
    EXPECT_EQ(std::tuple(layout->width, layout->height, layout->bitCount, layout->infoOffset, layout->pixelOffset,
                         layout->pixelBytes),
              std::tuple(c.width, c.height, c.bitCount, std::size_t{14}, std::size_t{54}, c.pixelBytes));
  }
}

TEST(BitmapFile, RejectsDamagedOrForeignImages) {
  // One field of a good 4 x 4 image overwritten: its offset, the value and its byte count.
  const struct {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    int size;
  } cases[] = {
      {"wrong magic", 1, 'A', 1},                          {"info header too small", 14, 12, 4},
      {"info header beyond the end", 14, 0xFFFFFFF0u, 4},  {"pixels inside the headers", 10, 40, 4},
      {"pixels beyond the end", 10, 0xFFFFFFFFu, 4},       {"two planes", 26, 2, 2},
      {"run-length compressed", 30, 1, 4},                 {"palette image", 28, 8, 2},
      {"zero width", 18, 0, 4},                            {"negative width", 18, static_cast<std::uint32_t>(-4), 4},
      {"zero height", 22, 0, 4},                           {"huge width", 18, 0x7FFFFFFFu, 4},
      {"most negative height", 22, 0x80000000u, 4},
  };
  for (const auto& c : cases) {
    Bytes bytes = image(4, 4, 24);
    put(bytes, c.at, c.value, c.size);
    EXPECT_FALSE(app::bitmapFileLayout(bytes.data(), bytes.size()).has_value()) << c.what;
  }
  // The last pixel byte missing, and shorter than both headers.
  const Bytes good = image(4, 4, 24);
  EXPECT_FALSE(app::bitmapFileLayout(good.data(), good.size() - 1).has_value());
  EXPECT_FALSE(app::bitmapFileLayout(good.data(), 53).has_value());
  EXPECT_FALSE(app::bitmapFileLayout(nullptr, 100).has_value());
}

TEST(BitmapFile, LongerInfoHeaderMovesThePixels) {
  Bytes bytes = image(2, 2, 24);
  bytes.insert(bytes.begin() + 54, 84, 0);  // a version 5 header is 124 bytes long
  put(bytes, 14, 124);
  put(bytes, 10, 138);
  auto layout = app::bitmapFileLayout(bytes.data(), bytes.size());
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->pixelOffset, 138u);
  put(bytes, 10, 100);  // would point into the longer header
  EXPECT_FALSE(app::bitmapFileLayout(bytes.data(), bytes.size()).has_value());
}

}  // namespace
