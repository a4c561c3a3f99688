#include "framework/graphics/bmp_codec.h"

#include <gtest/gtest.h>

#include <random>

#include "bmp_builder.h"
#include "framework/exceptions.h"
#include "framework/graphics/picture.h"

namespace somnara::fw {
namespace {

using testing::BmpLayout;
using testing::BuildBmp;
using testing::PaddedRows;

uint32_t Px(const Bitmap& b, int x, int y) {
  return b.Scanline(y)[x];
}

TEST(BmpDecode, OneBitRowsArePaddedAndStoredBottomUp) {
  BmpLayout s;
  s.width = 10;
  s.height = 2;
  s.bits = 1;
  s.palette = {0x000000, 0xFFFFFF};
  // Bottom row 1010101010, top row 0000011111.
  s.pixels = PaddedRows({{0xAA, 0x80}, {0x07, 0xC0}});
  Bitmap b = DecodeBmp(BuildBmp(s));
  ASSERT_EQ(b.Width(), 10);
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(b.PixelFormat(), PixelFormat::k24Bit);
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(Px(b, x, 1), x % 2 == 0 ? 0xFFFFFFu : 0u) << x;
    EXPECT_EQ(Px(b, x, 0), x >= 5 ? 0xFFFFFFu : 0u) << x;
  }
}

TEST(BmpDecode, FourAndEightBitPalettes) {
  BmpLayout s;
  s.width = 3;
  s.bits = 4;
  for (uint32_t i = 0; i < 16; ++i) s.palette.push_back(i * 0x111111);
  s.pixels = PaddedRows({{0x12, 0x30}});
  Bitmap b = DecodeBmp(BuildBmp(s));
  EXPECT_EQ(Px(b, 0, 0), 0x111111u);
  EXPECT_EQ(Px(b, 1, 0), 0x222222u);
  EXPECT_EQ(Px(b, 2, 0), 0x333333u);

  BmpLayout e;  // top-down, short palette
  e.width = 2;
  e.height = -2;
  e.bits = 8;
  e.colors_used = 4;
  e.palette = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
  e.pixels = PaddedRows({{0, 1}, {2, 3}});
  Bitmap t = DecodeBmp(BuildBmp(e));
  EXPECT_EQ(Px(t, 0, 0), 0xFF0000u);
  EXPECT_EQ(Px(t, 1, 0), 0x00FF00u);
  EXPECT_EQ(Px(t, 0, 1), 0x0000FFu);
  EXPECT_EQ(Px(t, 1, 1), 0x123456u);

  e.pixels = PaddedRows({{0, 1}, {2, 4}});  // 4 is past the palette
  EXPECT_THROW(DecodeBmp(BuildBmp(e)), Exception);
}

TEST(BmpDecode, RunLengthEncodedEightAndFourBits) {
  BmpLayout s;
  s.width = 6;
  s.height = 2;
  s.bits = 8;
  s.compression = 1;
  s.colors_used = 4;
  s.palette = {0x000000, 0x111111, 0x222222, 0x333333};
  s.pixels = {3, 1,              // three of index 1
              0, 3, 2, 3, 2, 0,  // three literal pixels, padded
              0, 0,              // end of the bottom row
              0, 2, 2, 0,        // move two to the right
              2, 3,              // two of index 3
              0, 1};             // end of picture
  Bitmap b = DecodeBmp(BuildBmp(s));
  const uint32_t bottom[] = {0x111111, 0x111111, 0x111111, 0x222222, 0x333333, 0x222222};
  const uint32_t top[] = {0, 0, 0x333333, 0x333333, 0, 0};
  for (int x = 0; x < 6; ++x) {
    EXPECT_EQ(Px(b, x, 1), bottom[x]) << x;
    EXPECT_EQ(Px(b, x, 0), top[x]) << x;
  }

  BmpLayout f;
  f.width = 5;
  f.bits = 4;
  f.compression = 2;
  f.colors_used = 3;
  f.palette = {0x000000, 0xAAAAAA, 0xBBBBBB};
  f.pixels = {5, 0x12, 0, 1};
  Bitmap r = DecodeBmp(BuildBmp(f));
  const uint32_t row[] = {0xAAAAAA, 0xBBBBBB, 0xAAAAAA, 0xBBBBBB, 0xAAAAAA};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(Px(r, x, 0), row[x]) << x;

  // Runs that reach past the row are cut; data that ends early and indexes past the
  // palette are errors.
  f.pixels = {9, 0x11, 0, 1};
  EXPECT_EQ(Px(DecodeBmp(BuildBmp(f)), 4, 0), 0xAAAAAAu);
  f.pixels = {5, 0x12};
  EXPECT_THROW(DecodeBmp(BuildBmp(f)), Exception);
  f.pixels = {2, 0x13, 0, 1};
  EXPECT_THROW(DecodeBmp(BuildBmp(f)), Exception);
  f.pixels = {0, 4, 0x12};  // literal run cut short
  EXPECT_THROW(DecodeBmp(BuildBmp(f)), Exception);
}

TEST(BmpDecode, SixteenBitsAsFiveFiveFiveOrWithBitFields) {
  BmpLayout s;
  s.width = 4;
  s.bits = 16;
  s.pixels = PaddedRows({{0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42}});
  Bitmap b = DecodeBmp(BuildBmp(s));
  EXPECT_EQ(Px(b, 0, 0), 0xFF0000u);
  EXPECT_EQ(Px(b, 1, 0), 0x00FF00u);
  EXPECT_EQ(Px(b, 2, 0), 0x0000FFu);
  EXPECT_EQ(Px(b, 3, 0), 0x848484u);  // 16 of 31

  s.compression = 3;
  s.masks = {0xF800, 0x07E0, 0x001F};
  s.pixels = PaddedRows({{0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x00, 0x04}});
  Bitmap c = DecodeBmp(BuildBmp(s));
  EXPECT_EQ(Px(c, 0, 0), 0xFF0000u);
  EXPECT_EQ(Px(c, 1, 0), 0x00FF00u);
  EXPECT_EQ(Px(c, 2, 0), 0x0000FFu);
  EXPECT_EQ(Px(c, 3, 0), 0x008200u);  // 32 of 63

  s.masks = {0xF00F, 0x07E0, 0x001F};  // not one run of bits
  EXPECT_THROW(DecodeBmp(BuildBmp(s)), Exception);
}

TEST(BmpDecode, TwentyFourAndThirtyTwoBits) {
  BmpLayout s;
  s.width = 2;
  s.height = -1;
  s.bits = 24;
  s.pixels = PaddedRows({{0x01, 0x02, 0x03, 0x0A, 0x0B, 0x0C}});
  Bitmap b = DecodeBmp(BuildBmp(s));
  EXPECT_EQ(Px(b, 0, 0), 0x030201u);
  EXPECT_EQ(Px(b, 1, 0), 0x0C0B0Au);

  // Plain 32 bits: the fourth byte is no alpha.
  s.bits = 32;
  s.pixels = {0x01, 0x02, 0x03, 0x77, 0x0A, 0x0B, 0x0C, 0x00};
  Bitmap c = DecodeBmp(BuildBmp(s));
  EXPECT_EQ(c.PixelFormat(), PixelFormat::k24Bit);
  EXPECT_EQ(Px(c, 0, 0), 0x030201u);

  // A V5 header with an alpha mask keeps alpha.
  s.header_size = 124;
  s.compression = 3;
  s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  s.pixels = {0x01, 0x02, 0x03, 0x80, 0x0A, 0x0B, 0x0C, 0xFF};
  Bitmap d = DecodeBmp(BuildBmp(s));
  EXPECT_EQ(d.PixelFormat(), PixelFormat::k32Bit);
  EXPECT_EQ(Px(d, 0, 0), 0x80030201u);
  EXPECT_EQ(Px(d, 1, 0), 0xFF0C0B0Au);

  // A V4 header's masks are honoured in any order.
  s.header_size = 108;
  s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0};
  Bitmap e = DecodeBmp(BuildBmp(s));
  EXPECT_EQ(e.PixelFormat(), PixelFormat::k24Bit);
  EXPECT_EQ(Px(e, 0, 0), 0x010203u);
}

