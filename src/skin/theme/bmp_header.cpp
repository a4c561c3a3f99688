#include "skin/theme/bmp_header.h"

#include "skin/theme/byte_reader.h"

namespace somnara::skin {

namespace {

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;

std::optional<BmpHeader> ParseChecked(const ByteReader& in) {
  if (in.U8(0) != 'B' || in.U8(1) != 'M') return std::nullopt;
  BmpHeader header;
  header.pixel_offset = in.U32(10);
  const uint32_t info_size = in.U32(kFileHeaderSize);
  uint32_t palette_entry_size = 4;
  uint32_t colours_used = 0;
  int64_t height = 0;
  if (info_size == kCoreHeaderSize) {
    header.width = in.U16(kFileHeaderSize + 4);
    height = in.U16(kFileHeaderSize + 6);
    if (in.U16(kFileHeaderSize + 8) != 1) return std::nullopt;
    header.bits_per_pixel = in.U16(kFileHeaderSize + 10);
    palette_entry_size = 3;
  } else if (info_size >= kInfoHeaderSize && info_size <= 1024) {
    if (!in.Has(kFileHeaderSize, info_size)) return std::nullopt;
    const int32_t width = in.I32(kFileHeaderSize + 4);
    height = in.I32(kFileHeaderSize + 8);
    if (width <= 0 || width > BmpHeader::kMaxDimension) return std::nullopt;
    header.width = width;
    if (in.U16(kFileHeaderSize + 12) != 1) return std::nullopt;
    header.bits_per_pixel = in.U16(kFileHeaderSize + 14);
    header.compression = in.U32(kFileHeaderSize + 16);
    colours_used = in.U32(kFileHeaderSize + 32);
  } else {
    return std::nullopt;
  }

  if (height < 0) {
    header.top_down = true;
    height = -height;
  }
  if (header.width <= 0 || header.width > BmpHeader::kMaxDimension || height <= 0 ||
      height > BmpHeader::kMaxDimension)
    return std::nullopt;
  header.height = static_cast<int>(height);
  if (int64_t(header.width) * height > BmpHeader::kMaxPixels) return std::nullopt;

  const int bpp = header.bits_per_pixel;
  switch (header.compression) {
    case kRgb:
      if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return std::nullopt;
      break;
    case kRle8:
      if (bpp != 8 || header.top_down) return std::nullopt;
      break;
    case kRle4:
      if (bpp != 4 || header.top_down) return std::nullopt;
      break;
    case kBitFields:
      if (bpp != 16 && bpp != 32) return std::nullopt;
      break;
    default:
      return std::nullopt;
  }

  // Whatever lies between the headers and the pixels: bit masks after a plain info header,
  // then the palette.
  uint64_t tables_end = kFileHeaderSize + info_size;
  if (header.compression == kBitFields && info_size == kInfoHeaderSize) tables_end += 12;
  if (bpp <= 8) {
    const uint32_t max_colours = 1u << bpp;
    if (colours_used > max_colours) return std::nullopt;
    const uint32_t colours = colours_used ? colours_used : max_colours;
    tables_end += uint64_t(colours) * palette_entry_size;
  }
  if (tables_end > in.Size()) return std::nullopt;
  if (header.pixel_offset < kFileHeaderSize + info_size || header.pixel_offset >= in.Size())
    return std::nullopt;

  if (header.compression == kRgb || header.compression == kBitFields) {
    const uint64_t stride = ((uint64_t(header.width) * uint64_t(bpp) + 31) / 32) * 4;
    if (!in.Has(header.pixel_offset, stride * uint64_t(header.height))) return std::nullopt;
  }
  return header;
}

}  // namespace

std::optional<BmpHeader> BmpHeader::Parse(std::span<const uint8_t> file) {
  try {
    return ParseChecked(ByteReader(file));
  } catch (const SkinFileError&) {
    return std::nullopt;
  }
}

}  // namespace somnara::skin
