#include "skin/theme/bmp_header.h"

#include <gtest/gtest.h>

#include "skin/archive/skin_test_data.h"

namespace somnara::skin {
namespace {

using testing::PutU16At;
using testing::PutU32At;
using testing::StripedBmp;

// An 8-bit picture with a palette of `colours` entries (0 = all 256).
std::vector<uint8_t> PalettedBmp(int width, int height, uint32_t colours) {
  const uint32_t stride = (uint32_t(width) + 3) & ~3u;
  const uint32_t palette = (colours ? colours : 256) * 4;
  std::vector<uint8_t> bmp(54 + palette + stride * uint32_t(height), 0);
  bmp[0] = 'B';
  bmp[1] = 'M';
  PutU32At(bmp, 2, uint32_t(bmp.size()));
  PutU32At(bmp, 10, 54 + palette);
  PutU32At(bmp, 14, 40);
  PutU32At(bmp, 18, uint32_t(width));
  PutU32At(bmp, 22, uint32_t(height));
  PutU16At(bmp, 26, 1);
  PutU16At(bmp, 28, 8);
  PutU32At(bmp, 46, colours);
  return bmp;
}

TEST(BmpHeader, AcceptsWhatTheWriterMakes) {
  const auto header = BmpHeader::Parse(StripedBmp(225, 23));
  ASSERT_TRUE(header);
  EXPECT_EQ(header->width, 225);
  EXPECT_EQ(header->height, 23);
  EXPECT_EQ(header->bits_per_pixel, 24);
  EXPECT_FALSE(header->top_down);

  auto top_down = StripedBmp(3, 5);
  PutU32At(top_down, 22, uint32_t(-5));
  const auto flipped = BmpHeader::Parse(top_down);
  ASSERT_TRUE(flipped);
  EXPECT_EQ(flipped->height, 5);
  EXPECT_TRUE(flipped->top_down);

  EXPECT_TRUE(BmpHeader::Parse(PalettedBmp(7, 3, 0)));
  EXPECT_TRUE(BmpHeader::Parse(PalettedBmp(7, 3, 16)));
}

TEST(BmpHeader, RunLengthPicturesAreLimitedInPixels) {
  // Run-length data is not checked against the size, so a few bytes could claim any size.
  auto rle = PalettedBmp(7, 3, 0);
  PutU32At(rle, 30, 1);  // RLE8
  PutU32At(rle, 18, 4096);
  PutU32At(rle, 22, 4096);
  EXPECT_TRUE(BmpHeader::Parse(rle));
  PutU32At(rle, 22, 4097);
  EXPECT_FALSE(BmpHeader::Parse(rle));
  PutU32At(rle, 22, uint32_t(-4096));
  EXPECT_FALSE(BmpHeader::Parse(rle)) << "top-down run-length data";
}

TEST(BmpHeader, AcceptsCoreHeaders) {
  // 2 x 2, 24 bits, 12-byte header: rows of 6 bytes padded to 8.
  std::vector<uint8_t> bmp(26 + 16, 0);
  bmp[0] = 'B';
  bmp[1] = 'M';
  PutU32At(bmp, 10, 26);
  PutU32At(bmp, 14, 12);
  PutU16At(bmp, 18, 2);
  PutU16At(bmp, 20, 2);
  PutU16At(bmp, 22, 1);
  PutU16At(bmp, 24, 24);
  ASSERT_TRUE(BmpHeader::Parse(bmp));
  bmp.pop_back();
  EXPECT_FALSE(BmpHeader::Parse(bmp));
}

TEST(BmpHeader, RejectsLyingHeaders) {
  const auto good = StripedBmp(6, 4);
  auto expect_rejected = [&](size_t offset, uint32_t value, int width, const char* what) {
    auto bad = good;
    if (width == 2)
      PutU16At(bad, offset, uint16_t(value));
    else
      PutU32At(bad, offset, value);
    EXPECT_FALSE(BmpHeader::Parse(bad)) << what;
  };
  expect_rejected(0, 'P' | ('M' << 8), 2, "signature");
  expect_rejected(22, 5, 4, "more rows than the data holds");
  expect_rejected(18, 7, 4, "wider rows than the data holds");
  expect_rejected(18, 0, 4, "zero width");
  expect_rejected(18, uint32_t(-6), 4, "negative width");
  expect_rejected(18, 16385, 4, "width over the limit");
  expect_rejected(22, 0, 4, "zero height");
  expect_rejected(22, 0x80000000u, 4, "height that cannot be negated");
  expect_rejected(26, 2, 2, "two planes");
  expect_rejected(28, 7, 2, "7 bits per pixel");
  expect_rejected(30, 4, 4, "JPEG compression");
  expect_rejected(30, 1, 4, "RLE8 on a 24-bit picture");
  expect_rejected(10, uint32_t(good.size()), 4, "pixels after the end");
  expect_rejected(10, 20, 4, "pixels inside the headers");
  expect_rejected(14, 39, 4, "unknown header size");
  expect_rejected(14, 0xFFFFFFF0u, 4, "header size past the end");

  EXPECT_FALSE(BmpHeader::Parse(PalettedBmp(7, 3, 257))) << "palette over 256 entries";
  auto short_palette = PalettedBmp(7, 3, 0);
  short_palette.resize(54 + 100);
  EXPECT_FALSE(BmpHeader::Parse(short_palette)) << "palette cut off";
  for (size_t n = 0; n < good.size(); ++n)
    EXPECT_FALSE(BmpHeader::Parse(std::span(good).first(n))) << "cut to " << n;
}

}  // namespace
}  // namespace somnara::skin
