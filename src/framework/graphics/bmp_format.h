#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The rules of device-independent bitmap files that every reader of them keeps, whether it
// decodes the pixels or only checks a header before handing the file on. Offsets are in
// bytes; numbers are little-endian.
namespace somnara::fw::bmp {

// The file header: "BM", file size, two reserved words, where the pixels start.
inline constexpr uint32_t kFileHeaderSize = 14;
inline constexpr uint32_t kPixelOffsetField = 10;

// The info header follows the file header; its first field is its own size.
inline constexpr uint32_t kCoreHeaderSize = 12;  // 16-bit sizes, 3-byte palette entries
inline constexpr uint32_t kInfoHeaderSize = 40;
// Fields of a core header, from its start.
inline constexpr uint32_t kCoreWidthField = 4;
inline constexpr uint32_t kCoreHeightField = 6;
inline constexpr uint32_t kCorePlanesField = 8;
inline constexpr uint32_t kCoreBitCountField = 10;
// Fields of an info header (and of its longer successors), from its start.
inline constexpr uint32_t kWidthField = 4;
inline constexpr uint32_t kHeightField = 8;  // negative for rows stored top-down
inline constexpr uint32_t kPlanesField = 12;
inline constexpr uint32_t kBitCountField = 14;
inline constexpr uint32_t kCompressionField = 16;
inline constexpr uint32_t kColoursUsedField = 32;
inline constexpr uint32_t kMasksField = 40;  // red, green, blue, alpha in headers that hold them

// Compression values.
inline constexpr uint32_t kRgb = 0;
inline constexpr uint32_t kRle8 = 1;
inline constexpr uint32_t kRle4 = 2;
inline constexpr uint32_t kBitFields = 3;
inline constexpr uint32_t kAlphaBitFields = 6;

// Bytes of one palette entry: blue, green, red (and a reserved byte after an info header).
constexpr uint32_t PaletteEntrySize(uint32_t header_size) {
  return header_size == kCoreHeaderSize ? 3 : 4;
}
// Colours a palette may hold for pictures of `bits` (at most 8) bits per pixel.
constexpr uint32_t MaxPaletteEntries(uint32_t bits) {
  return 1u << bits;
}
// Bytes of one row of pixels: rows are padded to whole 32-bit words.
constexpr uint64_t RowStride(uint64_t width, uint32_t bits) {
  return (width * bits + 31) / 32 * 4;
}

// Checks the size and pixel format a header gives: a positive width, a height other than 0
// (its sign gives the row order), both at most Bitmap::kMaxDimension and their product at
// most `max_pixels`; 1, 4, 8, 16, 24 or 32 bits per pixel; run-length data only at the bit
// count it is made for and never top-down; bit fields only at 16 or 32 bits. Returns what
// is wrong with the first broken rule, or none.
std::optional<std::string> LayoutProblem(int64_t width, int64_t height, uint32_t bits,
                                         uint32_t compression, int64_t max_pixels);

}  // namespace somnara::fw::bmp
