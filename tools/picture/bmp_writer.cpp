#include "picture/bmp_writer.h"

#include <fstream>

#include "picture/little_endian.h"

namespace somnara::picture {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dpi

uint32_t RowStride(int width, int bits) {
  return (uint32_t(width) * uint32_t(bits) + 31) / 32 * 4;
}

// File and info header of an uncompressed picture; the palette and the rows follow.
std::vector<uint8_t> Headers(const PixelBuffer& p, int bits, uint32_t palette_entries) {
  const uint32_t offset = kFileHeaderSize + kInfoHeaderSize + palette_entries * 4;
  const uint32_t image_size = RowStride(p.width, bits) * uint32_t(p.height);
  std::vector<uint8_t> out;
  out.reserve(offset + image_size);
  out.push_back('B');
  out.push_back('M');
  PutU32(out, offset + image_size);
  PutU32(out, 0);
  PutU32(out, offset);
  PutU32(out, kInfoHeaderSize);
  PutU32(out, uint32_t(p.width));
  PutU32(out, uint32_t(p.height));
  PutU16(out, 1);
  PutU16(out, uint16_t(bits));
  PutU32(out, 0);  // no compression
  PutU32(out, image_size);
  PutU32(out, kPixelsPerMetre);
  PutU32(out, kPixelsPerMetre);
  PutU32(out, palette_entries);
  PutU32(out, 0);
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const PixelBuffer& p) {
  std::vector<uint8_t> out = Headers(p, 24, 0);
  const uint32_t stride = RowStride(p.width, 24);
  for (int y = p.height - 1; y >= 0; --y) {
    const size_t row_start = out.size();
    for (int x = 0; x < p.width; ++x) {
      const uint32_t c = p.At(x, y);
      out.push_back(uint8_t(c));
      out.push_back(uint8_t(c >> 8));
      out.push_back(uint8_t(c >> 16));
    }
    out.resize(row_start + stride, 0);
  }
  return out;
}

std::vector<uint8_t> EncodeBmp8(const PixelBuffer& indices, const std::vector<uint32_t>& palette) {
  std::vector<uint8_t> out = Headers(indices, 8, uint32_t(palette.size()));
  for (uint32_t c : palette) PutU32(out, c & 0xFFFFFF);
  const uint32_t stride = RowStride(indices.width, 8);
  for (int y = indices.height - 1; y >= 0; --y) {
    const size_t row_start = out.size();
    for (int x = 0; x < indices.width; ++x) out.push_back(uint8_t(indices.At(x, y)));
    out.resize(row_start + stride, 0);
  }
  return out;
}

bool WriteFileBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  return bool(out);
}

bool WriteBmp24(const std::filesystem::path& path, const PixelBuffer& picture) {
  return WriteFileBytes(path, EncodeBmp24(picture));
}

bool WriteBmp8(const std::filesystem::path& path, const PixelBuffer& indices,
               const std::vector<uint32_t>& palette) {
  return WriteFileBytes(path, EncodeBmp8(indices, palette));
}

}  // namespace somnara::picture
