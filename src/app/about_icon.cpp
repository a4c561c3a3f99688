#include "app/about_icon.h"

#include <string>

#include "framework/exceptions.h"

namespace somnara::app {
namespace {

constexpr size_t kDirectoryHeader = 6;
constexpr size_t kDirectoryEntry = 16;
constexpr size_t kInfoHeader = 40;

uint32_t U16(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8;
}
uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}

[[noreturn]] void Fail(const std::string& why) {
  throw fw::Exception("Invalid icon: " + why);
}

}  // namespace

fw::Bitmap DecodeIconImage(std::span<const uint8_t> file, int size) {
  if (size <= 0 || size > 256) Fail("no image of " + std::to_string(size) + " pixels");
  if (file.size() < kDirectoryHeader) Fail("the file is too short");
  if (U16(file, 0) != 0 || U16(file, 2) != 1) Fail("not an icon file");
  const size_t count = U16(file, 4);
  if (file.size() < kDirectoryHeader + count * kDirectoryEntry) Fail("the directory is cut off");

  for (size_t i = 0; i < count; ++i) {
    const size_t entry = kDirectoryHeader + i * kDirectoryEntry;
    const int width = file[entry] == 0 ? 256 : file[entry];
    const int height = file[entry + 1] == 0 ? 256 : file[entry + 1];
    if (width != size || height != size) continue;
    const size_t length = U32(file, entry + 8);
    const size_t offset = U32(file, entry + 12);
    if (offset > file.size() || length > file.size() - offset)
      Fail("image " + std::to_string(i) + " lies outside the file");
    std::span<const uint8_t> image = file.subspan(offset, length);
    // Images stored as PNG or in fewer colours are not the one asked for.
    if (image.size() < kInfoHeader || U32(image, 0) < kInfoHeader) continue;
    if (U16(image, 14) != 32) continue;
    const size_t header = U32(image, 0);
    if (int32_t(U32(image, 4)) != size || int32_t(U32(image, 8)) != 2 * size)
      Fail("image " + std::to_string(i) + " has a size other than its directory entry");
    if (U32(image, 16) != 0) Fail("image " + std::to_string(i) + " is compressed");
    const size_t pixels = size_t(size) * size_t(size);
    const size_t mask_row = ((size_t(size) + 31) / 32) * 4;
    if (header > image.size() || image.size() - header < pixels * 4 + mask_row * size_t(size))
      Fail("image " + std::to_string(i) + " is cut off");

    fw::Bitmap out(size, size, fw::PixelFormat::k32Bit);
    const uint8_t* colour = image.data() + header;
    const uint8_t* mask = colour + pixels * 4;
    bool any_alpha = false;
    for (size_t p = 0; p < pixels; ++p) any_alpha = any_alpha || colour[p * 4 + 3] != 0;
    // Rows are stored bottom up.
    for (int y = 0; y < size; ++y) {
      const uint8_t* row = colour + size_t(size - 1 - y) * size_t(size) * 4;
      const uint8_t* mask_bits = mask + size_t(size - 1 - y) * mask_row;
      uint32_t* line = out.Scanline(y);
      for (int x = 0; x < size; ++x) {
        const uint8_t* px = row + size_t(x) * 4;
        uint32_t alpha = px[3];
        if (!any_alpha) alpha = (mask_bits[x / 8] >> (7 - x % 8)) & 1 ? 0 : 255;
        line[x] = alpha << 24 | uint32_t(px[2]) << 16 | uint32_t(px[1]) << 8 | px[0];
      }
    }
    return out;
  }
  Fail("no 32-bit image of " + std::to_string(size) + " pixels");
}

fw::Bitmap OverBackground(const fw::Bitmap& picture, fw::Color background) {
  const uint32_t under = fw::ColorToRgb(background);
  fw::Bitmap out(picture.Width(), picture.Height());
  const bool has_alpha = picture.PixelFormat() == fw::PixelFormat::k32Bit;
  for (int y = 0; y < picture.Height(); ++y) {
    const uint32_t* in = picture.Scanline(y);
    uint32_t* line = out.Scanline(y);
    for (int x = 0; x < picture.Width(); ++x) {
      const uint32_t p = in[x];
      const uint32_t a = has_alpha ? p >> 24 : 255;
      uint32_t mixed = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t top = (p >> shift) & 0xFF, bottom = (under >> shift) & 0xFF;
        mixed |= ((top * a + bottom * (255 - a) + 127) / 255) << shift;
      }
      line[x] = mixed;
    }
  }
  return out;
}

}  // namespace somnara::app
