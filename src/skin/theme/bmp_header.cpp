#include "skin/theme/bmp_header.h"

#include "framework/graphics/bmp_format.h"
#include "skin/theme/byte_reader.h"

namespace somnara::skin {

namespace {

using namespace fw::bmp;

// Info headers longer than any known one are still read by their first 40 bytes, but a size
// beyond this is taken for damage.
constexpr uint32_t kLargestInfoHeader = 1024;

std::optional<BmpHeader> ParseChecked(const ByteReader& in) {
  if (in.U8(0) != 'B' || in.U8(1) != 'M') return std::nullopt;
  BmpHeader header;
  header.pixel_offset = in.U32(kPixelOffsetField);
  const uint32_t info_size = in.U32(kFileHeaderSize);
  uint32_t colours_used = 0;
  int64_t width = 0;
  int64_t height = 0;
  uint32_t planes = 0;
  if (info_size == kCoreHeaderSize) {
    width = in.U16(kFileHeaderSize + kCoreWidthField);
    height = in.U16(kFileHeaderSize + kCoreHeightField);
    planes = in.U16(kFileHeaderSize + kCorePlanesField);
    header.bits_per_pixel = in.U16(kFileHeaderSize + kCoreBitCountField);
  } else if (info_size >= kInfoHeaderSize && info_size <= kLargestInfoHeader) {
    if (!in.Has(kFileHeaderSize, info_size)) return std::nullopt;
    width = in.I32(kFileHeaderSize + kWidthField);
    height = in.I32(kFileHeaderSize + kHeightField);
    planes = in.U16(kFileHeaderSize + kPlanesField);
    header.bits_per_pixel = in.U16(kFileHeaderSize + kBitCountField);
    header.compression = in.U32(kFileHeaderSize + kCompressionField);
    colours_used = in.U32(kFileHeaderSize + kColoursUsedField);
  } else {
    return std::nullopt;
  }
  if (planes != 1) return std::nullopt;
  const int bpp = header.bits_per_pixel;
  // Pictures whose masks include alpha are beyond what a skin carries.
  if (header.compression == kAlphaBitFields ||
      LayoutProblem(width, height, uint32_t(bpp), header.compression, BmpHeader::kMaxPixels))
    return std::nullopt;
  header.width = static_cast<int>(width);
  header.top_down = height < 0;
  header.height = static_cast<int>(header.top_down ? -height : height);

  // Whatever lies between the headers and the pixels: bit masks after a plain info header,
  // then the palette.
  uint64_t tables_end = kFileHeaderSize + info_size;
  if (header.compression == kBitFields && info_size == kInfoHeaderSize) tables_end += 12;
  if (bpp <= 8) {
    const uint32_t max_colours = MaxPaletteEntries(uint32_t(bpp));
    if (colours_used > max_colours) return std::nullopt;
    const uint32_t colours = colours_used ? colours_used : max_colours;
    tables_end += uint64_t(colours) * PaletteEntrySize(info_size);
  }
  if (tables_end > in.Size()) return std::nullopt;
  if (header.pixel_offset < kFileHeaderSize + info_size || header.pixel_offset >= in.Size())
    return std::nullopt;

  if (header.compression == kRgb || header.compression == kBitFields) {
    const uint64_t stride = RowStride(uint64_t(header.width), uint32_t(bpp));
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