TEST(BmpDecode, OldAndHeaderlessLayouts) {
  BmpLayout core;  // 12-byte header with three-byte palette entries
  core.header_size = 12;
  core.width = 2;
  core.height = 1;
  core.bits = 8;
  core.palette = std::vector<uint32_t>(256, 0);
  core.palette[7] = 0xABCDEF;
  core.pixels = PaddedRows({{7, 0}});
  Bitmap b = DecodeBmp(BuildBmp(core));
  EXPECT_EQ(Px(b, 0, 0), 0xABCDEFu);

  BmpLayout os2;  // 64-byte OS/2 2.x header
  os2.header_size = 64;
  os2.width = 2;
  os2.bits = 4;
  os2.colors_used = 2;
  os2.palette = {0x102030, 0x405060};
  os2.pixels = PaddedRows({{0x10}});
  Bitmap o = DecodeBmp(BuildBmp(os2));
  EXPECT_EQ(Px(o, 0, 0), 0x405060u);
  EXPECT_EQ(Px(o, 1, 0), 0x102030u);
  os2.compression = 3;  // Huffman in OS/2 files
  EXPECT_THROW(DecodeBmp(BuildBmp(os2)), Exception);

  BmpLayout dib;  // as stored in program resources: no file header
  dib.file_header = false;
  dib.width = 1;
  dib.pixels = PaddedRows({{1, 2, 3}});
  EXPECT_EQ(Px(DecodeBmp(BuildBmp(dib)), 0, 0), 0x030201u);

  // The stated file size and image size are not trusted.
  BmpLayout lying;
  lying.width = 1;
  lying.pixels = PaddedRows({{1, 2, 3}});
  lying.file_size = 0xFFFFFFF0;
  EXPECT_EQ(Px(DecodeBmp(BuildBmp(lying)), 0, 0), 0x030201u);
}

