// The program's icon file and the decoder that takes the about window's image out of it.
#include "app/about_icon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "framework/resources.h"

namespace somnara::app {
namespace {

std::vector<uint8_t> ProgramIcon() {
  resources::RegisterProgramResources();
  fw::ResourceLookup icon = fw::FindResource("generated/somnara.ico");
  EXPECT_TRUE(icon.found);
  return {icon.bytes.begin(), icon.bytes.end()};
}

uint32_t U16(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8;
}
uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}
void Set32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// Where the directory entry of the image of `size` pixels and `bits` bits lies.
size_t EntryOf(const std::vector<uint8_t>& icon, int size, int bits) {
  for (size_t i = 0; i < U16(icon, 4); ++i) {
    size_t entry = 6 + 16 * i;
    if (icon[entry] == size && U16(icon, entry + 6) == uint32_t(bits)) return entry;
  }
  ADD_FAILURE() << "no entry " << size << " x " << bits;
  return 0;
}

TEST(ProgramIconTest, HoldsNineImagesInThreeSizesAndThreeColourDepths) {
  std::vector<uint8_t> icon = ProgramIcon();
  ASSERT_GE(icon.size(), 6u);
  EXPECT_EQ(U16(icon, 0), 0u);
  EXPECT_EQ(U16(icon, 2), 1u);
  ASSERT_EQ(U16(icon, 4), 9u);
  std::vector<std::pair<int, int>> seen;
  for (size_t i = 0; i < 9; ++i) {
    size_t entry = 6 + 16 * i;
    int size = icon[entry];
    int bits = int(U16(icon, entry + 6));
    seen.emplace_back(size, bits);
    // Each image's own header agrees with its entry: the size, twice the height for the
    // mask, the depth, and its data inside the file.
    size_t offset = U32(icon, entry + 12), length = U32(icon, entry + 8);
    ASSERT_LE(offset + length, icon.size());
    EXPECT_EQ(U32(icon, offset + 4), uint32_t(size));
    EXPECT_EQ(U32(icon, offset + 8), uint32_t(2 * size));
    EXPECT_EQ(U16(icon, offset + 14), uint32_t(bits));
    size_t palette = bits <= 8 ? (size_t(1) << bits) * 4 : 0;
    size_t colour_row = size_t((size * bits + 31) / 32) * 4,
           mask_row = size_t((size + 31) / 32) * 4;
    EXPECT_EQ(length, 40 + palette + (colour_row + mask_row) * size_t(size));
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(
      seen,
      (std::vector<std::pair<int, int>>{
          {16, 4}, {16, 8}, {16, 32}, {32, 4}, {32, 8}, {32, 32}, {48, 4}, {48, 8}, {48, 32}}));
}

TEST(ProgramIconTest, EverySizeDecodesWithSeeThroughCornersAndAnOpaqueMiddle) {
  std::vector<uint8_t> icon = ProgramIcon();
  for (int size : {16, 32, 48}) {
    fw::Bitmap image = DecodeIconImage(icon, size);
    ASSERT_EQ(image.Width(), size);
    ASSERT_EQ(image.Height(), size);
    EXPECT_EQ(image.PixelFormat(), fw::PixelFormat::k32Bit);
    EXPECT_EQ(image.Scanline(0)[0] >> 24, 0u) << size;
    EXPECT_EQ(image.Scanline(size - 1)[size - 1] >> 24, 0u) << size;
    EXPECT_EQ(image.Scanline(size / 2)[size / 2] >> 24, 255u) << size;
  }
}

TEST(ProgramIconTest, AnIconWithoutAlphaTakesItsSeeThroughPixelsFromTheMask) {
  std::vector<uint8_t> icon = ProgramIcon();
  size_t entry = EntryOf(icon, 16, 32);
  size_t offset = U32(icon, entry + 12);
  for (size_t p = 0; p < 16 * 16; ++p) icon[offset + 40 + p * 4 + 3] = 0;
  fw::Bitmap image = DecodeIconImage(icon, 16);
  EXPECT_EQ(image.Scanline(0)[0] >> 24, 0u);
  EXPECT_EQ(image.Scanline(8)[8] >> 24, 255u);
}

TEST(ProgramIconTest, TheBackgroundShowsThroughInProportionToAlpha) {
  fw::Bitmap picture(3, 1, fw::PixelFormat::k32Bit);
  picture.Scanline(0)[0] = 0x00FFFFFF;  // see-through
  picture.Scanline(0)[1] = 0xFF102030;  // opaque
  picture.Scanline(0)[2] = 0x80FF0000;  // half red
  fw::Bitmap out = OverBackground(picture, fw::MakeColor(0, 0, 255));
  EXPECT_EQ(out.Scanline(0)[0] & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(out.Scanline(0)[1] & 0xFFFFFF, 0x102030u);
  EXPECT_EQ(out.Scanline(0)[2] & 0xFFFFFF, 0x80007Fu);
}

// Damaged files give a clear error, never a crash or a read outside the data.
TEST(ProgramIconTest, DamagedFilesAreRefusedWithAClearError) {
  const std::vector<uint8_t> good = ProgramIcon();
  auto refuses = [](const std::vector<uint8_t>& bytes, int size, const std::string& why) {
    try {
      DecodeIconImage(bytes, size);
      ADD_FAILURE() << "accepted: " << why;
    } catch (const fw::Exception& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Invalid icon: ", 0), 0u) << e.what();
    }
  };
  refuses({}, 32, "empty");
  refuses({0, 0, 2, 0, 1, 0}, 32, "a cursor file");
  refuses({0, 0, 1, 0, 9, 0}, 32, "directory cut off");
  refuses(good, 24, "no such size");
  refuses(good, 0, "size 0");
  refuses(good, 1000, "size too large");
  std::vector<uint8_t> bad = good;
  Set32(bad, EntryOf(bad, 32, 32) + 12, 0xFFFFFFF0u);
  refuses(bad, 32, "offset outside");
  bad = good;
  Set32(bad, EntryOf(bad, 32, 32) + 8, 0xFFFFFFFFu);
  refuses(bad, 32, "length outside");
  bad = good;
  Set32(bad, EntryOf(bad, 32, 32) + 8, 100);
  refuses(bad, 32, "image cut off");
  bad = good;
  Set32(bad, U32(bad, EntryOf(bad, 32, 32) + 12), 0x7FFFFFFF);
  refuses(bad, 32, "header size beyond the image");
  bad = good;
  Set32(bad, U32(bad, EntryOf(bad, 32, 32) + 12) + 8, 32);
  refuses(bad, 32, "height without the mask");
  bad = good;
  bad.resize(bad.size() - 10);
  refuses(bad, 16, "file cut off");
}

}  // namespace
}  // namespace somnara::app
