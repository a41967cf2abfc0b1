#include "app/bitmap_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

void put16(Bytes& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<unsigned char>(value);
  bytes[at + 1] = static_cast<unsigned char>(value >> 8);
}

// A well-formed uncompressed image with the pixel rows directly after the two headers.
Bytes image(std::int32_t width, std::int32_t height, std::uint16_t bitCount) {
  std::uint32_t stride = (static_cast<std::uint32_t>(width) * bitCount + 31) / 32 * 4;
  std::uint32_t rows = height < 0 ? -height : height;
  Bytes bytes(54 + stride * rows, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
  put32(bytes, 10, 54);
  put32(bytes, 14, 40);
  put32(bytes, 18, static_cast<std::uint32_t>(width));
  put32(bytes, 22, static_cast<std::uint32_t>(height));
  put16(bytes, 26, 1);
  put16(bytes, 28, bitCount);
  return bytes;
}

TEST(BitmapFile, AcceptsUncompressedTrueColourImages) {
  struct Case {
    std::int32_t width, height;
    std::uint16_t bitCount;
    std::size_t pixelBytes;
  } cases[] = {
      {326, 99, 24, 980 * 99},  // 978 bytes a row, padded to 980
      {1, 1, 24, 4},
      {3, 2, 32, 24},
      {5, -3, 24, 16 * 3},  // rows stored top-down
  };
  for (const Case& c : cases) {
    Bytes bytes = image(c.width, c.height, c.bitCount);
    auto layout = app::bitmapFileLayout(bytes.data(), bytes.size());
    ASSERT_TRUE(layout.has_value()) << c.width << "x" << c.height;
    EXPECT_EQ(layout->width, c.width);
    EXPECT_EQ(layout->height, c.height);
    EXPECT_EQ(layout->bitCount, c.bitCount);
    EXPECT_EQ(layout->infoOffset, 14u);
    EXPECT_EQ(layout->pixelOffset, 54u);
    EXPECT_EQ(layout->pixelBytes, c.pixelBytes);
  }
}

TEST(BitmapFile, RejectsDamagedOrForeignImages) {
  struct Case {
    const char* what;
    std::function<void(Bytes&)> damage;
  } cases[] = {
      {"wrong magic", [](Bytes& b) { b[1] = 'A'; }},
      {"last pixel byte missing", [](Bytes& b) { b.pop_back(); }},
      {"headers only", [](Bytes& b) { b.resize(54); }},
      {"shorter than both headers", [](Bytes& b) { b.resize(53); }},
      {"info header too small", [](Bytes& b) { put32(b, 14, 12); }},
      {"info header beyond the end", [](Bytes& b) { put32(b, 14, 0xFFFFFFF0u); }},
      {"pixels inside the headers", [](Bytes& b) { put32(b, 10, 40); }},
      {"pixels beyond the end", [](Bytes& b) { put32(b, 10, 0xFFFFFFFFu); }},
      {"two planes", [](Bytes& b) { put16(b, 26, 2); }},
      {"run-length compressed", [](Bytes& b) { put32(b, 30, 1); }},
      {"palette image", [](Bytes& b) { put16(b, 28, 8); }},
      {"no bits", [](Bytes& b) { put16(b, 28, 0); }},
      {"zero width", [](Bytes& b) { put32(b, 18, 0); }},
      {"negative width", [](Bytes& b) { put32(b, 18, static_cast<std::uint32_t>(-4)); }},
      {"zero height", [](Bytes& b) { put32(b, 22, 0); }},
      {"huge width", [](Bytes& b) { put32(b, 18, 0x7FFFFFFFu); }},
      {"most negative height", [](Bytes& b) { put32(b, 22, 0x80000000u); }},
  };
  for (const Case& c : cases) {
    Bytes bytes = image(4, 4, 24);
    c.damage(bytes);
    EXPECT_FALSE(app::bitmapFileLayout(bytes.data(), bytes.size()).has_value()) << c.what;
  }
  EXPECT_FALSE(app::bitmapFileLayout(nullptr, 100).has_value());
}

TEST(BitmapFile, LongerInfoHeaderMovesThePixels) {
  Bytes bytes = image(2, 2, 24);
  bytes.insert(bytes.begin() + 54, 84, 0);  // a version 5 header is 124 bytes long
  put32(bytes, 14, 124);
  put32(bytes, 10, 138);
  auto layout = app::bitmapFileLayout(bytes.data(), bytes.size());
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->pixelOffset, 138u);
  put32(bytes, 10, 100);  // would point into the longer header
  EXPECT_FALSE(app::bitmapFileLayout(bytes.data(), bytes.size()).has_value());
}

TEST(BitmapFile, TheCarriedBannerIsReadable) {
  std::string source = __FILE__;
  std::string root = source.substr(0, source.rfind("tests/unit/"));
  std::ifstream in(root + "resources/banner.bmp", std::ios::binary);
  ASSERT_TRUE(in) << root;
  Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  auto layout = app::bitmapFileLayout(bytes.data(), bytes.size());
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->width, 326);
  EXPECT_EQ(layout->height, 99);
  EXPECT_EQ(layout->bitCount, 24);
}

}  // namespace