TEST(BmpDecode, EncoderWritesWhatTheDecoderReads) {
  Bitmap b(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) b.Scanline(y)[x] = uint32_t(x * 0x400000 + y * 0x30 + 1);
  std::vector<uint8_t> file = EncodeBmp24(b);
  EXPECT_EQ(file.size(), 14u + 40u + 2u * 12u);
  EXPECT_TRUE(DecodeBmp(file).SamePixels(b));
}

struct Corruption {
  const char* what;
  BmpLayout layout;
};

BmpLayout Valid8() {
  BmpLayout s;
  s.width = 4;
  s.height = 2;
  s.bits = 8;
  s.colors_used = 2;
  s.palette = {0, 0xFFFFFF};
  s.pixels = PaddedRows({{0, 1, 0, 1}, {1, 0, 1, 0}});
  return s;
}

TEST(BmpDecode, BrokenHeadersAndDataAreRejected) {
  std::vector<Corruption> cases;
  auto add = [&](const char* what, auto change) {
    BmpLayout s = Valid8();
    change(s);
    cases.push_back({what, s});
  };
  add("zero width", [](BmpLayout& s) { s.width = 0; });
  add("negative width", [](BmpLayout& s) { s.width = -4; });
  add("zero height", [](BmpLayout& s) { s.height = 0; });
  add("most negative height", [](BmpLayout& s) { s.height = INT32_MIN; });
  add("huge sides", [](BmpLayout& s) { s.width = s.height = 100000; });
  add("huge area", [](BmpLayout& s) { s.width = s.height = 16000; });
  add("odd depth", [](BmpLayout& s) { s.bits = 7; });
  add("zero depth", [](BmpLayout& s) { s.bits = 0; });
  add("embedded JPEG", [](BmpLayout& s) { s.compression = 4; });
  add("RLE8 at 24 bits", [](BmpLayout& s) {
    s.compression = 1;
    s.bits = 24;
  });
  add("RLE stored top-down", [](BmpLayout& s) {
    s.compression = 1;
    s.height = -2;
  });
  add("pixels cut short", [](BmpLayout& s) { s.pixels.resize(5); });
  add("unknown header size", [](BmpLayout& s) { s.header_size = 200; });
  add("palette past the depth", [](BmpLayout& s) { s.colors_used = 300; });
  add("palette count overflowing", [](BmpLayout& s) { s.colors_used = 0xFFFFFFFF; });
  add("pixel offset in the header", [](BmpLayout& s) { s.data_offset = 20; });
  add("pixel offset past the end", [](BmpLayout& s) { s.data_offset = 0x7FFFFFFF; });
  add("index past the palette", [](BmpLayout& s) { s.pixels[0] = 9; });
  add("bit fields at 8 bits", [](BmpLayout& s) { s.compression = 3; });
  for (const Corruption& c : cases) {
    std::vector<uint8_t> file = BuildBmp(c.layout);
    try {
      DecodeBmp(file);
      ADD_FAILURE() << c.what << ": decoded";
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.what()).find("Bitmap image is not valid"), std::string::npos)
          << c.what << ": " << e.what();
    }
  }
  std::vector<uint8_t> tiny = {'B', 'M', 0, 0};
  EXPECT_THROW(DecodeBmp(tiny), Exception);
  EXPECT_THROW(DecodeBmp(std::vector<uint8_t>{}), Exception);
  // Cutting a valid file anywhere gives an error, never a crash.
  std::vector<uint8_t> whole = BuildBmp(Valid8());
  for (size_t n = 0; n < whole.size() - 3; ++n)
    EXPECT_THROW(DecodeBmp(std::span(whole.data(), n)), Exception) << n;
}

TEST(BmpDecode, RandomDamageNeverCrashes) {
  std::vector<std::vector<uint8_t>> seeds;
  seeds.push_back(BuildBmp(Valid8()));
  BmpLayout rle = Valid8();
  rle.compression = 1;
  rle.pixels = {4, 1, 0, 0, 0, 4, 0, 1, 0, 1, 0, 0, 0, 1};
  seeds.push_back(BuildBmp(rle));
  BmpLayout v5;
  v5.header_size = 124;
  v5.width = 3;
  v5.bits = 32;
  v5.compression = 3;
  v5.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  v5.pixels = std::vector<uint8_t>(12, 0x80);
  seeds.push_back(BuildBmp(v5));
  std::mt19937 random(12345);
  int decoded = 0, rejected = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> file = seeds[size_t(round) % seeds.size()];
    int edits = 1 + int(random() % 4);
    for (int e = 0; e < edits; ++e) {
      size_t at = random() % file.size();
      switch (random() % 3) {
        case 0:
          file[at] = uint8_t(random());
          break;
        case 1:
          file[at] ^= uint8_t(1u << (random() % 8));
          break;
        default:
          file[at] = random() % 2 ? 0xFF : 0x00;
      }
    }
    try {
      Bitmap b = DecodeBmp(file);
      EXPECT_LE((long long)b.Width() * b.Height(), Bitmap::kMaxPixels);
      ++decoded;
    } catch (const Exception&) {
      ++rejected;
    }
  }
  EXPECT_GT(decoded, 0);
  EXPECT_GT(rejected, 0);
}

}  // namespace
}  // namespace somnara::fw
